// The result tables as CSV (RFC 4180: fields separated by commas, quoted when they hold a comma, a
// quote or a line break, lines ended by CR LF), numbers as the tables show them, with a point. Every
// line begins with the scenario the results belong to ("bestand"), so that the tables of several
// scenarios can stand below each other in one file.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace korvalinde {

class TTabel;

// One field of a line, quoted when needed.
QString CsvVeld(const QString& tekst);
// One line: the fields joined by commas, ended by CR LF.
QString CsvRegel(const QStringList& velden);

// The name of variant 0 "Basis", 1 "Alternatief 1" or 2 "Alternatief 1+2"; empty for any other.
QString VariantNaam(int variant);

// The fields of the tables below, line by line, before they are joined: the CSV and the workbook
// (core/Werkmap) are made from the same fields.
QStringList SamenvattingKopVelden(const TTabel& samenvatting);
QList<QStringList> SamenvattingRegels(const TTabel& samenvatting, const QString& bestand);
QStringList DetailKopVelden(const TTabel& detail);
QList<QStringList> DetailRegels(const TTabel& detail, const QString& variant, const QString& bestand);
// A whole result table (see CsvTabel): its heading line and its lines; false for another table.
bool TabelVelden(const TTabel& tabel, const QString& bestand, QStringList& kop, QList<QStringList>& regels);

// The summary table: a heading line (bestand, rij, omschrijving, eenheid and the three variants)
// and one line per row that has a label, with the row number, label, unit and the three values.
QString CsvSamenvattingKop(const TTabel& samenvatting);
QString CsvSamenvatting(const TTabel& samenvatting, const QString& bestand);

// A detail table: a heading line (bestand, variant, dag and per column its header rows joined by
// blanks) and one line per half day that has a value, with the day without "Dag ".
QString CsvDetailKop(const TTabel& detail);
QString CsvDetail(const TTabel& detail, const QString& variant, const QString& bestand);

// A whole result table with its heading line: the summary or the detail table of a variant, as
// TTabel::Inhoud tells. Empty for another table.
QString CsvTabel(const TTabel& tabel, const QString& bestand);

// Cells of a table as tab-separated text that pastes into a spreadsheet as a table: the rows and
// columns of the chosen data cells (x the column, y the row), each row led by its row titles (the
// fixed columns) and the whole under the column titles (the fixed rows). Texts as shown without
// their leading and trailing blanks; a cell between chosen ones that is not chosen itself stays
// empty. Every line ends with a line feed; no chosen data cell gives an empty text.
QString TabGescheiden(const TTabel& tabel, const QList<QPoint>& cellen);

} // namespace korvalinde
