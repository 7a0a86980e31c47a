// The scenario as a document: reading and writing through the real input set, the window state
// kept with the file (name, caption, saved flag, loading state) and the flows of the file menu.
#include "Systeemtest.h"
#include "Testbestanden.h"
#include "core/Berekening.h"
#include "core/Meldingen.h"
#include "core/RecordJson.h"
#include "core/Scenario.h"

#include <QtTest>

#include <csignal>
#include <map>
#include <optional>

using namespace korvalinde;

namespace {

// A main window as far as the scenario goes: defaults and the first calculation done, boxes
// recorded, dialogs and the recent-files list answered by the test.
struct Venster {
    TOpnameMelder melder;
    TInvoerset invoer{&melder};
    TBerekening berekening{invoer, melder};
    TScenarioDocument document{invoer, berekening, melder};
    QStringList historie;
    QStringList captions;
    int runs = 0;
    QString openNaam;
    QString opslaanNaam;

    Venster() {
        invoer.ZetStandaardwaarden();
        berekening.StartBerekening();
        QObject::connect(&berekening, &TBerekening::Doorgerekend, [this] { ++runs; });
        QObject::connect(&document, &TScenarioDocument::CaptionGewijzigd,
                         [this](const QString& c) { captions << c; });
        document.VoegToeAanHistorie = [this](const QString& pad) { historie << pad; };
        document.VraagOpenNaam = [this](const QString&) { return openNaam; };
        document.VraagOpslaanNaam = [this](const QString&) { return opslaanNaam; };
    }

    // Everything the inputs show, by control name.
    std::map<QString, QString> Toestand() const {
        std::map<QString, QString> uit;
        for (const TGetalInvoer* g : invoer.Getallen()) uit[g->Naam()] = g->Tekst();
        for (const TKeuzeInvoer* k : invoer.Keuzes())
            uit[k->Naam()] = QString::number(k->ItemIndex()) + QLatin1Char('|') + k->Tekst() +
                             QLatin1Char('|') + k->Items().join(QLatin1Char('/'));
        for (const TTabel* t : invoer.Tabellen())
            for (int k = 0; k < t->ColCount(); ++k)
                for (int r = 0; r < t->RowCount(); ++r)
                    uit[QStringLiteral("%1[%2,%3]").arg(t->Naam()).arg(k).arg(r)] = t->Cel(k, r);
        uit[QStringLiteral("Cbxdatum")] = invoer.Cbxdatum->Tekst();
        return uit;
    }
};

using testbestand::Inhoud;

void Schrijf(const QString& pad, const QByteArray& inhoud) {
    QVERIFY(testbestand::Schrijf(pad, inhoud));
}

QByteArray Bytes(const std::vector<std::uint8_t>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

// The input set of a new window as the file writes it, with some fields written otherwise.
class AndersGeschreven : public TInvoersetScenario {
  public:
    using TInvoersetScenario::TInvoersetScenario;
    std::map<std::string, long double, std::less<>> getallen;
    std::map<std::string, int, std::less<>> indexen;
    std::map<std::string, std::string, std::less<>> teksten;
    std::map<int, int> altIndex;
    std::map<int, long double> altWaarde;

    long double Getal(std::string_view naam) const override {
        const auto it = getallen.find(naam);
        return it != getallen.end() ? it->second : TInvoersetScenario::Getal(naam);
    }
    int Index(std::string_view naam) const override {
        const auto it = indexen.find(naam);
        return it != indexen.end() ? it->second : TInvoersetScenario::Index(naam);
    }
    std::string Tekst(std::string_view naam) const override {
        const auto it = teksten.find(naam);
        return it != teksten.end() ? it->second : TInvoersetScenario::Tekst(naam);
    }
    int AlternatiefIndex(int nr) const override {
        return altIndex.count(nr) ? altIndex.at(nr) : TInvoersetScenario::AlternatiefIndex(nr);
    }
    long double AlternatiefWaarde(int nr) const override {
        return altWaarde.count(nr) ? altWaarde.at(nr) : TInvoersetScenario::AlternatiefWaarde(nr);
    }
};

using SchijfVol = testbestand::Bestandsgrens;

const auto Knoppen = MeldKnoppen{MeldKnop::Ja, MeldKnop::Nee, MeldKnop::Annuleer};

} // namespace

class TestScenarioDocument : public QObject {
    Q_OBJECT

