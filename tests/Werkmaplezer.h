// Reads an Excel workbook back with python3-openpyxl and compares a sheet with the CSV lines of the
// same table: every cell, its kind (number or text) and its number format; and reads workbooks with
// Gnumeric's ssconvert, which takes a cell "2,3" as 2. A test skips what needs a reader that is
// missing, as under Windows.
#pragma once

#include "Systeemtest.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace korvalinde::testdata {

// The python3 that reads workbooks: Debian's, where python3-openpyxl is installed, before any other
// on the path; empty when there is none. (Wine shows Debian's too, but a Linux program would not
// understand a Windows program's file names.)
inline QString Python() {
    const QString debian = QStringLiteral("/usr/bin/python3");
    if (systeemtest::kPosix && QFile::exists(debian)) return debian;
    return QStandardPaths::findExecutable(QStringLiteral("python3"));
}

inline bool HeeftOpenpyxl() {
    return !Python().isEmpty();
}
inline bool HeeftGnumeric() {
    return !QStandardPaths::findExecutable(QStringLiteral("ssconvert")).isEmpty();
}

// The lines of a CSV text (CR LF or LF), each split into its fields, quotes removed.
inline QList<QStringList> CsvRegels(const QByteArray& tekst) {
    QList<QStringList> regels;
    for (const QByteArray& regel : tekst.split('\n')) {
        QStringList velden;
        QString veld;
        bool quote = false;
        const QString r = QString::fromUtf8(regel).remove(QLatin1Char('\r'));
        for (qsizetype i = 0; i < r.size(); ++i) {
            const QChar c = r.at(i);
            if (quote && c == u'"' && i + 1 < r.size() && r.at(i + 1) == u'"')
                veld += c, ++i;
            else if (c == u'"')
                quote = !quote;
            else if (c == u',' && !quote)
                velden << veld, veld.clear();
            else
                veld += c;
        }
        velden << veld;
        regels << velden;
    }
    if (!regels.isEmpty() && regels.back() == QStringList{QString()}) regels.removeLast();
    return regels;
}

// {"volgorde": the sheet names in order, "bladen": per sheet {"bevroren": the first cell below the
// frozen panes, "regels": per row its cells, each null or [kind "n"/"s", value, number format]}};
// an empty object with `fout` set when it fails.
inline QJsonObject LeesWerkmap(const QString& pad, QString& fout) {
    static const char* const script = R"(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
uit = {}
for ws in wb:
    regels = [[None if c.value is None else [c.data_type, c.value, c.number_format] for c in r]
              for r in ws.iter_rows()]
    uit[ws.title] = {"bevroren": ws.freeze_panes, "regels": regels}
print(json.dumps({"volgorde": wb.sheetnames, "bladen": uit}))
)";
    QProcess p;
    p.start(Python(), {QStringLiteral("-c"), QString::fromLatin1(script), pad});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        fout = QStringLiteral("openpyxl: ") + QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// Empty when the sheet holds exactly the CSV lines, else the first difference. The heading line and
// the columns in `tekstkolommen` are text; a field written as a number ("12", "-3.25") is a number
// with the format of its decimals ("0", "0.00"); any other field is text; an empty field no cell.
inline QString VergelijkBlad(const QJsonObject& blad, const QList<QStringList>& csv,
                             const QList<int>& tekstkolommen) {
    static const QRegularExpression getal(QStringLiteral("^-?[0-9]+(?:\\.([0-9]+))?$"));
    if (blad.value(QStringLiteral("bevroren")).toString() != QStringLiteral("A2"))
        return QStringLiteral("heading line not frozen");
    const QJsonArray regels = blad.value(QStringLiteral("regels")).toArray();
    if (regels.size() != csv.size())
        return QStringLiteral("%1 rows, the CSV has %2").arg(regels.size()).arg(csv.size());
    for (qsizetype r = 0; r < csv.size(); ++r) {
        const QJsonArray cellen = regels[r].toArray();
        for (qsizetype k = 0; k < std::max(cellen.size(), csv[r].size()); ++k) {
            const QString veld = csv[r].value(k);
            const QJsonValue cel = cellen.at(k);
            const QString plek =
                QStringLiteral("row %1 column %2 (\"%3\"): ").arg(r + 1).arg(k + 1).arg(veld);
            const QJsonArray c = cel.toArray();
            if (veld.isEmpty()) {
                if (!cel.isNull() && !cel.isUndefined())
                    return plek + QStringLiteral("a cell where the CSV has none");
                continue;
            }
            const QRegularExpressionMatch m = getal.match(veld);
            if (r == 0 || tekstkolommen.contains(static_cast<int>(k)) || !m.hasMatch()) {
                if (c.at(0).toString() != QStringLiteral("s") || c.at(1).toString() != veld)
                    return plek + QStringLiteral("not this text");
                continue;
            }
            const QString notatie =
                m.capturedLength(1) > 0
                    ? QStringLiteral("0.") + QString(m.capturedLength(1), QLatin1Char('0'))
                    : QStringLiteral("0");
            if (c.at(0).toString() != QStringLiteral("n") || c.at(1).toDouble() != veld.toDouble())
                return plek + QStringLiteral("not this number");
            if (c.at(2).toString() != notatie)
                return plek + QStringLiteral("format %1, not %2").arg(c.at(2).toString(), notatie);
        }
    }
    return {};
}

// Every sheet of a workbook as Gnumeric reads it: the CSV that ssconvert (package gnumeric) writes
// of each, in the C locale; empty with `fout` set when that fails.
inline QByteArray GnumericCsv(const QString& pad, QString& fout) {
    const QTemporaryDir map;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("ssconvert"),
            {QStringLiteral("-S"), pad, map.filePath(QStringLiteral("blad%n.csv"))});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        fout = QStringLiteral("ssconvert: ") + p.errorString() + QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    QByteArray uit;
    for (int blad = 0;; ++blad) {
        QFile f(map.filePath(QStringLiteral("blad%1.csv").arg(blad)));
        if (!f.open(QIODevice::ReadOnly)) break;
        uit += "== " + QByteArray::number(blad) + '\n' + f.readAll();
    }
    if (uit.isEmpty()) fout = QStringLiteral("ssconvert wrote no sheet");
    return uit;
}

} // namespace korvalinde::testdata
