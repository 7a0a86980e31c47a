// Tables as an Excel workbook (.xlsx), made with libxlsxwriter from the same fields as the CSV
// (core/Csv): a field written as the tables show a number ("12", "-3.25") becomes a number with
// the number format of its decimals ("0", "0.00"), so a spreadsheet shows it in its own locale; every
// other field, the heading line and the columns of names stay text. The heading line is frozen.
//
// The workbook is built in a temporary folder and then written whole through the safe write
// (domain/Bestand), so a failure leaves a previous file as it was. Rows are kept on disk, not in
// memory, so a sheet of many files costs no more memory than one.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace korvalinde {

class TTabel;

// The beginning of the workbook's temporary folder: "<temporary folder>/<program>-<process id>-"; the
// folder's name ends in six random characters. With the process id a later run can tell a folder a
// killed run left from one in use.
QString WerkmapMapBegin();

// The columns of the result tables that hold names: in the summary "bestand", "omschrijving" and
// "eenheid", in the detail tables "bestand" and "variant".
inline const QList<int> TekstkolommenSamenvatting{0, 2, 3};
inline const QList<int> TekstkolommenDetail{0, 1};

// The number format of a field as the tables show numbers: "0" for "12", "0.0" for "-4.5", "0.00"
// for "3.25"; empty for any other text (a name, an empty field, "1e5", "4,5").
QString Getalnotatie(const QString& veld);

class TWerkmap {
  public:
    TWerkmap();
    ~TWerkmap();
    TWerkmap(const TWerkmap&) = delete;
    TWerkmap& operator=(const TWerkmap&) = delete;

    // A new sheet with its heading line; returns its number for Regel. The fields of the columns in
    // `tekstkolommen` stay text, also when they look like a number (a file named "2024").
    int Blad(const QString& naam, const QStringList& kop, const QList<int>& tekstkolommen = {});
    // The next line of a sheet; an empty field leaves its cell empty.
    void Regel(int blad, const QStringList& velden);
    // Writes the workbook as the whole content of `pad`; empty on success, else the reason. After it
    // the workbook takes no more lines.
    QString Schrijf(const QString& pad);

  private:
    struct Intern;
    std::unique_ptr<Intern> d_;
};

// A result table (the summary or a detail table, see CsvTabel) as a workbook of one sheet,
// "Samenvatting" or "Detail"; empty on success, else the reason.
QString SchrijfWerkmapTabel(const QString& pad, const TTabel& tabel, const QString& bestand);

} // namespace korvalinde