  private slots:
    void standaardBestandBegin();
    void opslaanSluitenHeropenen();
    void waardenUitBestand_data();
    void waardenUitBestand();
    void zodeVanHetSysteem_data();
    void zodeVanHetSysteem();
    void vorigeSnede_data();
    void vorigeSnede();
    void alternatievenUitBestand_data();
    void alternatievenUitBestand();
    void leesZetVensterstaat_data();
    void leesZetVensterstaat();
    void mislukteLees_data();
    void mislukteLees();
    void ongeldigeDatumNaLezen();
    void beschadigdeBestanden();
    void opslaanVervangtZonderVraag();
    void mislukteOpslag_data();
    void mislukteOpslag();
    void sluitVraag_data();
    void sluitVraag();
    void nieuw();
    void openenEnHistorie();
};

void TestScenarioDocument::standaardBestandBegin() {
    Venster v;
    QTemporaryDir dir;
    const QString pad = dir.filePath(QStringLiteral("standaard.kvl"));
    QVERIFY(v.document.Schrijf(pad));
    const QByteArray bestand = Inhoud(pad);
    QVERIFY(bestand.startsWith(QByteArray::fromHex("05 0000000000004AC41040"
                                                   "05 00000000000000C80440"
                                                   "03 401F 0219 0214 0237 021A 024A 036D01 038A02")));
    // The production table follows: column 1 ("Aandeel (%)") rows 1..5, then column 2.
    QCOMPARE(bestand.mid(41, 3), QByteArray("\x02"
                                            "21",
                                            3));
    QCOMPARE(bestand.mid(41 + 21, 3), QByteArray("\x02"
                                                 "25",
                                                 3));
    QCOMPARE(bestand.mid(41 + 210, 5), QByteArray("\x04"
                                                  "33.1",
                                                  5));
    // Fields 1..34 and 36..39: four blocks, and the alternatives (item 4, value 0) at the end.
    QCOMPARE(bestand.size(), 8549);
    QCOMPARE(bestand.mid(bestand.size() - 26, 4), QByteArray::fromHex("02040204"));
    QCOMPARE(v.melder.meldingen.size(), 0);
}

void TestScenarioDocument::opslaanSluitenHeropenen() {
    QTemporaryDir dir;
    const QString pad = dir.filePath(QStringLiteral("Weide1.kvl"));
    std::map<QString, QString> toestand;
    QJsonObject invoer;
    QJsonObject uitvoer;
    {
        Venster v;
        v.invoer.SpenKoe->SetValue(80);
        v.invoer.SpePercPar1->SetValue(30);
        v.invoer.SpePercPar2->SetValue(30);
        v.invoer.SpePerceelOpp->SetValue(1.7);
        v.invoer.CbxGrondsoort->KiesDoorGebruiker(2);
        v.invoer.CbxJaargift->KiesDoorGebruiker(1);
        v.invoer.GrdVoeders->BewerkDoorGebruiker(1, 3, QStringLiteral("3.5"));
        v.invoer.GrdProductie->BewerkDoorGebruiker(2, 1, QStringLiteral("35"));
        // Cells hold 20 characters in the file; the unit headers of row 1 are stored with the data.
        v.invoer.GrdVoeders->ZetCel(6, 8, QStringLiteral("abcdefghijklmnopqrstuvwxy"));
        v.invoer.GrdGras->ZetCel(7, 1, QStringLiteral("(per kg)"));
        v.invoer.Cbxdatum->ZetTekst(QStringLiteral("0105"));
        v.invoer.Cbxdatum->Verlaat();
        v.berekening.PaginaGewijzigd(true);
        v.invoer.CbxAlt1->KiesDoorGebruiker(1);
        v.invoer.SpeAlt1->SetText(QStringLiteral("1.2"));
        v.invoer.CbxAlt2->KiesDoorGebruiker(2);
        v.invoer.SpeAlt2->SetText(QStringLiteral("400"));
        QVERIFY(v.document.Opslaan() == false); // no name yet and the dialog is cancelled
        v.opslaanNaam = pad;
        QVERIFY(v.document.Opslaan());
        QCOMPARE(v.document.Caption(), QStringLiteral("Korvalinde - weide1.kvl"));
        toestand = v.Toestand();
        toestand[QStringLiteral("GrdVoeders[6,8]")] = QStringLiteral("abcdefghijklmnopqrst");
        invoer = InvoerNaarJson(v.berekening.BewaardeInvoer);
        uitvoer = UitvoerNaarJson(v.berekening.BewaardeUitvoer);
        QVERIFY(v.melder.meldingen.isEmpty());
    }
    Venster w;
    QVERIFY(w.document.Lees(pad));
    QVERIFY2(w.melder.meldingen.isEmpty(), qPrintable(w.melder.Teksten().join('\n')));
    const auto terug = w.Toestand();
    for (const auto& [naam, tekst] : toestand) QCOMPARE(naam + " = " + terug.at(naam), naam + " = " + tekst);
    QCOMPARE(InvoerNaarJson(w.berekening.BewaardeInvoer), invoer);
    QCOMPARE(UitvoerNaarJson(w.berekening.BewaardeUitvoer), uitvoer);
    QCOMPARE(w.invoer.SpeAlt1->Tekst(), QStringLiteral("1.2"));
    QCOMPARE(w.berekening.GrdUitvoerSam->Cel(3, 3), QStringLiteral("   1.2"));

    // Saving at once writes the same bytes back.
    const QByteArray eerst = Inhoud(pad);
    QVERIFY(w.document.Opslaan());
    QCOMPARE(Inhoud(pad), eerst);
}

void TestScenarioDocument::waardenUitBestand_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<double>("geschreven");
    QTest::addColumn<QString>("tekst");
    QTest::newRow("milk level above its maximum") << "SpeMelknivo" << 12000.0 << "10000";
    QTest::newRow("no cows") << "SpenKoe" << 0.0 << "1";
    QTest::newRow("area rounded to its decimal") << "SpePerceelOpp" << 7.25 << "7.3";
    QTest::newRow("negative urinations") << "SpenUrlozing" << -4.0 << "0";
}

