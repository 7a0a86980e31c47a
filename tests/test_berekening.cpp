// The calculation run, the page-change rule, the result tables and the alternatives, without a
// window: the input set and the calculation driven as the main window drives them.
#include "core/Berekening.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "domain/Algemeen.h"
#include "domain/Bedrijfsmodel.h"

#include <QtTest>

#include <cstring>
#include <random>

using namespace korvalinde;

namespace {

// A new scenario as the main window starts it: defaults, first calculation, alternatives set.
struct Opstelling {
    TOpnameMelder melder;
    TInvoerset invoer{&melder};
    TBerekening berekening{invoer, melder};
    int runs = 0;
    int cursorAan = 0;
    int cursorUit = 0;

    Opstelling() {
        QObject::connect(&berekening, &TBerekening::Doorgerekend, [this] { ++runs; });
        QObject::connect(&berekening, &TBerekening::Rekent,
                         [this](bool aan) { ++(aan ? cursorAan : cursorUit); });
        invoer.ZetStandaardwaarden();
        berekening.StartBerekening();
        runs = 0;
        melder.Wis();
    }
    QString Sam(int kolom, int rij) const { return berekening.GrdUitvoerSam->Cel(kolom, rij); }
    QString Det(int variant, int kolom, int rij) const {
        return berekening.GrdUitvoerDet[static_cast<std::size_t>(variant)]->Cel(kolom, rij);
    }
    void NaarUitvoer() {
        berekening.PaginaGewijzigd(false);
        berekening.PaginaGewijzigd(true);
    }
};

} // namespace

class TestBerekening : public QObject {
    Q_OBJECT

  private slots:
    void tekstNaarGetal_data();
    void tekstNaarGetal();
    void opstart();
    void tabellenOpmaak();
    void leesInvoer();
    void eersteBezoekRekentTweeKeer();
    void alleenResultaatPaginasRekenen_data();
    void alleenResultaatPaginasRekenen();
    void oppervlaktePerceel();
    void maximumWeidedagen();
    void legeWaardeRekentNiet();
    void legeOppervlakteLaatKolomLeeg();
    void weiderestWordtBereikteRest();
    void weiderestBlijftBijPaginawissels_data();
    void weiderestBlijftBijPaginawissels();
    void afgerondeBasisWordtOvergenomen();
    void tekstNaarGetalAlsStrtold();
    void foutJaargift();
    void ongeldigeDatum();
    void lezenLaatAlternatievenStaan();
    void waardeveldPerSoort_data();
    void waardeveldPerSoort();
};

void TestBerekening::tekstNaarGetal_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<float>("getal");
    QTest::newRow("empty") << "" << 0.0f;
    QTest::newRow("letters") << "abc" << 0.0f;
    QTest::newRow("comma") << "4,5" << 0.0f;
    QTest::newRow("number") << "4.20" << 4.2f;
    QTest::newRow("spaces") << "   2.3" << 2.3f;
    QTest::newRow("negative") << "-1" << -1.0f;
    QTest::newRow("too large for single") << "1e300" << 0.0f;
}

void TestBerekening::tekstNaarGetal() {
    QFETCH(QString, tekst);
    QFETCH(float, getal);
    QCOMPARE(TBerekening::TekstNaarGetal(tekst), getal);
}

void TestBerekening::tekstNaarGetalAlsStrtold() {
    // Cell texts as the tables hold them (up to 19 digits, any place of the point, signs) and longer
    // ones: the value read equals the single-precision value of the correctly rounded extended one.
    std::mt19937_64 gen(11);
    int verschillen = 0;
    for (int i = 0; i < 300000; ++i) {
        const int lengte = 1 + static_cast<int>(gen() % 21);
        QString tekst = i % 3 == 0 ? QStringLiteral("-") : i % 7 == 0 ? QStringLiteral("+") : QString();
        const int punt = static_cast<int>(gen() % static_cast<std::uint64_t>(lengte + 2)) - 1;
        for (int k = 0; k < lengte; ++k) {
            if (k == punt) tekst += QLatin1Char('.');
            tekst += QLatin1Char(static_cast<char>('0' + gen() % 10));
        }
        long double w = 0;
        const float verwacht = LeesGetal(tekst.toStdString(), w) ? static_cast<float>(w) : 0.0f;
        const float gelezen = TBerekening::TekstNaarGetal(tekst);
        if (std::memcmp(&verwacht, &gelezen, sizeof gelezen) != 0 && ++verschillen < 5)
            qWarning("%s: %a / %a", qPrintable(tekst), static_cast<double>(gelezen),
                     static_cast<double>(verwacht));
    }
    QCOMPARE(verschillen, 0);
}

