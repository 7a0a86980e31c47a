// korvalinde-bereken: computes a scenario without the window and prints the results as JSON.
//
//   korvalinde-bereken INVOER.json   input record as JSON -> output record as JSON on stdout
//
// Exit codes: 0 computed; 1 the model stopped with an error (the partly filled results are printed
// with the message in "fout"); 2 the input could not be read (message on stderr, nothing on stdout).

#include "Bedrijf_u.h"
#include "RecordJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <exception>

using namespace korvalinde;

namespace {

const char* const Gebruik =
    "Gebruik: korvalinde-bereken [opties] INVOER.json\n"
    "\n"
    "Berekent de drie varianten (Basis, Alternatief 1, Alternatief 1+2) van een invoerrecord en\n"
    "schrijft de uitvoer als JSON naar standaarduitvoer.\n"
    "\n"
    "Opties:\n"
    "  --help       deze hulp\n"
    "  --version    versie van het programma\n"
    "\n"
    "Afsluitcode: 0 berekend, 1 het model stopte met een fout (uitvoer tot de fout, met \"fout\"),\n"
    "2 de invoer kon niet gelezen worden.\n";

int Fout(const QString& melding) {
    QTextStream(stderr) << "korvalinde-bereken: " << melding << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QStringList bestanden;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            QTextStream(stdout) << Gebruik;
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            QTextStream(stdout) << "korvalinde-bereken " << KORVALINDE_VERSIE << Qt::endl;
            return 0;
        }
        if (arg.startsWith(QLatin1String("--"))) return Fout(QStringLiteral("onbekende optie %1").arg(arg));
        bestanden << arg;
    }
    if (bestanden.size() != 1) {
        QTextStream(stderr) << Gebruik;
        return 2;
    }

    QFile bestand(bestanden.front());
    if (!bestand.open(QIODevice::ReadOnly))
        return Fout(QStringLiteral("kan %1 niet openen: %2").arg(bestand.fileName(), bestand.errorString()));
    QJsonParseError parseFout{};
    const QJsonDocument doc = QJsonDocument::fromJson(bestand.readAll(), &parseFout);
    if (parseFout.error != QJsonParseError::NoError)
        return Fout(QStringLiteral("%1 is geen geldige JSON (positie %2): %3")
                        .arg(bestand.fileName())
                        .arg(parseFout.offset)
                        .arg(parseFout.errorString()));
    if (!doc.isObject()) return Fout(QStringLiteral("%1 bevat geen JSON-object").arg(bestand.fileName()));

    TQXInvoer invoer;
    QString melding;
    if (!InvoerUitJson(doc.object(), invoer, melding))
        return Fout(QStringLiteral("%1: %2").arg(bestand.fileName(), melding));

    TQXUitvoer uitvoer;
    QJsonValue fout = QJsonValue::Null;
    try {
        TBedrijf bedrijf;
        bedrijf.Bereken(invoer, uitvoer);
    } catch (const std::exception& e) {
        fout = QString::fromStdString(e.what());
    }
    const QJsonObject resultaat{{QStringLiteral("uitvoer"), UitvoerNaarJson(uitvoer)}, {QStringLiteral("fout"), fout}};
    QTextStream(stdout) << QJsonDocument(resultaat).toJson(QJsonDocument::Indented);
    return fout.isNull() ? 0 : 1;
}
