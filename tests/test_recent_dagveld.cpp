// Recent-files block of the file menu: separators, numbering, order, the maximum, case of names,
// picking an entry, and storage in the settings file. Also the day edit's check of day and month.
#include "components/Dagveld.h"
#include "components/RecenteBestanden.h"

#include <QtTest>

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

using namespace korvalinde;

namespace {

// A menu built from texts, "-" for a separator line.
void Vul(QMenu& menu, const QStringList& items) {
    for (const QString& t : items) {
        if (t == QLatin1String("-"))
            menu.addSeparator();
        else
            menu.addAction(t);
    }
}

QStringList Beschrijf(const QMenu& menu) {
    QStringList uit;
    for (const QAction* a : menu.actions()) uit << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return uit;
}

// The file menu of the main window, in order.
const QStringList Bestandsmenu{QStringLiteral("&Nieuw..."),
                               QStringLiteral("&Openen..."),
                               QStringLiteral("Op&slaan"),
                               QStringLiteral("Ops&laan als..."),
                               QStringLiteral("-"),
                               QStringLiteral("Printer-instelling..."),
                               QStringLiteral("A&fdrukvoorbeeld"),
                               QStringLiteral("Af&drukken..."),
                               QStringLiteral("-"),
                               QStringLiteral("&Afsluiten")};

} // namespace

class TestRecentDagveld : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void scheidingen_data();
    void scheidingen();
    void volgordeEnDubbel();
    void hoofdletters_data();
    void hoofdletters();
    void maximum_data();
    void maximum();
    void nietsToevoegen_data();
    void nietsToevoegen();
    void teksten();
    void kiezenUitDeLijst();
    void instellingenVastWanneerGevuld();
    void iniOpslaanEnLezen();
    void iniBeschadigd_data();
    void iniBeschadigd();
    void echtBestandssysteem();
    void dagEditDagEnMaand_data();
    void dagEditDagEnMaand();

  private:
    QString Maak(const QString& naam);
    QTemporaryDir m_map;
};

QString TestRecentDagveld::Maak(const QString& naam) {
    const QString pad = m_map.filePath(naam);
    QDir().mkpath(QFileInfo(pad).absolutePath());
    QFile f(pad);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot create %s", qPrintable(pad));
    f.write("kvl");
    return pad;
}

void TestRecentDagveld::init() {
    QVERIFY(m_map.isValid());
}

void TestRecentDagveld::scheidingen_data() {
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<int>("positie");
    QTest::addColumn<QStringList>("bestanden");
    QTest::addColumn<QStringList>("verwacht");
    QTest::addColumn<bool>("hergebruik");

    const QStringList ab{QStringLiteral("a.kvl"), QStringLiteral("b.kvl")};
    QStringList hoofdmenu = Bestandsmenu;
    hoofdmenu.insert(7, QStringLiteral("-"));
    hoofdmenu.insert(8, QStringLiteral("&1 b.kvl"));
    hoofdmenu.insert(9, QStringLiteral("&2 a.kvl"));
    hoofdmenu.insert(10, QStringLiteral("-"));
    QTest::newRow("hoofdvenster, positie 7") << Bestandsmenu << 7 << ab << hoofdmenu << false;
    QTest::newRow("positie 0, leeg menu")
        << QStringList{} << 0 << ab << QStringList{QStringLiteral("&1 b.kvl"), QStringLiteral("&2 a.kvl")}
        << false;
    QTest::newRow("positie 0: geen scheiding ervoor")
        << QStringList{QStringLiteral("Nieuw"), QStringLiteral("Open")} << 0 << ab
        << QStringList{QStringLiteral("&1 b.kvl"), QStringLiteral("&2 a.kvl"), QStringLiteral("-"),
                       QStringLiteral("Nieuw"), QStringLiteral("Open")}
        << false;
    QTest::newRow("bestaande scheiding wordt de bovenste")
        << QStringList{QStringLiteral("Nieuw"), QStringLiteral("-"), QStringLiteral("Sluiten")} << 1 << ab
        << QStringList{QStringLiteral("Nieuw"),    QStringLiteral("-"), QStringLiteral("&1 b.kvl"),
                       QStringLiteral("&2 a.kvl"), QStringLiteral("-"), QStringLiteral("Sluiten")}
        << true;
    QTest::newRow("einde van het menu")
        << QStringList{QStringLiteral("Nieuw"), QStringLiteral("Open")} << 2
        << QStringList{QStringLiteral("a.kvl")}
        << QStringList{QStringLiteral("Nieuw"), QStringLiteral("Open"), QStringLiteral("-"),
                       QStringLiteral("&1 a.kvl"), QStringLiteral("-")}
        << false;
    QTest::newRow("positie voorbij het einde")
        << QStringList{QStringLiteral("Nieuw")} << 9 << QStringList{QStringLiteral("a.kvl")}
        << QStringList{QStringLiteral("Nieuw"), QStringLiteral("-"), QStringLiteral("&1 a.kvl"),
                       QStringLiteral("-")}
        << false;
}