void TestScenarioDocument::waardenUitBestand() {
    QFETCH(QString, naam);
    QFETCH(double, geschreven);
    QFETCH(QString, tekst);
    Venster bron;
    AndersGeschreven anders(bron.invoer);
    anders.getallen[naam.toStdString()] = geschreven;
    QTemporaryDir dir;
    Schrijf(dir.filePath("w.kvl"), Bytes(SchrijfScenario(anders)));
    Venster v;
    QVERIFY(v.document.Lees(dir.filePath("w.kvl")));
    QCOMPARE(v.invoer.Getal(naam)->Tekst(), tekst);
}

void TestScenarioDocument::zodeVanHetSysteem_data() {
    QTest::addColumn<int>("systeem");
    QTest::addColumn<int>("zode");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<double>("biomassa");
    QTest::newRow("Standweiden, Dicht") << 1 << 1 << "Dicht" << 1500.0;
    QTest::newRow("Standweiden, Zeer dicht") << 1 << 2 << "Zeer dicht" << 2000.0;
    QTest::newRow("Omweiden, Open") << 0 << 0 << "Open" << 800.0;
    QTest::newRow("Omweiden, Zeer dicht") << 0 << 3 << "Zeer dicht" << 2000.0;
}

void TestScenarioDocument::zodeVanHetSysteem() {
    QFETCH(int, systeem);
    QFETCH(int, zode);
    QFETCH(QString, tekst);
    QFETCH(double, biomassa);
    QTemporaryDir dir;
    const QString pad = dir.filePath("z.kvl");
    {
        Venster v;
        v.invoer.CbxSysteem->KiesDoorGebruiker(systeem);
        v.invoer.CbxZode->KiesDoorGebruiker(zode);
        QCOMPARE(v.invoer.CbxZode->Tekst(), tekst);
        QVERIFY(v.document.Schrijf(pad));
    }
    Venster w;
    QVERIFY(w.document.Lees(pad));
    QCOMPARE(w.invoer.CbxSysteem->ItemIndex(), systeem);
    QCOMPARE(w.invoer.CbxZode->Items().size(), systeem == 1 ? 3 : 4);
    QCOMPARE(w.invoer.CbxZode->ItemIndex(), zode);
    QCOMPARE(w.invoer.CbxZode->Tekst(), tekst);
    QCOMPARE(w.invoer.SpeBiomassa05->Value(), biomassa);
    QCOMPARE(w.berekening.BewaardeInvoer.Zode, w.invoer.StringNaarCode(tekst).toStdString());
}

void TestScenarioDocument::vorigeSnede_data() {
    QTest::addColumn<int>("gebruik");
    QTest::addColumn<int>("bloten");
    QTest::addColumn<bool>("dagenZichtbaar");
    QTest::addColumn<bool>("restZichtbaar");
    QTest::newRow("Weiden, Nee") << 1 << 1 << true << true;
    QTest::newRow("Weiden, Ja") << 1 << 0 << true << false;
    QTest::newRow("Maaien") << 0 << 0 << false << false;
}

void TestScenarioDocument::vorigeSnede() {
    QFETCH(int, gebruik);
    QFETCH(int, bloten);
    QFETCH(bool, dagenZichtbaar);
    QFETCH(bool, restZichtbaar);
    QTemporaryDir dir;
    const QString pad = dir.filePath("v.kvl");
    {
        Venster v;
        v.invoer.CbxVorigGebruik->KiesDoorGebruiker(gebruik);
        v.invoer.CbxBloten->KiesDoorGebruiker(bloten);
        if (dagenZichtbaar) v.invoer.SpeVorigDagen->SetValue(7);
        if (restZichtbaar) v.invoer.SpeVorigRest->SetValue(450);
        QVERIFY(v.document.Schrijf(pad));
    }
    Venster w;
    QVERIFY(w.document.Lees(pad));
    QCOMPARE(w.invoer.CbxBloten->Zichtbaar(), gebruik == 1);
    QCOMPARE(w.invoer.SpeVorigDagen->Zichtbaar(), dagenZichtbaar);
    QCOMPARE(w.invoer.SpeVorigRest->Zichtbaar(), restZichtbaar);
    QCOMPARE(w.invoer.SpeVorigDagen->Value(), dagenZichtbaar ? 7.0 : 0.0);
    QCOMPARE(w.invoer.SpeVorigRest->Value(), restZichtbaar ? 450.0 : 0.0);
}

void TestScenarioDocument::alternatievenUitBestand_data() {
    QTest::addColumn<int>("item1");
    QTest::addColumn<double>("waarde1");
    QTest::addColumn<int>("item2");
    QTest::addColumn<double>("waarde2");
    QTest::addColumn<QString>("tekst1");
    QTest::addColumn<QString>("tekst2");
    QTest::newRow("area and residue") << 1 << 1.7 << 2 << 400.0 << "1.7"
                                      << "400";
    QTest::newRow("concentrate, two decimals") << 6 << 2.25 << 6 << 2.25 << "2.25"
                                               << "2.25";
    QTest::newRow("single precision shortest") << 5 << 0.1 << 5 << 0.3 << "0.1"
                                               << "0.3";
    QTest::newRow("none chosen") << -1 << 3.5 << -1 << 12.0 << "3.5"
                                 << "12";
    QTest::newRow("beyond the reading range") << 3 << 250000.0 << 3 << -5.0 << "100000"
                                              << "0";
}