void TestBerekening::opstart() {
    Opstelling o;
    QVERIFY(!o.berekening.ResultatenInBeeld());
    QCOMPARE(o.invoer.CbxAlt1->ItemIndex(), 4);
    QCOMPARE(o.invoer.CbxAlt2->ItemIndex(), 4);
    QCOMPARE(o.invoer.CbxAlt1->Tekst(), QStringLiteral("Opname ds snijmais"));
    QCOMPARE(o.invoer.SpeAlt1->Value(), 0.0);
    QCOMPARE(o.invoer.SpeAlt2->Value(), 0.0);
    QCOMPARE(o.invoer.SpeAlt1->MaxValue(), 20.0);
    QCOMPARE(o.Sam(2, 20), QStringLiteral("   4.20"));
    QCOMPARE(o.Sam(3, 2), o.Sam(2, 2));
    QCOMPARE(o.berekening.BewaardeInvoer.Alternatief[0].Soort, 5);
    QVERIFY(o.melder.meldingen.isEmpty());
    // The cursor is put back as often as it was set.
    QCOMPARE(o.cursorAan, o.cursorUit);
}

void TestBerekening::tabellenOpmaak() {
    Opstelling o;
    const TTabel* sam = o.berekening.GrdUitvoerSam;
    QCOMPARE(sam->ColCount(), 5);
    QCOMPARE(sam->RowCount(), 30);
    QCOMPARE(sam->Cel(0, 2), QStringLiteral("      Aantal weidedagen"));
    QCOMPARE(sam->Cel(1, 22), QStringLiteral("(% van gras zonder bijv)"));
    QCOMPARE(sam->Cel(0, 25), QStringLiteral("POTENTIELE MELKPRODUCTIE"));
    QCOMPARE(sam->Cel(4, 0), QStringLiteral("   Alternatief 1+2"));
    // Heading and blank rows get three spaces; row 29 is the last one filled.
    QCOMPARE(sam->Cel(2, 1), QStringLiteral("   "));
    QCOMPARE(sam->Cel(2, 7), QStringLiteral("   "));
    QVERIFY(sam->Cel(2, 29).trimmed().size() > 0);
    const TTabel* det = o.berekening.GrdUitvoerDet[2];
    QCOMPARE(det->RowCount(), 64);
    QCOMPARE(det->Cel(0, 3), QStringLiteral("Dag 0.0"));
    QCOMPARE(det->Cel(0, 4), QStringLiteral("Dag 0.5"));
    QCOMPARE(det->Cel(0, 63), QStringLiteral("Dag 30.0"));
    QCOMPARE(det->Cel(1, 1), QStringLiteral("> 5 cm"));
    QCOMPARE(det->Cel(11, 2), QStringLiteral("(kg/koe)"));
    // Above stubble before above ground, as the model's arrays are swapped for reading.
    const TQXUitvoer& uit = o.berekening.BewaardeUitvoer;
    QCOMPARE(o.Det(0, 1, 3), QString::fromStdString(uit.arBiomassa5[0][0]));
    QCOMPARE(o.Det(0, 2, 3), QString::fromStdString(uit.arBiomassa0[0][0]));
    QCOMPARE(o.Det(1, 8, 5), QString::fromStdString(uit.arOpname[1][2]));
    // The step 0 cells of intake stay empty; the grass runs out before the end of the period.
    QCOMPARE(o.Det(0, 7, 3), QString());
    QVERIFY(!o.Det(0, 7, 4).isEmpty());
    QCOMPARE(o.Det(0, 1, 63), QString());
}