void TestRecentDagveld::scheidingen() {
    QFETCH(QStringList, menu);
    QFETCH(int, positie);
    QFETCH(QStringList, bestanden);
    QFETCH(QStringList, verwacht);
    QFETCH(bool, hergebruik);

    QMenu m;
    Vul(m, menu);
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    fhm.SetInvoegPositie(positie);
    for (const QString& b : bestanden) fhm.Add(Maak(b));
    QCOMPARE(Beschrijf(m), verwacht);
    QCOMPARE(fhm.ReusedSeparator(), hergebruik);

    // Picking every entry empties the block: the menu is as it was, also the reused separator.
    QStringList gemeld;
    QStringList menuBijMelding;
    connect(&fhm, &TZnFilehistMenu::OnClick, this, [&](const QString& naam) {
        gemeld << QFileInfo(naam).fileName();
        menuBijMelding = Beschrijf(m);
    });
    while (fhm.Count() > 0) fhm.Items().first()->trigger();
    QCOMPARE(Beschrijf(m), menu);
    QCOMPARE(menuBijMelding, menu); // separators gone before the pick is reported
    QCOMPARE(gemeld.size(), bestanden.size());
    QVERIFY(!fhm.LeadingSeparator() && !fhm.TrailingSeparator() && !fhm.ReusedSeparator());

    // And the block comes back in the same shape.
    for (const QString& b : bestanden) fhm.Add(m_map.filePath(b));
    QCOMPARE(Beschrijf(m), verwacht);
}

void TestRecentDagveld::volgordeEnDubbel() {
    QMenu m;
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    const QString a = Maak(QStringLiteral("a.kvl"));
    const QString b = Maak(QStringLiteral("b.kvl"));
    const QString c = Maak(QStringLiteral("c.kvl"));
    fhm.Add(a);
    fhm.Add(b);
    fhm.Add(c);
    fhm.Add(a);
    // Relative and untidy spellings of the same path are the same entry.
    QDir(m_map.path()).mkdir(QStringLiteral("sub"));
    QDir::setCurrent(m_map.path());
    fhm.Add(QStringLiteral("./sub/../b.kvl"));
    QCOMPARE(fhm.Bestanden(), (QStringList{b, a, c}));
    QCOMPARE(Beschrijf(m), (QStringList{QStringLiteral("&1 b.kvl"), QStringLiteral("&2 a.kvl"),
                                        QStringLiteral("&3 c.kvl")}));
}