void TestScenarioDocument::alternatievenUitBestand() {
    QFETCH(int, item1);
    QFETCH(double, waarde1);
    QFETCH(int, item2);
    QFETCH(double, waarde2);
    QFETCH(QString, tekst1);
    QFETCH(QString, tekst2);
    Venster bron;
    AndersGeschreven anders(bron.invoer);
    anders.altIndex = {{1, item1}, {2, item2}};
    anders.altWaarde = {{1, waarde1}, {2, waarde2}};
    QTemporaryDir dir;
    Schrijf(dir.filePath("a.kvl"), Bytes(SchrijfScenario(anders)));
    Venster v;
    QVERIFY(v.document.Lees(dir.filePath("a.kvl")));
    QCOMPARE(v.invoer.CbxAlt1->ItemIndex(), item1);
    QCOMPARE(v.invoer.CbxAlt2->ItemIndex(), item2);
    QCOMPARE(v.invoer.SpeAlt1->Tekst(), tekst1);
    QCOMPARE(v.invoer.SpeAlt2->Tekst(), tekst2);
    // The calculation used the values read, and the fields then took their kind's set-up.
    QCOMPARE(v.berekening.BewaardeInvoer.Alternatief[0].Soort, item1 + 1);
    QCOMPARE(v.berekening.BewaardeInvoer.Alternatief[0].Waarde, tekst1.toFloat());
    QCOMPARE(v.berekening.BewaardeInvoer.Alternatief[1].Waarde, tekst2.toFloat());
    if (item1 == 1) { // then each field took its kind's range
        QCOMPARE(v.invoer.SpeAlt1->MaxValue(), 50.0);
        QCOMPARE(v.invoer.SpeAlt2->MaxValue(), 10000.0);
        QCOMPARE(v.berekening.GrdUitvoerSam->Cel(3, 3), QStringLiteral("   1.7"));
    }
}

void TestScenarioDocument::leesZetVensterstaat_data() {
    QTest::addColumn<bool>("eerstOpgeslagen");
    QTest::newRow("after New") << false;
    QTest::newRow("after a save") << true;
}

void TestScenarioDocument::leesZetVensterstaat() {
    QFETCH(bool, eerstOpgeslagen);
    QTemporaryDir dir;
    const QString vorige = dir.filePath("Vorige.kvl");
    const QString pad = dir.filePath("Weide1.KVL");
    Venster v;
    QVERIFY(v.document.Schrijf(pad));
    v.document.Nieuw();
    if (eerstOpgeslagen) QVERIFY(v.document.Schrijf(vorige));
    v.historie.clear();
    v.runs = 0;
    v.berekening.LaadModus = true; // switched off whatever it was
    QVERIFY(v.document.Lees(pad));
    QCOMPARE(v.document.Bestandsnaam(), pad);
    QCOMPARE(v.document.Caption(), QStringLiteral("Korvalinde - weide1.kvl"));
    QCOMPARE(v.captions.back(), v.document.Caption());
    QCOMPARE(v.historie, eerstOpgeslagen ? QStringList{vorige} : QStringList{});
    // The inputs hold the file as it is on disk: nothing to save.
    QVERIFY(v.document.Opgeslagen());
    QVERIFY(v.berekening.ResultatenInBeeld());
    QVERIFY(!v.berekening.LaadModus);
    QVERIFY(v.runs >= 2);
    QCOMPARE(v.berekening.GrdUitvoerSam->Cel(2, 20), QStringLiteral("   4.20"));
    // Closing at once asks nothing; after an edit of the user it asks.
    v.melder.antwoorden = {MeldKnop::Annuleer};
    QVERIFY(v.document.MagSluiten());
    QCOMPARE(v.melder.meldingen.size(), 0);
    v.invoer.SpenKoe->TypDoorGebruiker(QStringLiteral("61"));
    QVERIFY(!v.document.Opgeslagen());
    QVERIFY(!v.document.MagSluiten());
    QCOMPARE(v.melder.meldingen.size(), 1);
}