void TestBerekening::leesInvoer() {
    Opstelling o;
    o.invoer.GrdVoeders->ZetCel(2, 3, QStringLiteral("abc"));
    o.invoer.GrdVoeders->ZetCel(3, 3, QString());
    o.invoer.SpeTkt->SetText(QStringLiteral("364.5"));
    o.invoer.SpeUrenWeidegang->SetText(QStringLiteral("2.5"));
    TQXInvoer in = o.berekening.LeesInvoer();
    QCOMPARE(in.Voeders[1][1], 0.0f);
    QCOMPARE(in.Voeders[1][2], 0.0f);
    QCOMPARE(in.Tussenkalftijd, 364); // half to even
    QCOMPARE(in.UrenWeidegang, 2);
    QCOMPARE(in.Inschaardag, 258);
    QCOMPARE(in.Systeem, std::string("OMWEID"));
    QCOMPARE(in.Zode, std::string("NORM"));
    QCOMPARE(in.Engelsraai, std::string(">50"));
    QCOMPARE(in.Jaargift, std::string("400"));
    QCOMPARE(in.VorigeSnede.Gebruik, std::string("MAAIEN"));
    QVERIFY(in.Ontwatering);
    QCOMPARE(in.PerceelOpp, 2.3f);
    QCOMPARE(in.Voeders[0][0], 4.2f);
    QCOMPARE(in.Gras[6], 0.91f);
    // A choice text of the user's own passes unchanged, after its box.
    o.invoer.CbxGrondsoort->TypDoorGebruiker(QStringLiteral("Zandig"));
    o.invoer.CbxZode->TypDoorGebruiker(QStringLiteral("Zeer dicht"));
    o.melder.Wis();
    in = o.berekening.LeesInvoer();
    QCOMPARE(in.Grondsoort, std::string("ZANDIG"));
    QCOMPARE(in.Zode, std::string("ZDICHT"));
    QCOMPARE(o.melder.Teksten(), QStringList{QStringLiteral("Onbekende string :zandig")});
    // An empty alternative value counts 0.
    o.invoer.SpeAlt1->SetText(QString());
    QCOMPARE(o.berekening.LeesInvoer().Alternatief[0].Waarde, 0.0f);
}

void TestBerekening::eersteBezoekRekentTweeKeer() {
    Opstelling o;
    // A changed base input: the base column differs, so the alternatives take the new base values
    // and the run is repeated.
    o.invoer.GrdVoeders->ZetCel(1, 3, QStringLiteral("2"));
    o.berekening.PaginaGewijzigd(true);
    QVERIFY(o.runs >= 2);
    QCOMPARE(o.Sam(2, 18), QStringLiteral("   2.0"));
    QCOMPARE(o.invoer.SpeAlt1->Tekst(), QStringLiteral("2.0"));
    QCOMPARE(o.invoer.SpeAlt2->Tekst(), QStringLiteral("2.0"));
    QCOMPARE(o.Sam(3, 18), QStringLiteral("   2.0"));
    // Nothing changed: one run per visit.
    o.berekening.PaginaGewijzigd(false);
    o.runs = 0;
    o.berekening.PaginaGewijzigd(true);
    QCOMPARE(o.runs, 1);
}

void TestBerekening::alleenResultaatPaginasRekenen_data() {
    QTest::addColumn<bool>("resultaten");
    QTest::newRow("an input page") << false;
    QTest::newRow("a result page") << true;
}

void TestBerekening::alleenResultaatPaginasRekenen() {
    QFETCH(bool, resultaten);
    Opstelling o;
    int vernieuwd = 0;
    QObject::connect(&o.berekening, &TBerekening::TabellenVernieuwd, [&] { ++vernieuwd; });
    o.berekening.PaginaGewijzigd(resultaten);
    QCOMPARE(o.runs > 0, resultaten);
    QCOMPARE(vernieuwd, resultaten ? 1 : 0);
}

