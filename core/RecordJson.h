// JSON form of the input and output records, for the batch calculator and for tools that sweep
// scenarios. Keys are the record's field names; arrays keep the order of the farm's tables.
#pragma once

#include <QByteArray>

#include "domain/Records.h"

#include <QJsonObject>
#include <QString>

namespace korvalinde {

// Reads an input record from a JSON object. Every field must be present with the right type, no
// other key may be present, and the record must be one the window can hold: numbers in their
// inputs' ranges, every coded text one that the window's choice box offers, and the parity,
// breed and lactation-stage shares each adding up to 100 (within 0.05). Otherwise false with a
// Dutch message that names the key.
bool InvoerUitJson(const QJsonObject& object, TQXInvoer& invoer, QString& fout);

// The first key that stands twice in one object of a JSON text, with its place ("VorigeSnede.Dagen",
// "Alternatief[1].Soort"); empty when there is none. A JSON object keeps only the last of such keys,
// so the check works on the text.
QString DubbeleSleutel(const QByteArray& json);

QJsonObject InvoerNaarJson(const TQXInvoer& invoer);

// {"arsam": [[rows 1..30 of column 2], [column 3], [column 4]], "detail": {"arBiomassa0": ...}}
QJsonObject UitvoerNaarJson(const TQXUitvoer& uitvoer);

} // namespace korvalinde

namespace korvalinde {

// One result of the batch calculator as JSON text, byte for byte what
// QJsonDocument(object).toJson(QJsonDocument::Indented) gives for the object
// {"bestand": bestand (only when given), "fout": fout or null, "invoer": InvoerNaarJson(invoer),
//  "uitvoer": UitvoerNaarJson(uitvoer)}, indented by `niveau` levels of four spaces (1 for an
// element of a list). Written directly: the detail texts are the bulk of the output and need no
// JSON objects in between. No line break after the closing brace.
void SchrijfResultaatJson(QByteArray& uit, const TQXInvoer& invoer, const TQXUitvoer& uitvoer,
                          const QString& fout, const QString* bestand, int niveau);

} // namespace korvalinde