void TestScenarioDocument::mislukteLees_data() {
    QTest::addColumn<bool>("bestaat");
    QTest::addColumn<QByteArray>("inhoud");
    QTest::addColumn<QString>("melding");
    QTest::addColumn<QString>("uitleg");

    Venster bron;
    AndersGeschreven anders(bron.invoer);
    anders.getallen = {{"SpenKoe", 137}, {"SpeGewicht", 700}};
    const QByteArray goed = Bytes(SchrijfScenario(anders));
    // The box's first line names the file, says what is wrong and what to do.
    const QString lezen = QStringLiteral("Het bestand kapot.kvl kan niet gelezen worden: ");
    const QString ander = QStringLiteral(" Kies een ander bestand of een reservekopie.");
    const QString bestaatNiet = QStringLiteral("Het bestand kapot.kvl bestaat niet (meer). Controleer de "
                                               "naam en de map, of kies een ander bestand.");
    const QString geenBestand =
        QStringLiteral("Het bestand kapot.kvl kan niet geopend worden: het is geen gewoon "
                       "bestand of u mag het niet lezen. Kies een ander bestand.");
    const QString afgekapt = lezen + "het is afgekapt of beschadigd." + ander;
    QTest::newRow("no file") << false << QByteArray() << "Cannot open file %1" << bestaatNiet;
    QTest::newRow("empty file") << true << QByteArray() << "Stream read error" << afgekapt;
    QTest::newRow("a folder") << false << QByteArray() << "Cannot open file %1" << geenBestand;
    QTest::newRow("a FIFO") << false << QByteArray() << "Cannot open file %1" << geenBestand;
    QTest::newRow("a link to an endless device")
        << false << QByteArray() << "Cannot open file %1" << geenBestand;
    QTest::newRow("cut in the production table")
        << true << goed.left(41 + 100) << "Stream read error" << afgekapt;
    QTest::newRow("cut in the last value")
        << true << goed.left(goed.size() - 3) << "Stream read error" << afgekapt;
    QByteArray tag = goed;
    tag[22] = 6;
    QTest::newRow("text for the milk level")
        << true << tag << "Invalid property value"
        << lezen + "het is geen Korvalinde-scenario of het is beschadigd." + ander;
    QByteArray versie = goed;
    const auto groot = NaarExtended(5.0e9L);
    versie.replace(1, 10, QByteArray(reinterpret_cast<const char*>(groot.data()), 10));
    QTest::newRow("version beyond 32 bits")
        << true << versie << "Range check error"
        << lezen +
               "het begint niet met een geldig versienummer; het is geen Korvalinde-scenario of het is "
               "beschadigd." +
               ander;
    AndersGeschreven datum(bron.invoer);
    datum.teksten = {{"Cbxdatum", "3102"}};
    datum.getallen = {{"SpeGrasaanbod", 1500}}; // its rule reads the date
    // Not a fault of the file: the model's message alone.
    QTest::newRow("no such date") << true << Bytes(SchrijfScenario(datum)) << "Ongeldige dag ingegeven"
                                  << "";
}

void TestScenarioDocument::mislukteLees() {
    QFETCH(bool, bestaat);
    QFETCH(QByteArray, inhoud);
    QFETCH(QString, melding);
    QFETCH(QString, uitleg);
    if (QTest::currentDataTag() == QByteArray("a FIFO") ||
        QTest::currentDataTag() == QByteArray("a link to an endless device"))
        KORVALINDE_ALLEEN_POSIX("no FIFO or device on Windows");
    QTemporaryDir dir;
    const QString pad = dir.filePath("kapot.kvl");
    if (bestaat) Schrijf(pad, inhoud);
    if (QByteArray(QTest::currentDataTag()) == "a folder") QDir(dir.path()).mkdir("kapot.kvl");
    if (QByteArray(QTest::currentDataTag()) == "a FIFO") QVERIFY(mkfifo(QFile::encodeName(pad), 0644) == 0);
    if (QByteArray(QTest::currentDataTag()) == "a link to an endless device")
        QVERIFY(QFile::link("/dev/zero", pad));
    if (melding.contains("%1")) melding = melding.arg(pad);

    Venster v;
    const QString vorige = dir.filePath("vorige.kvl");
    v.invoer.SpeHergroei->SetValue(55);
    QVERIFY(v.document.Schrijf(vorige));
    v.invoer.SpenKoe->TypDoorGebruiker(QStringLiteral("51")); // an edit not saved yet
    const auto toestand = v.Toestand();
    const QString som = v.berekening.GrdUitvoerSam->Cel(2, 2);
    v.opslaanNaam.clear();
    v.historie.clear();
    v.runs = 0;
    v.melder.Wis();
    const bool inBeeldVoor = v.berekening.ResultatenInBeeld();

    QVERIFY(!v.document.Lees(pad));
    QCOMPARE(v.melder.Teksten(), QStringList{uitleg.isEmpty() ? melding : uitleg + "\n\n" + melding});
    QCOMPARE(v.melder.meldingen.front().soort, MeldSoort::Fout);
    QCOMPARE(v.melder.meldingen.front().knoppen, MeldKnoppen{MeldKnop::OK});
    QCOMPARE(v.document.LaatsteFout(), melding);
    // The file that failed is not the current file: "Opslaan" still writes to the previous one.
    QCOMPARE(v.document.Bestandsnaam(), vorige);
    QCOMPARE(v.document.Caption(), QStringLiteral("Korvalinde - vorige.kvl"));
    QCOMPARE(v.captions.back(), v.document.Caption());
    QVERIFY(v.historie.isEmpty());
    // Nothing of the damaged file reached the inputs; the unsaved edit is still unsaved, so that
    // neither "Opslaan" nor the close query writes the damaged file's values over the previous one.
    QVERIFY(!v.document.Opgeslagen());
    QVERIFY(v.Toestand() == toestand);
    QVERIFY(!v.berekening.LaadModus);
    QCOMPARE(v.runs, 0);
    QCOMPARE(v.berekening.ResultatenInBeeld(), inBeeldVoor);
    QCOMPARE(v.berekening.GrdUitvoerSam->Cel(2, 2), som);
}

