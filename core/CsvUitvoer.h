// The results as CSV (RFC 4180: comma, quotes where needed, CRLF), as the batch calculator prints
// them: the summary table one block of rows per file, the detail tables one row per variant and
// half day that has results. Made straight from the output record; the texts are the tables' texts.
#pragma once

#include "domain/Records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace korvalinde {

// One field: quoted when it holds a comma, a quote or a line break.
QString CsvVeld(const QString& tekst);
void CsvRegel(QByteArray& uit, const QStringList& velden);

// "bestand,rij,omschrijving,eenheid,Basis,Alternatief 1,Alternatief 1+2"
void CsvSamenvattingKop(QByteArray& uit);
// The labelled rows of the summary (group headings included, with empty values).
void CsvSamenvatting(QByteArray& uit, const QString& bestand, const TQXUitvoer& uitvoer);
// "bestand,variant,dag," and the detail columns' headers joined ("Biomassa > 5 cm (kg ds/ha)").
void CsvDetailKop(QByteArray& uit);
void CsvDetail(QByteArray& uit, const QString& bestand, const TQXUitvoer& uitvoer);

} // namespace korvalinde
