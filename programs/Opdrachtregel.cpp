#include "programs/Opdrachtregel.h"

#include "programs/Startvenster.h"

#include <QTextStream>

#include <cstdio>

namespace korvalinde {

namespace {

const char* const Gebruik =
    "Gebruik: korvalinde [opties] [SCENARIO.kvl]\n"
    "\n"
    "Korvalinde toont de gevolgen van beweidingskeuzes op perceelsniveau: grasaanbod,\n"
    "grasopname, beweidingsverliezen, bijvoeding en melkproductie.\n"
    "Een scenariobestand als argument wordt geopend zodra het hoofdvenster verschijnt.\n"
    "\n"
    "Opties:\n"
    "  -h, --help     deze hulp\n"
    "  --version      versie van het programma\n";

} // namespace

std::optional<int> BehandelOpdrachtregel(const QStringList& argumenten, QTextStream& uit) {
    for (qsizetype i = 1; i < argumenten.size(); ++i) {
        const QString& arg = argumenten.at(i);
        if (arg == QLatin1String("--")) break;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            uit << Gebruik;
            uit.flush();
            return 0;
        }
        if (arg == QLatin1String("--version")) {
            uit << VersieTekst(QStringLiteral("PVD")) << '\n';
            uit.flush();
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<int> BehandelOpdrachtregel(int argc, char** argv) {
    QStringList argumenten;
    for (int i = 0; i < argc; ++i) argumenten << QString::fromLocal8Bit(argv[i]);
    QTextStream uit(stdout);
    return BehandelOpdrachtregel(argumenten, uit);
}

QString EersteScenarioArgument(const QStringList& argumenten) {
    bool naOpties = false;
    for (qsizetype i = 1; i < argumenten.size(); ++i) {
        const QString& arg = argumenten.at(i);
        if (!naOpties && arg == QLatin1String("--")) {
            naOpties = true;
            continue;
        }
        if (!naOpties && arg.startsWith(QLatin1Char('-'))) continue;
        return arg;
    }
    return {};
}

} // namespace korvalinde