void TestScenarioDocument::ongeldigeDatumNaLezen() {
    // Every value is read; only the calculation finds the turn-in date wrong. The file stays the
    // current file, so that the date can be mended and saved.
    Venster bron;
    AndersGeschreven anders(bron.invoer);
    anders.teksten = {{"Cbxdatum", "3102"}};
    anders.getallen = {{"SpenKoe", 60}};
    QTemporaryDir dir;
    const QString pad = dir.filePath("datum.kvl");
    Schrijf(pad, Bytes(SchrijfScenario(anders)));
    Venster v;
    v.runs = 0;
    QVERIFY(!v.document.Lees(pad));
    QCOMPARE(v.melder.Teksten(), QStringList{"Ongeldige dag ingegeven"});
    QCOMPARE(v.document.Bestandsnaam(), pad);
    QCOMPARE(v.invoer.SpenKoe->Value(), 60.0);
    QCOMPARE(v.invoer.Cbxdatum->Tekst(), QStringLiteral("3102"));
    QVERIFY(!v.berekening.LaadModus);
    QCOMPARE(v.runs, 0);
    // No results of the scenario shown before stay in the tables.
    for (int rij = 1; rij <= 29; ++rij)
        for (int kolom = 2; kolom <= 4; ++kolom)
            QVERIFY(v.berekening.GrdUitvoerSam->Cel(kolom, rij).isEmpty());
    QVERIFY(v.berekening.GrdUitvoerDet[0]->Cel(1, 3).isEmpty());
    v.invoer.Cbxdatum->ZetTekst(QStringLiteral("2802"));
    QVERIFY(v.document.Opslaan());
    QVERIFY(v.document.Lees(pad));
    QCOMPARE(v.berekening.BewaardeInvoer.Inschaardag, 59);
}

void TestScenarioDocument::beschadigdeBestanden() {
    // Damaged files read through the real inputs and their rules: any outcome but a crash, a hang or
    // a loading state left on; a failed read never leaves the damaged file as the current file.
    Venster bron;
    TInvoersetScenario invoer(bron.invoer);
    const QByteArray goed = Bytes(SchrijfScenario(invoer));
    QTemporaryDir dir;
    const QString pad = dir.filePath("schade.kvl");
    Venster v;
    QRandomGenerator toeval(20100);
    for (int i = 0; i < 150; ++i) {
        QByteArray schade = goed;
        const int n = 1 + toeval.bounded(8);
        for (int j = 0; j < n; ++j) {
            const int plek = toeval.bounded(int(schade.size()));
            schade[plek] = static_cast<char>(toeval.bounded(256));
        }
        if (i % 3 == 0) schade.truncate(toeval.bounded(int(schade.size())));
        Schrijf(pad, schade);
        v.document.Nieuw();
        const bool gelezen = v.document.Lees(pad);
        QVERIFY(!v.berekening.LaadModus);
        QCOMPARE(gelezen, v.document.LaatsteFout().isEmpty());
        if (!gelezen && !v.document.Bestandsnaam().isEmpty())
            QVERIFY2(v.document.LaatsteFout().startsWith("Ongeldige"), qPrintable(v.document.LaatsteFout()));
        // The batch calculator reads the record without the window's runs: the same record, or the
        // same message.
        TOpnameMelder stil;
        TQXInvoer record;
        QString fout;
        QCOMPARE(LeesScenarioInvoer(pad, record, stil, fout), gelezen);
        if (gelezen)
            QCOMPARE(InvoerNaarJson(record), InvoerNaarJson(v.berekening.BewaardeInvoer));
        else
            QCOMPARE(fout, v.document.LaatsteFout());
    }
}

void TestScenarioDocument::opslaanVervangtZonderVraag() {
    QTemporaryDir dir;
    const QString pad = dir.filePath("bestaat.kvl");
    Schrijf(pad, QByteArray(20000, 'x'));
    Venster v;
    v.invoer.SpenKoe->SetValue(99);
    v.opslaanNaam = pad;
    QVERIFY(v.document.OpslaanAls());
    QVERIFY(v.melder.meldingen.isEmpty());
    TInvoersetScenario invoer(v.invoer);
    QCOMPARE(Inhoud(pad), Bytes(SchrijfScenario(invoer)));
    QVERIFY(v.document.Opgeslagen());
    QCOMPARE(v.document.Bestandsnaam(), pad);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bestaat.kvl"});
}