void TestRecentDagveld::hoofdletters_data() {
    QTest::addColumn<bool>("gevoelig"); // the file system tells names apart by case
    QTest::addColumn<int>("opties");
    QTest::addColumn<QStringList>("verwacht"); // names relative to the folder, newest first
    QTest::addColumn<QStringList>("teksten");
    // Two files whose names differ only in case, added in this order: Weide1.kvl, weide1.KVL, Weide1.kvl.
    QTest::newRow("hoofdlettergevoelig: twee bestanden, eigen schrijfwijze")
        << true << 0 << QStringList{QStringLiteral("Weide1.kvl"), QStringLiteral("weide1.KVL")}
        << QStringList{QStringLiteral("&1 weide1.kvl"), QStringLiteral("&2 weide1.kvl")};
    QTest::newRow("ongevoelig: een bestand, in kleine letters")
        << false << 0 << QStringList{QStringLiteral("weide1.kvl")}
        << QStringList{QStringLiteral("&1 weide1.kvl")};
    QTest::newRow("ongevoelig met fhHoofdLetters")
        << false << int(fhHoofdLetters) << QStringList{QStringLiteral("WEIDE1.KVL")}
        << QStringList{QStringLiteral("&1 WEIDE1.KVL")};
    QTest::newRow("gevoelig met fhHoofdLetters")
        << true << int(fhHoofdLetters)
        << QStringList{QStringLiteral("Weide1.kvl"), QStringLiteral("weide1.KVL")}
        << QStringList{QStringLiteral("&1 WEIDE1.KVL"), QStringLiteral("&2 WEIDE1.KVL")};
}

void TestRecentDagveld::hoofdletters() {
    QFETCH(bool, gevoelig);
    QFETCH(int, opties);
    QFETCH(QStringList, verwacht);
    QFETCH(QStringList, teksten);
    const QString map = m_map.filePath(QStringLiteral("Map"));
    const QString groot = Maak(QStringLiteral("Map/Weide1.kvl"));
    const QString klein = Maak(QStringLiteral("Map/weide1.KVL"));
    QMenu m;
    TZnFilehistMenu fhm;
    fhm.SetHoofdletterGevoelig([gevoelig](const QString&) { return gevoelig; });
    fhm.SetOptions(TFileHistOptions(opties));
    fhm.SetBestandMenu(&m);
    fhm.Add(groot);
    fhm.Add(klein);
    fhm.Add(groot);
    QStringList namen;
    for (const QString& n : fhm.Bestanden()) {
        QCOMPARE(n.left(map.size()).compare(map, gevoelig ? Qt::CaseSensitive : Qt::CaseInsensitive), 0);
        namen << n.mid(map.size() + 1);
    }
    QCOMPARE(namen, verwacht);
    QCOMPARE(Beschrijf(m), teksten);
    // On a file system that tells case apart every stored name still opens its own file.
    if (gevoelig)
        for (const QString& n : fhm.Bestanden()) QVERIFY(QFileInfo(n).isFile());
}

void TestRecentDagveld::maximum_data() {
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("toegevoegd");
    QTest::addColumn<int>("daarna"); // MaxBestanden set afterwards (-1: not set)
    QTest::addColumn<int>("aantal");
    QTest::addColumn<int>("nieuwsteEerst"); // index of the newest file kept on top
    QTest::newRow("zesde verdringt de oudste") << 5 << 6 << -1 << 5 << 5;
    QTest::newRow("boven 20 wordt 20") << 25 << 22 << -1 << 20 << 21;
    QTest::newRow("negatief genegeerd") << 5 << 4 << -3 << 4 << 3;
    QTest::newRow("verlagen kort van achteren in") << 5 << 5 << 2 << 2 << 4;
    QTest::newRow("verlagen tot 0 maakt leeg") << 5 << 3 << 0 << 0 << -1;
}

void TestRecentDagveld::maximum() {
    QFETCH(int, max);
    QFETCH(int, toegevoegd);
    QFETCH(int, daarna);
    QFETCH(int, aantal);
    QFETCH(int, nieuwsteEerst);
    QMenu m;
    Vul(m, {QStringLiteral("Nieuw"), QStringLiteral("Sluiten")});
    TZnFilehistMenu fhm;
    QCOMPARE(fhm.MaxBestanden(), 5);
    fhm.SetBestandMenu(&m);
    fhm.SetInvoegPositie(1);
    fhm.SetMaxBestanden(max);
    QStringList namen;
    for (int i = 0; i < toegevoegd; ++i) {
        namen << Maak(QStringLiteral("f%1.kvl").arg(i));
        fhm.Add(namen.last());
    }
    if (daarna != -1) fhm.SetMaxBestanden(daarna);
    QCOMPARE(fhm.Count(), aantal);
    QCOMPARE(fhm.Items().size(), aantal);
    if (aantal > 0) {
        QCOMPARE(fhm.Bestanden().first(), namen.at(nieuwsteEerst));
        QCOMPARE(m.actions().size(), 2 + 2 + aantal);
    } else {
        QCOMPARE(Beschrijf(m), (QStringList{QStringLiteral("Nieuw"), QStringLiteral("Sluiten")}));
    }
}