void TestBerekening::oppervlaktePerceel() {
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    o.invoer.CbxAlt1->KiesDoorGebruiker(1);
    QCOMPARE(o.invoer.CbxAlt2->ItemIndex(), 1);
    QCOMPARE(o.invoer.SpeAlt1->Tekst().trimmed(), QStringLiteral("2.3"));
    QCOMPARE(o.invoer.SpeAlt2->Tekst().trimmed(), QStringLiteral("2.3"));
    QCOMPARE(o.invoer.SpeAlt1->MinValue(), 0.1);
    QCOMPARE(o.invoer.SpeAlt1->MaxValue(), 50.0); // as far as the paddock input goes
    // The user types another area: both columns follow, equal to each other.
    o.runs = 0;
    o.invoer.SpeAlt1->SetText(QStringLiteral("3.5"));
    QVERIFY(o.runs >= 1);
    QCOMPARE(o.invoer.SpeAlt2->Tekst(), QStringLiteral("3.5"));
    QCOMPARE(o.Sam(3, 3), QStringLiteral("   3.5"));
    for (int rij = 1; rij <= 29; ++rij) QCOMPARE(o.Sam(3, rij), o.Sam(4, rij));
    QVERIFY(o.Sam(3, 9) != o.Sam(2, 9));
}

void TestBerekening::maximumWeidedagen() {
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    o.invoer.CbxAlt1->KiesDoorGebruiker(0);
    const double basis = o.Sam(2, 2).trimmed().toDouble();
    QCOMPARE(o.invoer.SpeAlt1->MaxValue(), basis);
    QCOMPARE(o.invoer.SpeAlt1->Increment(), 0.5);
    o.invoer.SpeAlt1->SetValue(basis + 5);
    QCOMPARE(o.invoer.SpeAlt1->Value(), basis);
}

void TestBerekening::legeWaardeRekentNiet() {
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    o.invoer.CbxAlt2->KiesDoorGebruiker(6); // different kinds: alternative 1 recalculates itself
    o.runs = 0;
    o.invoer.SpeAlt1->SetText(QString());
    o.invoer.SpeAlt2->SetText(QString());
    QCOMPARE(o.runs, 0);
}

void TestBerekening::legeOppervlakteLaatKolomLeeg() {
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    o.invoer.CbxAlt1->KiesDoorGebruiker(1);
    o.invoer.CbxAlt2->KiesItem(4);
    o.invoer.SpeAlt1->SetText(QString());
    o.berekening.PaginaGewijzigd(true, o.invoer.SpeAlt1);
    for (int rij = 1; rij <= 29; ++rij) QCOMPARE(o.Sam(3, rij), QStringLiteral("   "));
    for (int rij = 3; rij < 64; ++rij)
        for (int k = 1; k <= 11; ++k) QCOMPARE(o.Det(1, k, rij), QString());
    QVERIFY(!o.Det(0, 1, 3).isEmpty());
}

void TestBerekening::weiderestWordtBereikteRest() {
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    o.invoer.CbxAlt1->KiesDoorGebruiker(2); // "Hoeveelheid weiderest"
    o.invoer.CbxAlt2->KiesDoorGebruiker(6); // another kind, so alternative 1 computes by itself
    o.invoer.SpeAlt1->SetText(QStringLiteral("400"));
    QCOMPARE(o.invoer.SpeAlt1->Tekst(), QStringLiteral("400"));
    QCOMPARE(o.berekening.BewaardeInvoer.Alternatief[0].Waarde, 400.0f);
    // The next refresh from a page change writes the residue reached, and computes with it.
    o.berekening.PaginaGewijzigd(true);
    const QString bereikt = QString::fromStdString(o.berekening.BewaardeUitvoer.arsam[3][4]);
    QVERIFY(bereikt.toDouble() >= 400);
    QCOMPARE(o.invoer.SpeAlt1->Tekst(), bereikt);
    QCOMPARE(o.berekening.BewaardeInvoer.Alternatief[0].Waarde, bereikt.toFloat());
}

void TestBerekening::weiderestBlijftBijPaginawissels_data() {
    // Large paddocks for small herds in the growing season, where regrowth outruns grazing and the
    // residue reached is not the one asked for; the residue kind in either alternative or in both.
    QTest::addColumn<QString>("perceel");
    QTest::addColumn<QString>("koeien");
    QTest::addColumn<QString>("datum");
    QTest::addColumn<int>("soort1");
    QTest::addColumn<int>("soort2");
    QTest::addColumn<QString>("rest"); // asked for in each alternative of the residue kind
    QTest::newRow("alternative 2, 50 ha in May") << "50"
                                                 << "20"
                                                 << "0105" << 1 << 2 << "400";
    QTest::newRow("alternative 2 beside maize, 30 ha in June") << "30"
                                                               << "10"
                                                               << "0106" << 4 << 2 << "300";
    QTest::newRow("alternative 2, 45 ha in July") << "45"
                                                  << "35"
                                                  << "1507" << 0 << 2 << "600";
    QTest::newRow("alternative 1, 50 ha in May") << "50"
                                                 << "20"
                                                 << "0105" << 2 << 6 << "400";
    QTest::newRow("both, 40 ha in June") << "40"
                                         << "15"
                                         << "0106" << 2 << 2 << "500";
}