void TestScenarioDocument::mislukteOpslag_data() {
    QTest::addColumn<QString>("doel"); // relative to the test folder
    QTest::addColumn<QString>("melding");
    QTest::addColumn<QString>(
        "uitleg"); // the box's first line, after "Het bestand <name> kan niet opgeslagen worden: "
    const QString map =
        QStringLiteral("de map bestaat niet of u mag er niet schrijven. Kies met \"Opslaan als...\" "
                       "een andere map.");
    const QString geweigerd =
        QStringLiteral("er mag niet overheen geschreven worden. Kies met \"Opslaan als...\" "
                       "een andere naam of map.");
    QTest::newRow("missing folder") << "ontbreekt/weide.kvl"
                                    << "Cannot create file %1" << map;
    QTest::newRow("folder that is a file") << "oud.kvl/weide.kvl"
                                           << "Cannot create file %1" << map;
    QTest::newRow("folder not writable") << "alleenlezen/oud.kvl"
                                         << "Cannot create file %1" << map;
    QTest::newRow("disk full")
        << "oud.kvl"
        << "Stream write error"
        << "het schrijven is mislukt (is de schijf vol?). Het bestand op schijf is niet "
           "veranderd. Maak ruimte vrij of kies met \"Opslaan als...\" een andere plaats.";
    QTest::newRow("read-only file") << "oud.kvl"
                                    << "%1 is alleen-lezen: er wordt niet overheen geschreven" << geweigerd;
    QTest::newRow("link to a device")
        << "apparaat.kvl"
        << "%1 (koppeling naar /dev/null) is geen gewoon bestand (maar een map, "
           "apparaat of FIFO): er wordt niet overheen geschreven"
        << geweigerd;
    QTest::newRow("FIFO") << "fifo.kvl"
                          << "%1 is geen gewoon bestand (maar een map, apparaat of FIFO): er wordt niet "
                             "overheen geschreven"
                          << geweigerd;
}