void TestRecentDagveld::nietsToevoegen_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<bool>("metMenu");
    QTest::addColumn<int>("max");
    QTest::newRow("bestaat niet") << "weg.kvl" << true << 5;
    QTest::newRow("een map") << "map" << true << 5;
    QTest::newRow("lege naam") << "" << true << 5;
    QTest::newRow("geen menu") << "a.kvl" << false << 5;
    QTest::newRow("maximum 0") << "a.kvl" << true << 0;
}

void TestRecentDagveld::nietsToevoegen() {
    QFETCH(QString, naam);
    QFETCH(bool, metMenu);
    QFETCH(int, max);
    Maak(QStringLiteral("a.kvl"));
    QDir(m_map.path()).mkdir(QStringLiteral("map"));
    QMenu m;
    Vul(m, {QStringLiteral("Nieuw"), QStringLiteral("Sluiten")});
    TZnFilehistMenu fhm;
    if (metMenu) fhm.SetBestandMenu(&m);
    fhm.SetInvoegPositie(1);
    fhm.SetMaxBestanden(max);
    fhm.Add(naam.isEmpty() ? naam : m_map.filePath(naam));
    QCOMPARE(fhm.Count(), 0);
    QCOMPARE(m.actions().size(), 2); // no separators either
}

void TestRecentDagveld::teksten() {
    QMenu m;
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    fhm.SetMaxBestanden(12);
    QStringList namen;
    for (int i = 1; i <= 11; ++i) namen << Maak(QStringLiteral("w%1.kvl").arg(i));
    namen << Maak(QStringLiteral("Melk & Gras.kvl"));
    for (const QString& n : namen) fhm.Add(n);
    const QList<QAction*> items = fhm.Items();
    QCOMPARE(items.size(), 12);
    // "&1" .. "&9" give the first nine keyboard access keys; a "&" in a name is shown, not used.
    QCOMPARE(items[0]->text(), QStringLiteral("&1 melk && gras.kvl"));
    QCOMPARE(items[1]->text(), QStringLiteral("&2 w11.kvl"));
    QCOMPARE(items[9]->text(), QStringLiteral("&10 w3.kvl"));
    QCOMPARE(items[0]->statusTip(), QStringLiteral("Bestand ") + namen.last() + QStringLiteral(" openen"));
    fhm.SetOptions(fhToonPad);
    QCOMPARE(items[1]->text(), QStringLiteral("&2 ") + namen.at(10).toLower());
}

void TestRecentDagveld::kiezenUitDeLijst() {
    // The main window: picking a file enters the file open until then at the top, the picked one
    // leaves the list while it is open.
    QMenu m;
    Vul(m, Bestandsmenu);
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    fhm.SetInvoegPositie(7);
    const QString a = Maak(QStringLiteral("a.kvl"));
    const QString b = Maak(QStringLiteral("b.kvl"));
    QString open = Maak(QStringLiteral("open.kvl"));
    fhm.Add(a);
    fhm.Add(b);
    connect(&fhm, &TZnFilehistMenu::OnClick, this, [&](const QString& naam) {
        fhm.Add(open);
        open = naam;
    });
    fhm.Items().at(1)->trigger(); // "&2 a.kvl"
    QCOMPARE(open, a);
    QCOMPARE(fhm.Bestanden(), (QStringList{m_map.filePath(QStringLiteral("open.kvl")), b}));
    QCOMPARE(Beschrijf(m).mid(7, 4), (QStringList{QStringLiteral("-"), QStringLiteral("&1 open.kvl"),
                                                  QStringLiteral("&2 b.kvl"), QStringLiteral("-")}));

    // Only entry picked while a file is open: the separators go and come back around the new entry.
    fhm.SetMaxBestanden(1);
    fhm.Items().first()->trigger();
    QCOMPARE(Beschrijf(m).mid(7, 3),
             (QStringList{QStringLiteral("-"), QStringLiteral("&1 a.kvl"), QStringLiteral("-")}));
    QCOMPARE(m.actions().size(), Bestandsmenu.size() + 3);
}