void TestBerekening::weiderestBlijftBijPaginawissels() {
    // The first page turn writes back what each alternative reached; further page turns change
    // neither value field nor any result, and the results are those of the inputs shown.
    QFETCH(QString, perceel);
    QFETCH(QString, koeien);
    QFETCH(QString, datum);
    QFETCH(int, soort1);
    QFETCH(int, soort2);
    QFETCH(QString, rest);
    Opstelling o;
    TInvoerset& s = o.invoer;
    o.berekening.PaginaGewijzigd(true);
    s.SpePerceelOpp->TypDoorGebruiker(perceel);
    s.SpenKoe->TypDoorGebruiker(koeien);
    s.Cbxdatum->TypDoorGebruiker(datum);
    s.CbxAlt1->KiesDoorGebruiker(soort1);
    s.CbxAlt2->KiesDoorGebruiker(soort2);
    if (soort1 == 2) s.SpeAlt1->TypDoorGebruiker(rest);
    if (soort2 == 2 && soort1 != 2) s.SpeAlt2->TypDoorGebruiker(rest);
    QCOMPARE(s.CbxAlt2->ItemIndex(), soort2);
    const auto stand = [&o] {
        QStringList uit{o.invoer.SpeAlt1->Tekst(), o.invoer.SpeAlt2->Tekst()};
        for (int rij = 1; rij <= 29; ++rij)
            for (int kolom = 2; kolom <= 4; ++kolom) uit << o.Sam(kolom, rij);
        return uit;
    };
    o.NaarUitvoer();
    const QStringList na = stand();
    for (int keer = 1; keer <= 4; ++keer) {
        o.NaarUitvoer();
        QCOMPARE(stand(), na);
    }
    TQXUitvoer vers;
    TBedrijf().Bereken(LeesInvoerRecord(s), vers);
    for (int rij = 1; rij <= 29; ++rij)
        for (int kolom = 2; kolom <= 4; ++kolom)
            QCOMPARE(o.Sam(kolom, rij),
                     QStringLiteral("   ") + QString::fromStdString(vers.arsam[kolom][rij]));
}

void TestBerekening::afgerondeBasisWordtOvergenomen() {
    Opstelling o;
    o.invoer.GrdVoeders->ZetCel(1, 3, QStringLiteral("2.25"));
    o.NaarUitvoer();
    QCOMPARE(o.Sam(2, 18), QStringLiteral("   2.3"));
    QCOMPARE(o.invoer.SpeAlt1->Tekst(), QStringLiteral("2.3"));
    QCOMPARE(o.berekening.BewaardeInvoer.Alternatief[0].Waarde, 2.3f);
    QCOMPARE(o.berekening.BewaardeInvoer.Voeders[1][0], 2.25f);
}

void TestBerekening::foutJaargift() {
    Opstelling o;
    o.invoer.CbxJaargift->TypDoorGebruiker(QStringLiteral("150"));
    o.melder.Wis();
    o.berekening.PaginaGewijzigd(true);
    QCOMPARE(o.melder.meldingen.size(), 1);
    QCOMPARE(o.melder.meldingen.first().soort, MeldSoort::Fout);
    QCOMPARE(o.melder.meldingen.first().tekst, QStringLiteral("Gestoorde bijgroei, onbekende jaargift: 150"));
    // Half a run is no result: the tables are empty until the inputs can be computed again.
    QCOMPARE(o.Det(0, 1, 3), QString());
    QCOMPARE(o.Sam(2, 2), QString());
}

