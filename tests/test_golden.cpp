// Golden files of the batch calculator: its JSON, its summary CSV (--csv) and its detail CSV
// (--detail) for the example input record and four scenario files, compared byte for byte with the
// files in tests/golden. A result that changes on purpose is written anew with
//     KORVALINDE_GOLDEN_SCHRIJVEN=1 build/tests/test_golden
// and the diff of tests/golden then shows every number that moved.
//
// The scenario files tests/golden/<name>.kvl are made by this test (Scenarios below): a new
// scenario as the window starts it, the inputs changed and the alternatives chosen as a user does,
// then saved. They are kept in the repository so that the golden results do not depend on the
// writer; the "kvl" rows check that the same steps still give the same bytes, and
// KORVALINDE_GOLDEN_SCHRIJVEN=1 writes them too.
#include "Testbestanden.h"
#include "core/Berekening.h"
#include "core/Scenario.h"

#include <QtTest>

#include <functional>

using namespace korvalinde;

namespace {

// Items of the alternatives' choice.
enum Alternatief : int {
    Weidedagen,
    Oppervlakte,
    Weiderest,
    AanbodInscharen,
    Snijmais,
    Graskuil,
    Krachtvoer
};

struct Scenario {
    const char* naam;
    std::function<void(TInvoerset&, TBerekening&)> wijzig;
};

// Both alternatives as the user sets them on the page "Uitvoer": the first kind (both boxes take
// it), its value, then the second kind and its value.
void KiesAlternatieven(TInvoerset& invoer, TBerekening& berekening, int soort1, const char* waarde1,
                       int soort2, const char* waarde2) {
    berekening.PaginaGewijzigd(true);
    invoer.CbxAlt1->KiesDoorGebruiker(soort1);
    invoer.SpeAlt1->SetText(QString::fromLatin1(waarde1));
    invoer.CbxAlt2->KiesDoorGebruiker(soort2);
    invoer.SpeAlt2->SetText(QString::fromLatin1(waarde2));
}

// Every kind of alternative appears, each edge of the grazing period in at least one variant.
const Scenario Scenarios[] = {
    // Few cows on a large paddock: the grass lasts the whole 30 days in the base; fewer grazing
    // days in alternative 1, a small paddock on which the grass runs out within days in 1+2.
    {"gras_blijft",
     [](TInvoerset& invoer, TBerekening& berekening) {
         invoer.SpenKoe->SetValue(10);
         invoer.SpePerceelOpp->SetValue(12.0);
         KiesAlternatieven(invoer, berekening, Weidedagen, "12.5", Oppervlakte, "0.8");
     }},
    // Many cows on a small paddock: the grass runs out in the first days.
    {"gras_op",
     [](TInvoerset& invoer, TBerekening& berekening) {
         invoer.SpenKoe->SetValue(250);
         invoer.SpePerceelOpp->SetValue(1.5);
         KiesAlternatieven(invoer, berekening, Snijmais, "6.0", Graskuil, "4.5");
     }},
    // A residue target above the biomass at turn-in cannot be reached; then a higher offer at
    // turn-in. On screen the field takes the residue reached at once, so the target is typed
    // with the results out of view, as a file filled in for batch work holds it.
    {"weiderest_hoog",
     [](TInvoerset& invoer, TBerekening& berekening) {
         KiesAlternatieven(invoer, berekening, Weiderest, "2600", AanbodInscharen, "2500");
         berekening.PaginaGewijzigd(false);
         invoer.SpeAlt1->SetText(QStringLiteral("2600"));
     }},
    // Continuous grazing with more concentrate, then a reachable residue target.
    {"standweiden",
     [](TInvoerset& invoer, TBerekening& berekening) {
         invoer.CbxSysteem->KiesDoorGebruiker(1);
         KiesAlternatieven(invoer, berekening, Krachtvoer, "7.25", Weiderest, "400");
     }},
};

QString GoldenPad(const QString& bestand) {
    return QStringLiteral(GOLDEN_DIR "/") + bestand;
}

bool Schrijven() {
    return qEnvironmentVariable("KORVALINDE_GOLDEN_SCHRIJVEN") == QLatin1String("1");
}

using testbestand::Inhoud;
using testbestand::Schrijf;

// The bytes of a scenario file made by the steps of `scenario`.
QByteArray MaakScenario(const Scenario& scenario) {
    QTemporaryDir dir;
    const QString pad = dir.filePath(QStringLiteral("s.kvl"));
    TOpnameMelder melder;
    TInvoerset invoer(&melder);
    TBerekening berekening(invoer, melder);
    invoer.ZetStandaardwaarden();
    berekening.StartBerekening();
    scenario.wijzig(invoer, berekening);
    TScenarioDocument document(invoer, berekening, melder);
    if (!document.Schrijf(pad) || !melder.meldingen.isEmpty()) return {};
    return Inhoud(pad);
}

// A line for the message, without the CR of a CSV line end.
QString Regel(const QByteArray& regel) {
    return QString::fromUtf8(regel.endsWith('\r') ? regel.chopped(1) : regel);
}

// Where two texts part: "line N" with both lines, or which one ends first.
QString EersteVerschil(const QByteArray& verwacht, const QByteArray& gekregen) {
    const QList<QByteArray> a = verwacht.split('\n');
    const QList<QByteArray> b = gekregen.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QByteArray* x = i < a.size() ? &a[i] : nullptr;
        const QByteArray* y = i < b.size() ? &b[i] : nullptr;
        if (x && y && *x == *y) continue;
        return QStringLiteral("first difference in line %1\n  golden: %2\n  now:    %3")
            .arg(i + 1)
            .arg(x ? Regel(*x) : QStringLiteral("(end of file)"),
                 y ? Regel(*y) : QStringLiteral("(end of output)"));
    }
    return QStringLiteral("no line differs");
}

} // namespace