void TestRecentDagveld::instellingenVastWanneerGevuld() {
    QMenu m1, m2;
    Vul(m1, {QStringLiteral("Nieuw"), QStringLiteral("Sluiten")});
    TZnFilehistMenu fhm;
    fhm.SetInvoegPositie(-1);
    QCOMPARE(fhm.InvoegPositie(), 0);
    fhm.SetInvoegPositie(5);
    fhm.SetBestandMenu(&m1); // the position is clamped to the new menu
    QCOMPARE(fhm.InvoegPositie(), 2);
    fhm.SetInvoegPositie(1);
    fhm.Add(Maak(QStringLiteral("a.kvl")));
    fhm.SetInvoegPositie(0);
    fhm.SetBestandMenu(&m2);
    QCOMPARE(fhm.InvoegPositie(), 1);
    QCOMPARE(fhm.BestandMenu(), &m1);
    QVERIFY(m2.actions().isEmpty());
}

void TestRecentDagveld::iniOpslaanEnLezen() {
    const QString ini = m_map.filePath(QStringLiteral("korvalinde.ini"));
    const QString a = Maak(QStringLiteral("a.kvl"));
    const QString b = Maak(QStringLiteral("Weiden/b, c.kvl"));
    const QString weg = Maak(QStringLiteral("weg.kvl"));
    {
        QSettings s(ini, QSettings::IniFormat);
        s.setValue(QStringLiteral("Gebruik/ProduktOndersteuning"), 0);
        s.setValue(QStringLiteral("BestandHistorie/FileHistItem7"), QStringLiteral("/oud.kvl"));
    }
    QMenu m;
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    fhm.Add(weg);
    fhm.Add(a);
    fhm.Add(b);
    QVERIFY(fhm.SaveToIni(ini, QStringLiteral("BestandHistorie")));

    QFile f(ini);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString tekst = QString::fromUtf8(f.readAll());
    QVERIFY(tekst.contains(QStringLiteral("[BestandHistorie]")));
    QVERIFY(tekst.contains(QStringLiteral("FileHistCount=3")));
    QVERIFY(tekst.contains(QStringLiteral("FileHistItem1=") + a));
    QVERIFY(!tekst.contains(QStringLiteral("FileHistItem7")));         // left over from a longer list
    QVERIFY(tekst.contains(QStringLiteral("ProduktOndersteuning=0"))); // other sections stay

    // A file deleted in the meantime does not come back.
    QVERIFY(QFile::remove(weg));
    QMenu m2;
    TZnFilehistMenu terug;
    terug.SetBestandMenu(&m2);
    QVERIFY(terug.LoadFromIni(ini, QStringLiteral("BestandHistorie")));
    QCOMPARE(terug.Bestanden(), (QStringList{b, a}));
}

void TestRecentDagveld::iniBeschadigd_data() {
    QTest::addColumn<QByteArray>("inhoud");
    QTest::addColumn<int>("aantal");
    const QByteArray item = "FileHistItem0=%1\nFileHistItem1=%2\n";
    QTest::newRow("geen bestand") << QByteArray() << 0;
    QTest::newRow("geen getal") << QByteArray("[BestandHistorie]\nFileHistCount=veel\n") + item << 0;
    QTest::newRow("negatief") << QByteArray("[BestandHistorie]\nFileHistCount=-4\n") + item << 0;
    QTest::newRow("te groot") << QByteArray("[BestandHistorie]\nFileHistCount=2147483647\n") + item << 2;
    QTest::newRow("ontbrekende namen") << QByteArray("[BestandHistorie]\nFileHistCount=5\n") + item << 2;
    QTest::newRow("onzin") << QByteArray("\x01\x02[[[=\n\xff\xfe") << 0;
}