void TestBerekening::ongeldigeDatum() {
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    const QString voor = o.Sam(2, 9);
    o.invoer.Cbxdatum->ZetTekst(QStringLiteral("3102"));
    o.melder.Wis();
    o.runs = 0;
    o.berekening.PaginaGewijzigd(true);
    QCOMPARE(o.runs, 0);
    QCOMPARE(o.melder.meldingen.size(), 1);
    QCOMPARE(o.melder.meldingen.first().soort, MeldSoort::Waarschuwing);
    QVERIFY(!voor.trimmed().isEmpty());
    QCOMPARE(o.Sam(2, 9), QString()); // no numbers of the earlier inputs
    QCOMPARE(o.cursorAan, o.cursorUit);
}

void TestBerekening::lezenLaatAlternatievenStaan() {
    Opstelling o;
    o.invoer.GrdVoeders->ZetCel(1, 3, QStringLiteral("3"));
    o.berekening.LaadModus = true;
    o.invoer.SpeAlt1->SetText(QStringLiteral("1.5"));
    o.berekening.PaginaGewijzigd(true, o.invoer.SpeAlt2);
    QCOMPARE(o.invoer.SpeAlt1->Tekst(), QStringLiteral("1.5"));
    QCOMPARE(o.berekening.BewaardeInvoer.Alternatief[0].Waarde, 1.5f);
    // SetRxSpinEdit keeps the value while reading.
    o.berekening.SetRxSpinEdit(4, o.invoer.SpeAlt1);
    QCOMPARE(o.invoer.SpeAlt1->Tekst(), QStringLiteral("1.5"));
    o.berekening.LaadModus = false;
}

void TestBerekening::waardeveldPerSoort_data() {
    QTest::addColumn<int>("soort");
    QTest::addColumn<bool>("geheel");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum"); // -1: the base number of grazing days shown
    QTest::addColumn<double>("stap");
    QTest::addColumn<int>("decimalen");
    // Each kind covers at least the base input it replaces.
    QTest::newRow("Aantal weidedagen") << 0 << false << 0.0 << -1.0 << 0.5 << 1;
    QTest::newRow("Oppervlakte perceel") << 1 << false << 0.1 << 50.0 << 0.1 << 1;
    QTest::newRow("Hoeveelheid weiderest") << 2 << true << 0.0 << 10000.0 << 10.0 << 0;
    QTest::newRow("Aanbod bij inscharen > 5cm") << 3 << true << 0.0 << 4000.0 << 100.0 << 0;
    QTest::newRow("Opname ds snijmais") << 4 << false << 0.0 << 20.0 << 0.5 << 1;
    QTest::newRow("Opname ds graskuil") << 5 << false << 0.0 << 20.0 << 0.5 << 1;
    QTest::newRow("Opname ds krachtvoer") << 6 << false << 0.0 << 20.0 << 0.5 << 2;
}

void TestBerekening::waardeveldPerSoort() {
    QFETCH(int, soort);
    QFETCH(bool, geheel);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, stap);
    QFETCH(int, decimalen);
    Opstelling o;
    o.berekening.PaginaGewijzigd(true);
    // Start from a kind with another whole/decimal set-up, so that the set-up has to change.
    const int ander = soort == 2 || soort == 3 ? 1 : 2;
    o.invoer.CbxAlt1->KiesDoorGebruiker(ander);
    o.invoer.CbxAlt1->KiesDoorGebruiker(soort);
    if (maximum < 0) maximum = o.Sam(2, 2).trimmed().toDouble();
    for (const TGetalInvoer* veld : {o.invoer.SpeAlt1, o.invoer.SpeAlt2}) {
        QCOMPARE(veld->Geheel(), geheel);
        QCOMPARE(veld->MinValue(), minimum);
        QCOMPARE(veld->MaxValue(), maximum);
        QCOMPARE(veld->Increment(), stap);
        QCOMPARE(veld->Decimal(), decimalen);
    }
    // Alternative 2 chosen on its own gets the same set-up.
    o.invoer.CbxAlt2->KiesDoorGebruiker(ander);
    o.invoer.CbxAlt2->KiesDoorGebruiker(soort);
    QCOMPARE(o.invoer.SpeAlt2->Geheel(), geheel);
    QCOMPARE(o.invoer.SpeAlt2->MaxValue(), maximum);
    QCOMPARE(o.invoer.SpeAlt2->Decimal(), decimalen);
}

QTEST_GUILESS_MAIN(TestBerekening)
#include "test_berekening.moc"