class TestGolden : public QObject {
    Q_OBJECT

  private slots:
    void uitvoer_data();
    void uitvoer();
};

void TestGolden::uitvoer_data() {
    QTest::addColumn<int>("scenario"); // index in Scenarios; -1 for the example input record
    QTest::addColumn<QString>("invoer");
    QTest::addColumn<QStringList>("opties");
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QString>("taal"); // LC_ALL of the calculator

    struct Soort {
        const char* naam;
        QStringList opties;
        const char* extensie;
    };
    const Soort soorten[] = {
        {"json", {}, ".json"}, {"csv", {"--csv"}, ".csv"}, {"detail", {"--detail"}, ".detail.csv"}};
    const auto rijen = [&](int scenario, const QString& naam, const QString& invoer) {
        const QString c = QStringLiteral("C.UTF-8");
        if (scenario >= 0)
            QTest::addRow("%s kvl", qPrintable(naam))
                << scenario << invoer << QStringList() << naam + ".kvl" << c;
        for (const Soort& s : soorten)
            QTest::addRow("%s %s", qPrintable(naam), s.naam)
                << scenario << invoer << s.opties << naam + QLatin1String(s.extensie) << c;
        // On a Dutch desktop the same bytes: the echoed input record too.
        QTest::addRow("%s json nl_NL", qPrintable(naam))
            << scenario << invoer << QStringList() << naam + ".json" << QStringLiteral("nl_NL.UTF-8");
    };
    rijen(-1, QStringLiteral("standaard"), QStringLiteral("voorbeelden/standaard.json"));
    for (int i = 0; i < static_cast<int>(std::size(Scenarios)); ++i) {
        const QString naam = QString::fromLatin1(Scenarios[i].naam);
        rijen(i, naam, QStringLiteral("tests/golden/") + naam + QStringLiteral(".kvl"));
    }
}

void TestGolden::uitvoer() {
    QFETCH(int, scenario);
    QFETCH(QString, invoer);
    QFETCH(QStringList, opties);
    QFETCH(QString, golden);
    QFETCH(QString, taal);

    QByteArray nu;
    if (golden.endsWith(QLatin1String(".kvl"))) {
        nu = MaakScenario(Scenarios[scenario]);
        QVERIFY2(!nu.isEmpty(), "the scenario could not be made without a message");
    } else {
        // Paths relative to the source folder, so that the CSV's column "bestand" is the same on
        // every machine.
        QProcess p;
        p.setWorkingDirectory(QStringLiteral(BRON_DIR));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), taal);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BEREKEN_EXE), opties << invoer);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.readAllStandardError(), QByteArray());
        QCOMPARE(p.exitCode(), 0);
        nu = p.readAllStandardOutput();
    }

    const QString pad = GoldenPad(golden);
    if (Schrijven() && taal == QLatin1String("C.UTF-8")) {
        QVERIFY2(Schrijf(pad, nu), qPrintable(pad));
        return;
    }
    const QByteArray verwacht = Inhoud(pad);
    QVERIFY2(!verwacht.isEmpty(), qPrintable(QStringLiteral("missing golden file ") + pad));
    if (verwacht != nu)
        QFAIL(qPrintable(QStringLiteral("tests/golden/") + golden + QStringLiteral(": ") +
                         EersteVerschil(verwacht, nu)));
}

QTEST_GUILESS_MAIN(TestGolden)
#include "test_golden.moc"
