// JSON form of the input and output records, for the batch calculator and for tools that sweep
// scenarios. Keys are the record's field names; arrays keep the order of the farm's tables.
#pragma once

#include "domain/Records.h"

#include <QJsonObject>
#include <QString>

namespace korvalinde {

// Reads an input record from a JSON object. Every field must be present with the right type;
// otherwise false with a Dutch message that names the key.
bool InvoerUitJson(const QJsonObject& object, TQXInvoer& invoer, QString& fout);

QJsonObject InvoerNaarJson(const TQXInvoer& invoer);

// {"arsam": [[rows 1..30 of column 2], [column 3], [column 4]], "detail": {"arBiomassa0": ...}}
QJsonObject UitvoerNaarJson(const TQXUitvoer& uitvoer);

} // namespace korvalinde