void TestScenarioDocument::mislukteOpslag() {
    QFETCH(QString, doel);
    QFETCH(QString, melding);
    QFETCH(QString, uitleg);
    QTemporaryDir dir;
    const QByteArray oud(5000, 'o');
    Schrijf(dir.filePath("oud.kvl"), oud);
    QDir(dir.path()).mkdir("alleenlezen");
    Schrijf(dir.filePath("alleenlezen/oud.kvl"), oud);
    QFile::setPermissions(dir.filePath("alleenlezen"), QFile::ReadOwner | QFile::ExeOwner);
    const QString pad = dir.filePath(doel);
    const QByteArray geval = QTest::currentDataTag();
    if (geval == "disk full" || geval == "link to a device" || geval == "FIFO")
        KORVALINDE_ALLEEN_POSIX("no file-size limit, device or FIFO on Windows");
    if (geval == "read-only file")
        QFile::setPermissions(pad, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (geval == "link to a device") QVERIFY(QFile::link("/dev/null", pad));
    if (geval == "FIFO") QVERIFY(mkfifo(QFile::encodeName(pad), 0644) == 0);
    if (doel.startsWith("alleenlezen") && QFileInfo(dir.filePath("alleenlezen")).isWritable())
        QSKIP("the folder stays writable for this user");
    if (melding.contains("%1")) melding = melding.arg(pad);

    Venster v;
    const QString huidig = dir.filePath("huidig.kvl");
    QVERIFY(v.document.Schrijf(huidig));
    v.document.Nieuw();
    QVERIFY(v.document.Lees(huidig));
    v.invoer.SpenKoe->TypDoorGebruiker(QStringLiteral("61"));
    v.melder.Wis();
    v.captions.clear();
    v.opslaanNaam = pad;
    {
        std::optional<SchijfVol> vol;
        if (melding == MeldingSchrijfFout) vol.emplace(1000);
        QVERIFY(!v.document.OpslaanAls());
    }
    uitleg =
        QStringLiteral("Het bestand %1 kan niet opgeslagen worden: ").arg(QFileInfo(pad).fileName()) + uitleg;
    QCOMPARE(v.melder.Teksten(), QStringList{uitleg + "\n\n" + melding});
    QCOMPARE(v.melder.meldingen.front().soort, MeldSoort::Fout);
    QCOMPARE(v.document.LaatsteFout(), melding);
    // The previous file is whole, nothing is left behind, and the window still names its own file.
    QCOMPARE(Inhoud(dir.filePath(doel.startsWith("alleenlezen") ? "alleenlezen/oud.kvl" : "oud.kvl")), oud);
    QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile());
    if (geval == "FIFO") QVERIFY(QFileInfo(pad).exists() && !QFileInfo(pad).isFile());
    const QStringList blijft = geval == "link to a device"
                                   ? QStringList{"apparaat.kvl", "huidig.kvl", "oud.kvl"}
                                   : QStringList{"huidig.kvl", "oud.kvl"};
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), blijft);
    QVERIFY(!v.document.Opgeslagen());
    QCOMPARE(v.document.Bestandsnaam(), huidig);
    QCOMPARE(v.document.Caption(), QStringLiteral("Korvalinde - huidig.kvl"));
    QFile::setPermissions(dir.filePath("alleenlezen"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestScenarioDocument::sluitVraag_data() {
    QTest::addColumn<bool>("opgeslagen");
    QTest::addColumn<bool>("metBestand");
    QTest::addColumn<int>("antwoord");
    QTest::addColumn<QString>("dialoog"); // what the save dialog answers; "-" a folder that is missing
    QTest::addColumn<bool>("mag");
    QTest::addColumn<bool>("geschreven");
    QTest::newRow("no edit since the save: no question")
        << true << true << int(MeldKnop::Annuleer) << "" << true << false;
    QTest::newRow("Ja with a file") << false << true << int(MeldKnop::Ja) << "" << true << true;
    QTest::newRow("Ja, dialog cancelled") << false << false << int(MeldKnop::Ja) << "" << false << false;
    QTest::newRow("Ja, name given") << false << false << int(MeldKnop::Ja) << "nieuw.kvl" << true << true;
    QTest::newRow("Ja, save fails") << false << false << int(MeldKnop::Ja) << "-" << false << false;
    QTest::newRow("Nee") << false << true << int(MeldKnop::Nee) << "" << true << false;
    QTest::newRow("Annuleer") << false << true << int(MeldKnop::Annuleer) << "" << false << false;
    QTest::newRow("box closed") << false << false << int(MeldKnop::Geen) << "" << false << false;
}

void TestScenarioDocument::sluitVraag() {
    QFETCH(bool, opgeslagen);
    QFETCH(bool, metBestand);
    QFETCH(int, antwoord);
    QFETCH(QString, dialoog);
    QFETCH(bool, mag);
    QFETCH(bool, geschreven);
    QTemporaryDir dir;
    const QString bestand = dir.filePath("open.kvl");
    Venster v;
    QVERIFY(v.document.Schrijf(bestand));
    v.document.Nieuw();
    if (metBestand) QVERIFY(v.document.Lees(bestand));
    if (opgeslagen)
        QVERIFY(v.document.Opslaan());
    else
        v.invoer.SpenKoe->TypDoorGebruiker(QStringLiteral("77"));
    QCOMPARE(v.document.Opgeslagen(), opgeslagen);
    v.opslaanNaam = dialoog == "-"      ? dir.filePath("ontbreekt/x.kvl")
                    : dialoog.isEmpty() ? QString()
                                        : dir.filePath(dialoog);
    const QByteArray voor = Inhoud(bestand);
    v.melder.Wis();
    v.melder.antwoorden = {static_cast<MeldKnop>(antwoord)};

    QCOMPARE(v.document.MagSluiten(), mag);
    if (opgeslagen) {
        QVERIFY(v.melder.meldingen.isEmpty());
        return;
    }
    const auto& vraag = v.melder.meldingen.front();
    QCOMPARE(vraag.soort, MeldSoort::Bevestig);
    QCOMPARE(vraag.titel, QStringLiteral("Bevestig"));
    QCOMPARE(vraag.knoppen, Knoppen);
    QCOMPARE(vraag.tekst, metBestand ? QStringLiteral("Bestand %1 opslaan ?").arg(bestand)
                                     : QStringLiteral("Bestand  opslaan ?"));
    const QString doel = metBestand ? bestand : v.opslaanNaam;
    QCOMPARE(!doel.isEmpty() && Inhoud(doel) != voor && QFileInfo::exists(doel), geschreven);
    if (geschreven) QCOMPARE(v.document.Bestandsnaam(), doel);
    QCOMPARE(v.document.Opgeslagen(), mag);
}

void TestScenarioDocument::nieuw() {
    QTemporaryDir dir;
    const QString pad = dir.filePath("weide.kvl");
    Venster v;
    v.invoer.SpenKoe->SetValue(120);
    QVERIFY(v.document.Schrijf(pad));
    QVERIFY(v.document.Lees(pad));
    QCOMPARE(v.invoer.SpenKoe->Value(), 120.0);
    v.historie.clear();
    v.document.Nieuw();
    QCOMPARE(v.historie, QStringList{pad});
    QCOMPARE(v.document.Bestandsnaam(), QString());
    QCOMPARE(v.document.Caption(), QStringLiteral("Korvalinde"));
    QCOMPARE(v.captions.back(), QStringLiteral("Korvalinde"));
    QVERIFY(v.document.Opgeslagen()); // nothing to save in a new scenario
    QVERIFY(!v.berekening.ResultatenInBeeld());
    QCOMPARE(v.invoer.SpenKoe->Value(), 50.0);
    // A second New has no file to put in the list.
    v.document.Nieuw();
    QCOMPARE(v.historie.size(), 1);
}

void TestScenarioDocument::openenEnHistorie() {
    QTemporaryDir dir;
    const QString pad = dir.filePath("weide.kvl");
    Venster v;
    v.invoer.SpenKoe->SetValue(120);
    QVERIFY(v.document.Schrijf(pad));
    v.document.Nieuw();
    v.runs = 0;

    v.openNaam.clear(); // cancelled
    v.document.Openen();
    QCOMPARE(v.document.Bestandsnaam(), QString());
    QCOMPARE(v.runs, 0);

    v.document.BestandHistorieClick(dir.filePath("weg.kvl")); // no longer there: nothing happens
    QCOMPARE(v.document.Bestandsnaam(), QString());
    QVERIFY(v.melder.meldingen.isEmpty());
    QCOMPARE(v.runs, 0);

    v.document.BestandHistorieClick(pad);
    QCOMPARE(v.document.Bestandsnaam(), pad);
    QCOMPARE(v.invoer.SpenKoe->Value(), 120.0);

    v.document.Nieuw();
    v.openNaam = pad;
    v.document.Openen();
    QCOMPARE(v.document.Bestandsnaam(), pad);
    QVERIFY(v.berekening.ResultatenInBeeld());
}

QTEST_GUILESS_MAIN(TestScenarioDocument)
#include "test_scenario_document.moc"