void TestRecentDagveld::iniBeschadigd() {
    QFETCH(QByteArray, inhoud);
    QFETCH(int, aantal);
    const QString a = Maak(QStringLiteral("a.kvl"));
    const QString b = Maak(QStringLiteral("b.kvl"));
    const QString ini = m_map.filePath(QStringLiteral("kapot.ini"));
    QFile::remove(ini);
    if (!inhoud.isEmpty()) {
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhoud.contains("%1") ? QString::fromUtf8(inhoud).arg(a, b).toUtf8() : inhoud);
    }
    QMenu m;
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    QElapsedTimer klok;
    klok.start();
    fhm.LoadFromIni(ini, QStringLiteral("BestandHistorie"));
    QVERIFY(klok.elapsed() < 5000);
    QCOMPARE(fhm.Count(), aantal);
    if (aantal == 2) QCOMPARE(fhm.Bestanden(), (QStringList{a, b}));
}

void TestRecentDagveld::echtBestandssysteem() {
    // The temporary folder on Linux tells case apart; a name with no letters cannot be probed and
    // counts as case-sensitive.
    const QString pad = Maak(QStringLiteral("Weide1.kvl"));
    if (QFileInfo::exists(m_map.filePath(QStringLiteral("wEIDE1.KVL"))))
        QSKIP("temporary folder ignores case");
    QVERIFY(TZnFilehistMenu::HoofdletterGevoelig(pad));
    QVERIFY(TZnFilehistMenu::HoofdletterGevoelig(Maak(QStringLiteral("123.456"))));
    QMenu m;
    TZnFilehistMenu fhm;
    fhm.SetBestandMenu(&m);
    fhm.Add(pad);
    QCOMPARE(fhm.Bestanden(), QStringList{pad});
}

void TestRecentDagveld::dagEditDagEnMaand_data() {
    QTest::addColumn<QString>("tekst"); // day x 100 + month as typed
    QTest::addColumn<int>("dag");       // day of the year in 2001; 0 for an entry the check refuses
    QTest::addColumn<QString>("fout");
    // The last day of every month of 2001 passes, the day after it does not.
    const int lengte[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int totHier = 0;
    for (int maand = 1; maand <= 12; ++maand) {
        totHier += lengte[maand - 1];
        const QString laatste = QString::number(lengte[maand - 1] * 100 + maand);
        const QString daarna = QString::number((lengte[maand - 1] + 1) * 100 + maand);
        QTest::addRow("%s last day", qPrintable(laatste)) << laatste << totHier << QString();
        QTest::addRow("%s day after", qPrintable(daarna)) << daarna << 0 << "Ongeldige dag ingegeven";
    }
    QTest::newRow("0101 first day") << "0101" << 1 << QString();
    QTest::newRow("0100 month 0") << "0100" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("113 month 13") << "113" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("12 day 0") << "12" << 0 << "Ongeldige dag ingegeven";
    QTest::newRow("empty") << "" << 0 << QString();
}

void TestRecentDagveld::dagEditDagEnMaand() {
    QFETCH(QString, tekst);
    QFETCH(int, dag);
    QFETCH(QString, fout);
    TznDayEdit edit;
    edit.SetText(tekst);
    QString melding;
    try {
        edit.CheckDay();
    } catch (const EDlxError& e) {
        melding = QString::fromUtf8(e.what());
    }
    QCOMPARE(melding, fout);
    QCOMPARE(edit.DayOfYear(), dag);
    if (dag > 0) QCOMPARE(edit.AsDate(), QDate(2001, 1, 1).addDays(dag - 1));
}

QTEST_MAIN(TestRecentDagveld)
#include "test_recent_dagveld.moc"
