// The work of the batch calculator on its files: every input read first (an unreadable one stops
// everything before anything is printed), then the files computed on several threads, each once,
// and their results written to standard output as each one is done, in the order the files were
// given (memory stays the same however many files); and parameter sweeps of one scenario file.
#pragma once

#include "core/Gevoeligheid.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace korvalinde {

struct TBatchOpties {
    bool csv = false;
    bool detail = false; // implies csv
    unsigned draden = 0; // 0: as many as the machine has; never more than it has, nor than the items
    // Sweeps: "NAAM=BEGIN:EIND:STAP", at most two; then the one file is swept.
    QStringList reeksen;
    bool alternatieven = false; // the sweep's table also shows "Alternatief 1" and "Alternatief 1+2"
    QString grafiek;            // the sweep's chart as PNG
    QStringList rijen;          // the summary rows the chart shows (part of their title)
    QString xlsx;               // the tables go into this Excel workbook instead of standard output
    // Goal seek: "RIJ>=DOEL" (or <=) over "NAAM=VAN:TOT", from the smallest or the largest value.
    QString zoek;
    QString varieer;
    bool grootste = false;
    // Sensitivity: the summary row (part of its title) and the change of every input.
    QString gevoeligheid;
    TVerandering verandering;
};

// Exit code: 0 computed, 1 the model stopped with an error for at least one file, 2 an input could
// not be read or refused, or standard output did not take everything (message on standard error).
int VerwerkBestanden(const QStringList& bestanden, const TBatchOpties& opties);
int VerwerkReeks(const QString& bestand, const TBatchOpties& opties);
// The goal seek on one scenario file: the value found and the summary at it as CSV, exit 0; exit 3
// when no value of the range meets the target (message on standard error), 2 when refused.
inline constexpr int NietGevonden = 3;
int VerwerkZoek(const QString& bestand, const TBatchOpties& opties);
// The sensitivity of one scenario file's summary row to every input: the ranked table as CSV or in
// the workbook's sheet "Gevoeligheid"; exit 1 when the model stopped at a value (message on
// standard error), 2 when refused.
int VerwerkGevoeligheid(const QString& bestand, const TBatchOpties& opties);

// The message and exit code 2 for something that could not be read or written.
int Onleesbaar(const QString& melding);

// Called once at the start: notes whether standard output is closed; then every output that should
// reach it ends with exit 2 and a message that says so.
void ControleerStandaarduitvoer();

// The message for an input that could not be read: the window's "Cannot open file X" with the reason
// after it ("...: bestaat niet", "...: het is een map"); any other message with the file in front
// when it does not name it.
QString LeesMelding(const QString& pad, const QString& fout);

// Standard error, for messages and the usage text.
QTextStream& Fout();

// The warning line for a scenario file of a later version (NieuwereVersie), on standard error.
void WaarschuwVoorVersie(const QString& pad, const QByteArray& scenario);

// Whether a file is an input record as JSON (its name ends in .json) rather than a scenario file.
bool IsJson(const QString& pad);

// Writes a whole text to standard output: `code`, or 2 with a message when not all of it reached it.
int SchrijfUitvoer(const QByteArray& tekst, int code);

} // namespace korvalinde
