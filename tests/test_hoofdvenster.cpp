// The main window as a whole: its menus, tool bar and status hints, the settings file with the
// recent files, the start with a scenario named on the command line, the close query, the report
// commands, the about box, and the program start that links the help entries to their windows.
#include "VensterKind.h"
#include "test_versie_server.h"

#include "Systeemtest.h"
#include "Testbestanden.h"
#include "components/Afdrukvoorbeeld.h"
#include "components/Dialoogmelder.h"
#include "components/Infovenster.h"
#include "components/Programmainfo.h"
#include "components/RecenteBestanden.h"
#include "core/Berekening.h"
#include "core/Instellingen.h"
#include "core/Invoerset.h"
#include "core/Scenario.h"
#include "domain/Bedrijfsmodel.h"
#include "programs/Handleiding.h"
#include "programs/Produktondersteuning.h"
#include "programs/Programma.h"
#include "programs/Startvenster.h"
#include "report/GrafiekOpbouw.h"
#include "ui/Glyphs.h"
#include "ui/GrafiekPagina.h"
#include "ui/Hoofdvenster.h"
#include "ui/InvoerWidgets.h"
#include "ui/Toepassing.h"
#include "ui/Verkenvenster.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <csignal>

using namespace korvalinde;
using korvalinde::testdata::Kind;

namespace {

// Saves a picture when KORVALINDE_PNG_MAP names a folder (for a person to look at).
void Bewaar(const QImage& plaatje, const QString& naam) {
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (!map.isEmpty()) plaatje.save(map + QLatin1Char('/') + naam + QStringLiteral(".png"));
}

// The entries of a menu as their captions, "-" for a separator.
QStringList Indeling(const QMenu* menu) {
    QStringList uit;
    for (const QAction* a : menu->actions()) uit << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return uit;
}

using testbestand::Inhoud;

void Schrijf(const QString& pad, const QByteArray& inhoud) {
    QVERIFY(testbestand::Schrijf(pad, inhoud));
}

// The window shows what a fresh read of `bytes` shows: every input (in its widget too) and, when the
// results are in view, the summary as the model computes it for those inputs.
void ZoalsGelezen(TFrmHoofdFormulier& venster, const QByteArray& bytes, const QString& wanneer) {
    TOpnameMelder stil;
    TInvoerset vers(&stil);
    QVERIFY2(DecodeerScenario(bytes, vers).isEmpty(), qPrintable(wanneer));
    TInvoerset& s = *venster.Invoerset();
    for (const TInvoer* i : vers.findChildren<TInvoer*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString naam = i->Naam();
        QString nu, verwacht;
        if (const TGetalInvoer* g = vers.Getal(naam)) {
            // The value read; its text as the window's field shows it (the alternatives' fields
            // take their decimals from the kind the window set up).
            verwacht = QString::number(g->Value());
            nu = QString::number(s.Getal(naam)->Value());
            if (auto* w = venster.findChild<QAbstractSpinBox*>(naam))
                QVERIFY2(w->text() == s.Getal(naam)->Tekst(),
                         qPrintable(wanneer + ": " + naam + " shows " + w->text()));
        } else if (const TKeuzeInvoer* k = vers.Keuze(naam)) {
            verwacht = k->Tekst();
            nu = s.Keuze(naam)->Tekst();
            if (auto* w = venster.findChild<QComboBox*>(naam))
                QVERIFY2(w->currentText() == verwacht,
                         qPrintable(wanneer + ": " + naam + " shows " + w->currentText()));
        }
        QVERIFY2(nu == verwacht, qPrintable(wanneer + ": " + naam + " = " + nu + ", read: " + verwacht));
    }
    if (!venster.Berekening()->ResultatenInBeeld()) return;
    TQXUitvoer uit;
    try {
        TBedrijf().Bereken(LeesInvoerRecord(vers), uit);
    } catch (const std::exception&) {
        return; // a scenario the model stops at shows its error, not a summary
    }
    const TTabel* sam = venster.Berekening()->GrdUitvoerSam;
    for (int rij = 1; rij <= 29; ++rij)
        for (int kolom = 2; kolom <= 4; ++kolom)
            QVERIFY2(sam->Cel(kolom, rij) ==
                         QStringLiteral("   ") + QString::fromStdString(uit.arsam[kolom][rij]),
                     qPrintable(wanneer + QStringLiteral(": summary %1,%2").arg(kolom).arg(rij)));
}

// A settings file of exactly the read limit that begins with good lines and goes on with bytes that
// are no text.
QByteArray Beschadigd(const QByteArray& begin) {
    QByteArray bytes = begin;
    QRandomGenerator willekeur(27);
    while (bytes.size() < qsizetype(InstellingenMaxGrootte)) bytes += char(willekeur.bounded(256));
    return bytes;
}

void Betreed(QWidget* widget) {
    const QPointF midden = QRectF(widget->rect()).center();
    QEnterEvent binnen(midden, widget->mapTo(widget->window(), midden), widget->mapToGlobal(midden));
    QApplication::sendEvent(widget, &binnen);
}

} // namespace

class TestHoofdvenster : public QObject {
    Q_OBJECT

    TOpnameMelder melder;
    QString openNaam;    // what the open dialog answers
    QString opslaanNaam; // what the save dialog answers
    int opslaanGevraagd = 0;
    std::unique_ptr<QTemporaryDir> map;

    std::unique_ptr<TFrmHoofdFormulier> Venster(QSettings* instellingen = nullptr,
                                                const QString& start = {}) {
        THoofdvensterOpties opties;
        opties.Instellingen = instellingen;
        opties.Versie = VersieTekst(QStringLiteral("V"));
        opties.Datum = VersieTekst(QStringLiteral("D"));
        opties.StartBestand = start;
        auto venster = std::make_unique<TFrmHoofdFormulier>(opties, &melder);
        venster->Document()->VraagOpenNaam = [this](const QString&) { return openNaam; };
        venster->Document()->VraagOpslaanNaam = [this](const QString&) {
            ++opslaanGevraagd;
            return opslaanNaam;
        };
        return venster;
    }

    // A scenario file with 80 cows and a paddock of 3.5 ha.
    QString Scenario(const QString& naam) {
        const QString pad = map->filePath(naam);
        auto venster = Venster();
        venster->Invoerset()->SpenKoe->SetText(QStringLiteral("80"));
        venster->Invoerset()->SpePerceelOpp->SetText(QStringLiteral("3.5"));
        if (!venster->Document()->Schrijf(pad)) return {};
        return pad;
    }

  private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }
    void init() {
        melder = TOpnameMelder();
        openNaam.clear();
        opslaanNaam.clear();
        opslaanGevraagd = 0;
        map = std::make_unique<QTemporaryDir>();
        ZetStandaardMelder(&melder);
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
        ZetStandaardMelder(nullptr);
    }

    void menus_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<QString>("sneltoets");
        QTest::addColumn<QString>("hint");
        const auto rij = [](const char* naam, const char* tekst, const char* sneltoets, const char* hint) {
            QTest::newRow(naam) << naam << QString::fromUtf8(tekst) << sneltoets << QString::fromUtf8(hint);
        };
        rij("MitBestand", "&Bestand", "",
            "Bestandsbeheer commando's (Nieuw, Openen, Opslaan, Afdrukken, enz)");
        rij("MitNieuw", "&Nieuw...", "Ctrl+N", "Nieuw bestand openen");
        rij("MitOpenen", "&Openen...", "Ctrl+O", "Bestaand bestand openen");
        rij("MitOpslaan", "Op&slaan", "Ctrl+S", "Bestand opslaan");
        rij("MitOpslaanals", "Ops&laan als...", "", "Bestand opslaan onder een nieuwe naam");
        rij("MitPrinterInstelling", "Printer-instelling...", "", "Printer instellingen wijzigingen");
        rij("MitAfdrukvoorbeeld", "A&fdrukvoorbeeld", "",
            "Inhoud van het bestand als afdrukvoorbeeld op scherm tonen");
        rij("MitAfdrukken", "Af&drukken...", "Ctrl+P", "Inhoud van het bestand afdrukken");
        rij("MitAfsluiten", "&Afsluiten", "", "Programma verlaten");
        rij("MitBewerken", "Be&werken", "", "Wijzigingen ongedaan maken of opnieuw uitvoeren");
        rij("MitOngedaanMaken", "&Ongedaan maken", "Ctrl+Z", "De laatste wijziging ongedaan maken");
        rij("MitOpnieuw", "O&pnieuw", "Ctrl+Y", "De laatst ongedaan gemaakte wijziging opnieuw uitvoeren");
        rij("MitGebruik", "&Opties", "", "");
        rij("MitVerkennen", "V&erkennen...", "",
            "Een invoer over een bereik verkennen of de waarde voor een doel zoeken");
        rij("VersieControle1", "&Versiecontrole uitvoeren", "", "");
        rij("MitVersieBijStarten", "Bij het starten op een nieuwe versie controleren", "", "");
        rij("MitHelp", "&Help", "", "Toegang online help");
        rij("Website1", "&Website korvalinde.example.org", "", "");
        rij("Handleiding", "&Handleiding", "", "");
        rij("MitProduktondersteuning", "&Produktondersteuning", "",
            "Achtergrondinformatie bij het programma");
        rij("MitProduktOndersteuningTonen", "...&tonen bij opstarten", "",
            "Achtergrondinformatie tonen bij opstarten van het programma");
        rij("MitInfo", "&Info...", "", "Informatie");
    }
    void menus() {
        QFETCH(QString, naam);
        QFETCH(QString, tekst);
        QFETCH(QString, sneltoets);
        QFETCH(QString, hint);
        auto venster = Venster();
        const QList<QAction*> gevonden = venster->findChildren<QAction*>(naam);
        const QAction* item = gevonden.size() == 1 ? gevonden.front() : nullptr;
        if (auto* menu = venster->findChild<QMenu*>(naam)) {
            QVERIFY(!item);
            item = menu->menuAction();
            QVERIFY(venster->menuBar()->actions().contains(menu->menuAction()));
        }
        QVERIFY2(item, qPrintable(naam));
        QCOMPARE(item->text(), tekst);
        QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), sneltoets);
        QCOMPARE(item->statusTip(), hint);
        QCOMPARE(item->isCheckable(), naam == QLatin1String("MitProduktOndersteuningTonen") ||
                                          naam == QLatin1String("MitVersieBijStarten"));
        // Without settings the window shows the product-support check mark set and the start-up
        // version check off.
        if (item->isCheckable())
            QCOMPARE(item->isChecked(), naam == QLatin1String("MitProduktOndersteuningTonen"));
    }

    void menubalk() {
        auto venster = Venster();
        QStringList titels;
        for (const QAction* a : venster->menuBar()->actions()) titels << a->text();
        QCOMPARE(titels, QStringList({"&Bestand", "Be&werken", "&Opties", "&Help"}));
        QCOMPARE(Indeling(Kind<QMenu>(venster, "MitBewerken")), QStringList({"&Ongedaan maken", "O&pnieuw"}));
        QCOMPARE(Kind<QAction>(venster, "MitOpnieuw")->shortcuts(),
                 QList<QKeySequence>(
                     {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        QCOMPARE(Indeling(Kind<QMenu>(venster, "MitGebruik")),
                 QStringList({"V&erkennen...", "&Versiecontrole uitvoeren",
                              "Bij het starten op een nieuwe versie controleren"}));
        QCOMPARE(Indeling(Kind<QMenu>(venster, "MitHelp")),
                 QStringList({"&Website korvalinde.example.org", "&Handleiding", "&Produktondersteuning",
                              "...&tonen bij opstarten", "-", "&Info..."}));
    }

    // The recent files sit between "A&fdrukvoorbeeld" and "Af&drukken...", framed by separators;
    // a file that no longer exists is left out, and picking one opens it while the file open until
    // then goes to the top of the list.
    void recenteBestanden() {
        const QString a = Scenario(QStringLiteral("Weide1.kvl"));
        const QString b = Scenario(QStringLiteral("weide2.kvl"));
        const QString ini = map->filePath(QStringLiteral("korvalinde.ini"));
        {
            QSettings s(ini, QSettings::IniFormat);
            s.setValue(QStringLiteral("BestandHistorie/FileHistCount"), 3);
            s.setValue(QStringLiteral("BestandHistorie/FileHistItem0"), b);
            s.setValue(QStringLiteral("BestandHistorie/FileHistItem1"),
                       map->filePath(QStringLiteral("weg.kvl")));
            s.setValue(QStringLiteral("BestandHistorie/FileHistItem2"), a);
        }
        QSettings instellingen(ini, QSettings::IniFormat);
        auto venster = Venster(&instellingen);
        const QStringList zonder = {
            "&Nieuw...",        "&Openen...",    "Op&slaan", "Ops&laan als...", "-", "Printer-instelling...",
            "A&fdrukvoorbeeld", "Af&drukken...", "-",        "&Afsluiten"};
        QStringList met = zonder;
        met.insert(TFrmHoofdFormulier::BestandHistoriePositie,
                   QStringList({"-", "&1 weide2.kvl", "&2 weide1.kvl", "-"}).join('\n'));
        QCOMPARE(Indeling(Kind<QMenu>(venster, "MitBestand")).join('\n'), met.join('\n'));
        QCOMPARE(Kind<TZnFilehistMenu>(venster, "FhmBestandHistorie")->Items().front()->statusTip(),
                 QStringLiteral("Bestand %1 openen").arg(b));

        QVERIFY(venster->Document()->Lees(b));
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - weide2.kvl[*]"));
        Kind<TZnFilehistMenu>(venster, "FhmBestandHistorie")->Items().at(1)->trigger(); // "&2 weide1.kvl"
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - weide1.kvl[*]"));
        QCOMPARE(Kind<TZnFilehistMenu>(venster, "FhmBestandHistorie")->Bestanden(), QStringList{b});
        QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(),
                 int(TFrmHoofdFormulier::Uitvoer));
        QCOMPARE(venster->Invoerset()->SpenKoe->Tekst().trimmed(), QStringLiteral("80"));

        // New puts the file just used on top; closing saves the list.
        Kind<QAction>(venster, "MitNieuw")->trigger();
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde[*]"));
        QCOMPARE(Kind<TZnFilehistMenu>(venster, "FhmBestandHistorie")->Bestanden(), QStringList({a, b}));
        melder.antwoorden = {MeldKnop::Nee};
        venster->show();
        Kind<QAction>(venster, "MitAfsluiten")->trigger();
        QVERIFY(!venster->isVisible());
        QSettings terug(ini, QSettings::IniFormat);
        QCOMPARE(terug.value(QStringLiteral("BestandHistorie/FileHistCount")).toInt(), 2);
        QCOMPARE(terug.value(QStringLiteral("BestandHistorie/FileHistItem0")).toString(), a);
        QCOMPARE(terug.value(QStringLiteral("BestandHistorie/FileHistItem1")).toString(), b);
        QVERIFY(!terug.contains(QStringLiteral("BestandHistorie/FileHistItem2")));
    }

    void speedbar_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("statushint");
        QTest::newRow("BtnNieuw") << "BtnNieuw"
                                  << "Nieuw"
                                  << "";
        QTest::newRow("BtnOpenen") << "BtnOpenen"
                                   << "Openen"
                                   << "";
        QTest::newRow("BtnOpslaan") << "BtnOpslaan"
                                    << "Opslaan"
                                    << "";
        QTest::newRow("BtnAfdrukvoorbeeld") << "BtnAfdrukvoorbeeld"
                                            << "Rekenen en afdrukvoorbeeld"
                                            << "";
        QTest::newRow("BtnAfdrukken") << "BtnAfdrukken"
                                      << "Afdrukken"
                                      << "";
        QTest::newRow("BtnProduktOndersteuning") << "BtnProduktOndersteuning"
                                                 << "Produktondersteuning"
                                                 << "Produktondersteuning";
        QTest::newRow("BtnHandleiding") << "BtnHandleiding"
                                        << "Handleiding"
                                        << "Handleiding";
    }
    void speedbar() {
        QFETCH(QString, naam);
        QFETCH(QString, tooltip);
        QFETCH(QString, statushint);
        auto venster = Venster();
        venster->show();
        const QList<QToolButton*> knoppen =
            Kind<QWidget>(venster, "PnlSpeedbar")->findChildren<QToolButton*>();
        QCOMPARE(knoppen.size(), 7);
        auto* knop = Kind<QWidget>(venster, "PnlSpeedbar")->findChild<QToolButton*>(naam);
        QVERIFY(knop);
        QCOMPARE(knop->toolTip(), tooltip);
        QCOMPARE(knop->statusTip(), statushint);
        QVERIFY(!knop->icon().isNull());
        QVERIFY(knop->geometry().bottom() < Kind<QWidget>(venster, "PnlSpeedbar")->height());
        // Left to right in three groups: a wider gap before the first button of a group.
        QList<QToolButton*> opVolgorde = knoppen;
        std::sort(opVolgorde.begin(), opVolgorde.end(),
                  [](QToolButton* x, QToolButton* y) { return x->x() < y->x(); });
        const int plaats = int(opVolgorde.indexOf(knop));
        QCOMPARE(plaats, int(QStringList({"BtnNieuw", "BtnOpenen", "BtnOpslaan", "BtnAfdrukvoorbeeld",
                                          "BtnAfdrukken", "BtnProduktOndersteuning", "BtnHandleiding"})
                                 .indexOf(naam)));
        if (plaats > 0) {
            const int gat = knop->x() - opVolgorde.at(plaats - 1)->geometry().right();
            const bool nieuweGroep = plaats == 3 || plaats == 5;
            QVERIFY2(nieuweGroep ? gat > 6 : gat < 4, qPrintable(QString::number(gat)));
        }
        // Entering the button puts its status hint into the status panel (empty ones too).
        venster->ShowHint(QStringLiteral("vorige hint"));
        Betreed(knop);
        QCOMPARE(Kind<QLabel>(venster, "PnlStatusBar")->text(), statushint);
    }

    void bestandKnoppenAlsMenu() {
        // The tool buttons of the file group run the same commands as the menu.
        const QString a = Scenario(QStringLiteral("knop.kvl"));
        auto venster = Venster();
        openNaam = a;
        Kind<QToolButton>(venster, "BtnOpenen")->click();
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - knop.kvl[*]"));
        opslaanNaam = map->filePath(QStringLiteral("kopie.kvl"));
        Kind<QToolButton>(venster, "BtnOpslaan")->click(); // a current file: written without the dialog
        QCOMPARE(opslaanGevraagd, 0);
        Kind<QToolButton>(venster, "BtnNieuw")->click();
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde[*]"));
        Kind<QToolButton>(venster, "BtnOpslaan")->click();
        QCOMPARE(opslaanGevraagd, 1);
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - kopie.kvl[*]"));
        QVERIFY(melder.meldingen.isEmpty());
    }

    void sneltoetsen() {
        const QString a = Scenario(QStringLiteral("sneltoets.kvl"));
        auto venster = Venster();
        venster->show();
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        openNaam = a;
        QTest::keyClick(venster.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - sneltoets.kvl[*]"));
        QTest::keyClick(venster.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde[*]"));
        QTest::keyClick(venster.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(opslaanGevraagd, 1);
    }

    void menuHintInStatuspaneel() {
        auto venster = Venster();
        venster->show();
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        venster->menuBar()->setActiveAction(Kind<QMenu>(venster, "MitBestand")->menuAction());
        QVERIFY(QTest::qWaitForWindowExposed(Kind<QMenu>(venster, "MitBestand")));
        QCOMPARE(Kind<QLabel>(venster, "PnlStatusBar")->text(),
                 QStringLiteral("Bestandsbeheer commando's (Nieuw, Openen, Opslaan, Afdrukken, enz)"));
        QTest::keyClick(Kind<QMenu>(venster, "MitBestand"), Qt::Key_Down);
        QTest::keyClick(Kind<QMenu>(venster, "MitBestand"), Qt::Key_Down);
        QCOMPARE(Kind<QMenu>(venster, "MitBestand")->activeAction(), Kind<QAction>(venster, "MitOpenen"));
        QCOMPARE(Kind<QLabel>(venster, "PnlStatusBar")->text(), QStringLiteral("Bestaand bestand openen"));
        Kind<QMenu>(venster, "MitBestand")->close();
    }

    // A missing or damaged settings file gives the defaults without a box; closing writes the
    // recent-files list into it and keeps the other sections.
    void instellingen_data() {
        QTest::addColumn<QByteArray>("inhoud"); // empty: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("damaged") << QByteArray("\x00\xff[[BestandHistorie\nFileHistCount=veel\n=\n\xfe\x01",
                                               40);
        QTest::newRow("count without names") << QByteArray("[BestandHistorie]\nFileHistCount=3\n");
        QTest::newRow("huge count") << QByteArray("[BestandHistorie]\nFileHistCount=2000000000\n"
                                                  "[Gebruik]\nProduktOndersteuning=0\n");
    }
    void instellingen() {
        QFETCH(QByteArray, inhoud);
        const QString ini = map->filePath(QStringLiteral("korvalinde.ini"));
        if (!inhoud.isEmpty()) Schrijf(ini, inhoud);
        const QString scenario = Scenario(QStringLiteral("Laatste.kvl"));
        {
            QSettings instellingen(ini, QSettings::IniFormat);
            auto venster = Venster(&instellingen);
            QCOMPARE(Kind<TZnFilehistMenu>(venster, "FhmBestandHistorie")->Count(), 0);
            QCOMPARE(Indeling(Kind<QMenu>(venster, "MitBestand")).size(), 10);
            QVERIFY(melder.meldingen.isEmpty());
            QVERIFY(venster->Document()->Lees(scenario));
            venster->show();
            venster->Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("81"));
            venster->close(); // an edit not saved: the close query asks
            QCOMPARE(melder.Teksten(), QStringList{QStringLiteral("Bestand %1 opslaan ?").arg(scenario)});
            QVERIFY(!venster->isVisible());
        }
        QSettings terug(ini, QSettings::IniFormat);
        QCOMPARE(terug.value(QStringLiteral("BestandHistorie/FileHistCount")).toInt(), 1);
        QCOMPARE(terug.value(QStringLiteral("BestandHistorie/FileHistItem0")).toString(), scenario);
        if (inhoud.contains("ProduktOndersteuning"))
            QCOMPARE(terug.value(QStringLiteral("Gebruik/ProduktOndersteuning")).toString(),
                     QStringLiteral("0"));
    }

    void instellingenPad_data() {
        QTest::addColumn<QString>("programma");  // "<tmp>" stands for a writable folder
        QTest::addColumn<QString>("neerzetten"); // a file placed first, relative to <tmp>
        QTest::addColumn<bool>("inProgrammaMap");
        QTest::newRow("writable program folder") << "<tmp>/bin/korvalinde"
                                                 << "" << false;
        QTest::newRow("portable copy: settings file beside the program") << "<tmp>/bin/korvalinde"
                                                                         << "bin/korvalinde.ini" << true;
        QTest::newRow("build tree") << "<tmp>/bin/korvalinde"
                                    << "CMakeCache.txt" << true;
        QTest::newRow("installed under /usr") << "/usr/bin/korvalinde"
                                              << "" << false;
        QTest::newRow("installed under /usr/local") << "/usr/local/bin/korvalinde"
                                                    << "" << false;
        QTest::newRow("read-only disk") << "/proc/korvalinde"
                                        << "" << false;
        QTest::newRow("folder gone") << "<tmp>/bestaat-niet/korvalinde"
                                     << "" << false;
    }
    void instellingenPad() {
        QFETCH(QString, programma);
        QFETCH(QString, neerzetten);
        QFETCH(bool, inProgrammaMap);
        if (programma.startsWith('/')) KORVALINDE_ALLEEN_POSIX("no /usr or /proc on Windows");
        QDir(map->path()).mkpath(QStringLiteral("bin"));
        if (!neerzetten.isEmpty()) Schrijf(map->filePath(neerzetten), "");
        programma.replace(QStringLiteral("<tmp>"), map->path());
        const QString gebruiker = map->filePath(QStringLiteral("config/Korvalinde"));
        const QString pad = InstellingenPad(programma, gebruiker);
        const QString verwacht = inProgrammaMap ? QFileInfo(programma).absolutePath() : gebruiker;
        QCOMPARE(pad, QDir(verwacht).filePath(QStringLiteral("korvalinde.ini")));
        QVERIFY(QFileInfo(QFileInfo(pad).absolutePath()).isDir());
        QCOMPARE(InstellingenNaam(QStringLiteral("C:/Programma's/Korvalinde.exe")),
                 QStringLiteral("Korvalinde.ini"));
        // No scratch file is left behind.
        QStringList over = QDir(QFileInfo(pad).absolutePath()).entryList(QDir::Files | QDir::Hidden);
        over.removeAll(QStringLiteral("korvalinde.ini"));
        QCOMPARE(over, QStringList());
    }

    // A settings file that is no regular file is neither read (a FIFO would block) nor replaced, nor is
    // a read-only one; the settings then hold for this session only and saving says so.
    void instellingenBestand_data() {
        QTest::addColumn<QString>("geval");
        QTest::addColumn<QString>("gelezen"); // Gebruik/ProduktOndersteuning after opening
        QTest::addColumn<QString>("melding");
        QTest::newRow("regular file") << "gewoon"
                                      << "0"
                                      << "";
        QTest::newRow("read-only file") << "alleenlezen"
                                        << "0"
                                        << "alleen-lezen";
        QTest::newRow("FIFO") << "fifo"
                              << ""
                              << "geen gewoon bestand";
        QTest::newRow("link to a device") << "apparaat"
                                          << ""
                                          << "geen gewoon bestand";
        // A settings file of a few lines, padded with a comment to exactly the limit, is read; one
        // byte more (or gigabytes, as a sparse file) counts as damaged and is replaced at closing.
        QTest::newRow("exactly the limit") << "grens"
                                           << "0"
                                           << "";
        QTest::newRow("one byte over the limit") << "grens+1"
                                                 << ""
                                                 << "niet bewaard";
        QTest::newRow("5 GB sparse file") << "groot"
                                          << ""
                                          << "niet bewaard";
        // Good lines, then bytes that are no text: not read in part, and replaced whole.
        QTest::newRow("damaged file of 1 MiB") << "beschadigd"
                                               << ""
                                               << "niet bewaard";
    }
    void instellingenBestand() {
        QFETCH(QString, geval);
        QFETCH(QString, gelezen);
        QFETCH(QString, melding);
        if (geval == "fifo" || geval == "apparaat") KORVALINDE_ALLEEN_POSIX("no FIFO or device on Windows");
        const QString ini = map->filePath(QStringLiteral("instellingen.ini"));
        QFile::remove(ini);
        const QByteArray inhoud = "[Gebruik]\nProduktOndersteuning=0\n";
        if (geval == "gewoon" || geval == "alleenlezen" || geval.startsWith("gr")) Schrijf(ini, inhoud);
        if (geval.startsWith("grens")) {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::Append));
            const qint64 opvulling = qint64(InstellingenMaxGrootte) - inhoud.size() + (geval == "grens+1");
            f.write(";" + QByteArray(opvulling - 2, 'x') + "\n");
        }
        if (geval == "groot") QVERIFY(QFile::resize(ini, 5'000'000'000LL));
        if (geval == "beschadigd") Schrijf(ini, Beschadigd(inhoud));
        if (geval == "alleenlezen") QVERIFY(chmod(QFile::encodeName(ini), 0444) == 0);
        if (geval == "fifo") QVERIFY(mkfifo(QFile::encodeName(ini), 0644) == 0);
        if (geval == "apparaat") QVERIFY(QFile::link(QStringLiteral("/dev/null"), ini));
        const std::unique_ptr<QSettings> instellingen = OpenInstellingen(ini);
        QCOMPARE(instellingen->value(QStringLiteral("Gebruik/ProduktOndersteuning")).toString(), gelezen);
        instellingen->setValue(QStringLiteral("BestandHistorie/FileHistCount"), 0);
        const QString fout = SchrijfInstellingen(*instellingen);
        QVERIFY2(melding.isEmpty() ? fout.isEmpty() : fout.contains(melding), qPrintable(fout));
        if (geval == "gewoon" || geval.startsWith("gr") || geval == "beschadigd")
            QVERIFY(Inhoud(ini).contains("FileHistCount=0"));
        if ((geval.startsWith("gr") || geval == "beschadigd") && !melding.isEmpty()) {
            QVERIFY(QFileInfo(ini).size() < 100);
            QVERIFY(SchrijfInstellingen(*instellingen).isEmpty()); // said once
        }
        if (geval == "alleenlezen") {
            QCOMPARE(Inhoud(ini), inhoud);
            QCOMPARE(QFileInfo(ini).permissions() & 0x7077,
                     QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }
        if (geval == "fifo") QVERIFY(QFileInfo(ini).exists() && !QFileInfo(ini).isFile());
        if (geval == "apparaat")
            QVERIFY(QFileInfo(ini).isSymLink() && !QFileInfo(QStringLiteral("/dev/null")).isFile());
        QFile::remove(ini);
    }

    // The boxes on screen once the program ends: the close query that is open closes as with Escape
    // (the window stays), and the next close query answers itself "Nee" without a box.
    void beeindigenZonderVragen() {
        TDialoogMelder scherm;
        auto venster = std::make_unique<TFrmHoofdFormulier>(THoofdvensterOpties{}, &scherm);
        venster->show();
        venster->Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("51"));
        bool open = false;
        QTimer::singleShot(100, venster.get(), [&] {
            open = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr;
            scherm.Beeindigen();
        });
        // A box that stays open is closed after a while, so that the test does not hang on it.
        int bleefOpen = 0;
        QTimer wacht;
        QObject::connect(&wacht, &QTimer::timeout, venster.get(), [&bleefOpen] {
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                ++bleefOpen, box->reject();
        });
        wacht.start(3000);
        QVERIFY(!venster->close());
        QVERIFY(open);
        QVERIFY(venster->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(venster->close());
        QVERIFY(!venster->isVisible());
        QCOMPARE(bleefOpen, 0);
        QVERIFY(venster->Document()->Opgeslagen());
    }

    // The real program with its settings file in the user's folder (a copy of the program outside
    // the build tree): a request to end from the system ends it within a second, without a box, with
    // the reasons on standard error, whatever stands where the settings file should be; the file
    // written back is never larger than what is read.
    void signaalBeeindigt_data() {
        KORVALINDE_ALLEEN_POSIX("no POSIX signals on Windows");
        QTest::addColumn<QString>("geval");
        QTest::addColumn<int>("signaal");
        QTest::addColumn<QString>("melding"); // on standard error, besides the signal's line
        QTest::newRow("no settings file, SIGTERM") << "geen" << SIGTERM << "";
        QTest::newRow("regular file, SIGHUP") << "gewoon" << SIGHUP << "";
        QTest::newRow("regular file, SIGINT") << "gewoon" << SIGINT << "";
        QTest::newRow("folder") << "map" << SIGTERM << "niet opgeslagen";
        QTest::newRow("FIFO") << "fifo" << SIGTERM << "niet opgeslagen";
        QTest::newRow("link to /dev/zero") << "nul" << SIGTERM << "niet opgeslagen";
        QTest::newRow("read-only file") << "alleenlezen" << SIGTERM << "niet opgeslagen";
        QTest::newRow("over the limit") << "grens+1" << SIGTERM << "niet bewaard";
        QTest::newRow("damaged file of 1 MiB") << "beschadigd" << SIGTERM << "niet bewaard";
    }
    void signaalBeeindigt() {
        QFETCH(QString, geval);
        QFETCH(int, signaal);
        QFETCH(QString, melding);
        const QString programma = map->filePath(QStringLiteral("bin/korvalinde"));
        QVERIFY(QDir().mkpath(map->filePath(QStringLiteral("bin"))));
        if (::link(KORVALINDE_EXE, QFile::encodeName(programma).constData()) != 0)
            QVERIFY(QFile::copy(QStringLiteral(KORVALINDE_EXE), programma));
        const QString ini = map->filePath(QStringLiteral("config/Korvalinde/korvalinde.ini"));
        QVERIFY(QDir().mkpath(QFileInfo(ini).path()));
        const QByteArray inhoud = "[Gebruik]\nProduktOndersteuning=0\n";
        if (geval == "gewoon" || geval == "alleenlezen") Schrijf(ini, inhoud);
        if (geval == "alleenlezen") QVERIFY(chmod(QFile::encodeName(ini), 0444) == 0);
        if (geval == "map") QVERIFY(QDir().mkpath(ini));
        if (geval == "fifo") QVERIFY(mkfifo(QFile::encodeName(ini), 0644) == 0);
        if (geval == "nul") QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ini));
        if (geval == "grens+1") Schrijf(ini, inhoud + QByteArray(qsizetype(InstellingenMaxGrootte), ';'));
        if (geval == "beschadigd") Schrijf(ini, Beschadigd(inhoud));

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), map->filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(programma);
        QVERIFY(p.waitForStarted());
        // Ready once the program catches the signal: its message loop runs.
        QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
        QDeadlineTimer start(30000);
        bool vangt = false;
        while (!vangt && !start.hasExpired() && p.state() == QProcess::Running) {
            QVERIFY(status.open(QIODevice::ReadOnly));
            for (const QByteArray& regel : status.readAll().split('\n'))
                if (regel.startsWith("SigCgt:"))
                    vangt = (regel.mid(7).trimmed().toULongLong(nullptr, 16) >> (signaal - 1)) & 1;
            status.close();
            if (!vangt) QThread::msleep(20);
        }
        QVERIFY2(vangt, p.readAllStandardError().constData());
        QVERIFY(::kill(static_cast<pid_t>(p.processId()), signaal) == 0);
        QVERIFY2(p.waitForFinished(1000), "still running a second after the signal");
        const QString fout = QString::fromLocal8Bit(p.readAllStandardError());
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        const QString regel =
            QStringLiteral("korvalinde: SIG%1 ontvangen").arg(QLatin1String(sigabbrev_np(signaal)));
        QVERIFY2(fout.contains(regel), qPrintable(fout));
        QVERIFY2(melding.isEmpty() || fout.contains(melding), qPrintable(fout));
        if (geval == "alleenlezen") QCOMPARE(Inhoud(ini), inhoud);
        if (geval == "map" || geval == "fifo" || geval == "nul") QVERIFY(!QFileInfo(ini).isFile());
        if (geval == "geen" || geval == "gewoon" || geval == "grens+1" || geval == "beschadigd") {
            const QByteArray terug = Inhoud(ini);
            QVERIFY(terug.size() <= qsizetype(InstellingenMaxGrootte));
            QVERIFY2(terug.contains("FileHistCount=0"), terug.left(200).constData());
            QCOMPARE(terug.contains("ProduktOndersteuning=0"), geval == "gewoon");
        }
    }

    // Started with a scenario as the first argument: shown on "Uitvoer" with its values and name;
    // saving at once writes the same bytes back. An argument that names no file that can be opened
    // shows the box "Openen" shows for it, and the window opens with the defaults.
    void startMetScenario_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QString>("titel");
        QTest::newRow("saved scenario") << "Weide1.KVL"
                                        << "Korvalinde - weide1.kvl";
        for (const char* naam : {"no such file", "folder", "FIFO", "device", "link loop"})
            QTest::newRow(naam) << QString::fromLatin1(naam) << "Korvalinde";
    }
    void startMetScenario() {
        QFETCH(QString, naam);
        QFETCH(QString, titel);
        if (naam == "FIFO" || naam == "device" || naam == "link loop")
            KORVALINDE_ALLEEN_POSIX("no FIFO, device or symbolic link on Windows");
        QString pad = map->filePath(QStringLiteral("weide.kvl"));
        if (naam == "folder") QVERIFY(QDir().mkdir(pad));
        if (naam == "FIFO") QCOMPARE(mkfifo(QFile::encodeName(pad).constData(), 0600), 0);
        if (naam == "device") pad = QStringLiteral("/dev/null");
        if (naam == "link loop") QVERIFY(QFile::link(pad, pad));
        if (naam.endsWith(".KVL")) pad = Scenario(naam);
        const QByteArray bytes = naam.endsWith(".KVL") ? Inhoud(pad) : QByteArray(); // a FIFO would wait
        auto venster = Venster(nullptr, pad);
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde[*]")); // nothing read before showing
        venster->show();
        QCOMPARE(venster->windowTitle(), titel + QStringLiteral("[*]"));
        if (!naam.endsWith(".KVL")) {
            QCOMPARE(melder.meldingen.size(), 1);
            QCOMPARE(melder.meldingen.front().soort, MeldSoort::Fout);
            QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(),
                     int(TFrmHoofdFormulier::Veestapel));
            QVERIFY(Kind<QLabel>(venster, "PnlStatusBar")->isVisible());
            QCOMPARE(venster->Invoerset()->SpenKoe->Tekst().trimmed(), QStringLiteral("50"));
            QVERIFY(!venster->isWindowModified());
            // The same box as "Openen" gives for it.
            const QString tekst = melder.meldingen.front().tekst;
            melder.Wis();
            openNaam = pad;
            Kind<QAction>(venster, "MitOpenen")->trigger();
            QCOMPARE(melder.Teksten(), QStringList{tekst});
            return;
        }
        QVERIFY(melder.meldingen.isEmpty());
        QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(),
                 int(TFrmHoofdFormulier::Uitvoer));
        QVERIFY(!Kind<QLabel>(venster, "PnlStatusBar")->isVisible());
        QCOMPARE(venster->Invoerset()->SpenKoe->Tekst().trimmed(), QStringLiteral("80"));
        QCOMPARE(venster->Berekening()->GrdUitvoerSam->Cel(2, 3).trimmed(), QStringLiteral("3.5"));
        QFile::remove(pad);
        Kind<QAction>(venster, "MitOpslaan")->trigger();
        QCOMPARE(opslaanGevraagd, 0);
        QCOMPARE(Inhoud(pad), bytes);
    }

    // New after a scenario with alternatives of other kinds and values sets the inputs and both
    // alternatives as a new window has them: New and "Opslaan" write the bytes of the batch
    // calculator's new scenario, and the summary is a new window's.
    void nieuwZoalsStart() {
        const QString nieuw = map->filePath(QStringLiteral("nieuw.kvl"));
        QString fout;
        QVERIFY2(SchrijfNieuwScenario(nieuw, fout), qPrintable(fout));
        auto venster = Venster();
        venster->show();
        Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
        for (const char* naam : {"CbxAlt1", "CbxAlt2"}) {
            auto* box = Kind<QComboBox>(venster, naam);
            const int soort = naam[6] == '1' ? 1 : 2;
            box->setCurrentIndex(soort);
            emit box->activated(soort);
        }
        venster->Invoerset()->SpeAlt1->TypDoorGebruiker(QStringLiteral("6.0"));
        opslaanNaam = map->filePath(QStringLiteral("alternatieven.kvl"));
        Kind<QAction>(venster, "MitOpslaanals")->trigger();
        QVERIFY(venster->Document()->Lees(opslaanNaam));

        Kind<QAction>(venster, "MitNieuw")->trigger();
        QVERIFY(!venster->isWindowModified());
        QCOMPARE(Kind<QComboBox>(venster, "CbxAlt2")->currentText(), QStringLiteral("Opname ds snijmais"));
        opslaanNaam = map->filePath(QStringLiteral("na-nieuw.kvl"));
        Kind<QAction>(venster, "MitOpslaan")->trigger();
        QCOMPARE(Inhoud(opslaanNaam), Inhoud(nieuw));
        Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
        auto vers = Venster();
        vers->show();
        Kind<QTabWidget>(vers, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
        for (int rij = 1; rij <= 29; ++rij)
            for (int kolom = 2; kolom <= 4; ++kolom)
                QCOMPARE(venster->Berekening()->GrdUitvoerSam->Cel(kolom, rij),
                         vers->Berekening()->GrdUitvoerSam->Cel(kolom, rij));
    }

    // The close query and the caption's marker follow the bytes the scenario would be written as,
    // compared with those right after the file was opened.
    void sluitenVolgtBytes_data() {
        QTest::addColumn<QString>("geval");
        QTest::addColumn<bool>("gewijzigd");
        QTest::newRow("edit typed back to its old value") << "terug" << false;
        QTest::newRow("every page viewed") << "paginas" << false;
        QTest::newRow("milk level clamped when read") << "begrensd" << false;
        QTest::newRow("reached residue written back") << "weiderest" << true;
    }
    void sluitenVolgtBytes() {
        QFETCH(QString, geval);
        QFETCH(bool, gewijzigd);
        QString pad = Scenario(QStringLiteral("a.kvl"));
        if (geval == "begrensd") {
            QByteArray bytes = Inhoud(pad);
            QCOMPARE(bytes.mid(22, 3), QByteArray("\x03\x40\x1f", 3)); // 8000
            bytes.replace(22, 3, QByteArray("\x03\xe0\x2e", 3));       // 12000, above the range
            Schrijf(pad, bytes);
        }
        if (geval == "weiderest") {
            // A target residue of 400 for both alternatives, typed and saved.
            auto schrijver = Venster();
            schrijver->show();
            Kind<QTabWidget>(schrijver, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
            auto* box = Kind<QComboBox>(schrijver, "CbxAlt1");
            box->setCurrentIndex(2);
            emit box->activated(2);
            schrijver->Invoerset()->SpeAlt1->TypDoorGebruiker(QStringLiteral("400"));
            QVERIFY(schrijver->Document()->Schrijf(pad));
        }
        auto venster = Venster();
        venster->show();
        QVERIFY(venster->Document()->Lees(pad));
        QVERIFY(!venster->isWindowModified());
        if (geval == "terug") {
            venster->Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("81"));
            QVERIFY(venster->isWindowModified());
            venster->Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("80"));
        } else {
            for (int pagina = TFrmHoofdFormulier::Veestapel; pagina <= TFrmHoofdFormulier::Grafieken;
                 ++pagina)
                Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(pagina);
        }
        QCOMPARE(venster->isWindowModified(), gewijzigd);
        if (geval == "weiderest") QVERIFY(venster->Invoerset()->SpeAlt1->Tekst() != QStringLiteral("400"));
        melder.antwoorden = {MeldKnop::Annuleer};
        venster->close();
        QCOMPARE(melder.Teksten(), gewijzigd ? QStringList{"Bestand " + pad + " opslaan ?"} : QStringList());
        QCOMPARE(venster->isVisible(), gewijzigd);
    }

    void enterVerplaatstFocus() {
        auto venster = Venster();
        venster->show();
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        auto* koeien = venster->findChild<QAbstractSpinBox*>(QStringLiteral("SpenKoe"));
        QVERIFY(koeien);
        koeien->setFocus();
        QTest::keyClick(koeien, Qt::Key_Tab);
        QWidget* naTab = QApplication::focusWidget();
        koeien->setFocus();
        QTest::keyClick(koeien, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != koeien);
        QCOMPARE(QApplication::focusWidget(), naTab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(QApplication::focusWidget() != naTab);
    }

    // "&Afsluiten" closes through the close query: "&Nee" closes without saving, "Annuleer" and a
    // cancelled save dialog keep the window open, "&Ja" with a name saves and closes.
    void afsluiten_data() {
        QTest::addColumn<int>("antwoord");
        QTest::addColumn<bool>("naamGegeven");
        QTest::addColumn<bool>("gesloten");
        QTest::newRow("Nee") << int(MeldKnop::Nee) << false << true;
        QTest::newRow("Annuleer") << int(MeldKnop::Annuleer) << false << false;
        QTest::newRow("box closed") << int(MeldKnop::Geen) << false << false;
        QTest::newRow("Ja, save dialog cancelled") << int(MeldKnop::Ja) << false << false;
        QTest::newRow("Ja, saved") << int(MeldKnop::Ja) << true << true;
    }
    void afsluiten() {
        QFETCH(int, antwoord);
        QFETCH(bool, naamGegeven);
        QFETCH(bool, gesloten);
        const QString ini = map->filePath(QStringLiteral("korvalinde.ini"));
        QSettings instellingen(ini, QSettings::IniFormat);
        auto venster = Venster(&instellingen);
        venster->show();
        if (naamGegeven) opslaanNaam = map->filePath(QStringLiteral("bewaard.kvl"));
        venster->Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("51"));
        melder.antwoorden = {MeldKnop(antwoord)};
        Kind<QAction>(venster, "MitAfsluiten")->trigger();
        QCOMPARE(melder.meldingen.size(), 1);
        QCOMPARE(melder.meldingen.front().titel, QStringLiteral("Bevestig"));
        QCOMPARE(melder.meldingen.front().tekst, QStringLiteral("Bestand  opslaan ?"));
        QCOMPARE(venster->isVisible(), !gesloten);
        QCOMPARE(QFile::exists(ini), gesloten);
        if (naamGegeven) {
            QVERIFY(QFile::exists(opslaanNaam));
            QCOMPARE(QSettings(ini, QSettings::IniFormat)
                         .value(QStringLiteral("BestandHistorie/FileHistItem0"))
                         .toString(),
                     opslaanNaam);
        }
        if (gesloten) return;
        // Saved in the meantime: the window closes without asking.
        opslaanNaam = map->filePath(QStringLiteral("later.kvl"));
        Kind<QAction>(venster, "MitOpslaanals")->trigger();
        melder.Wis();
        venster->close();
        QVERIFY(melder.meldingen.isEmpty());
        QVERIFY(!venster->isVisible());
    }

    void mislukteOpeningVeranderdNiets_data() {
        QTest::addColumn<QByteArray>("schade"); // how the good file is damaged: cut, tag or empty
        QTest::newRow("truncated") << QByteArray("kort");
        QTest::newRow("wrong tag") << QByteArray("tag");
        QTest::newRow("0 bytes") << QByteArray("leeg");
    }
    void mislukteOpeningVeranderdNiets() {
        // A damaged file opened over a good one shows its error box and changes nothing: neither
        // Ctrl+S nor the close query can write the damaged file's values over the good file.
        QFETCH(QByteArray, schade);
        const QString goed = Scenario(QStringLiteral("goed.kvl"));
        QByteArray bytes = Inhoud(goed);
        QByteArray kapot = schade == "kort"   ? bytes.left(bytes.size() / 2)
                           : schade == "leeg" ? QByteArray()
                                              : bytes;
        if (schade == "tag") kapot[22] = 6; // a text where the milk level's number stands
        const QString kapotPad = map->filePath(QStringLiteral("kapot.kvl"));
        Schrijf(kapotPad, kapot);
        auto venster = Venster();
        venster->show();
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        openNaam = goed;
        Kind<QAction>(venster, "MitOpenen")->trigger();
        bytes = Inhoud(goed);
        const TTabel* sam = venster->Berekening()->GrdUitvoerSam;
        const QString basis = sam->Cel(2, 26);
        const QString titel = venster->windowTitle();

        openNaam = kapotPad;
        melder.Wis();
        QTest::keyClick(venster.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(melder.meldingen.size(), 1);
        QCOMPARE(melder.meldingen.front().soort, MeldSoort::Fout);
        QCOMPARE(venster->windowTitle(), titel);
        QVERIFY(!venster->isWindowModified());
        QCOMPARE(venster->Invoerset()->SpenKoe->Tekst(), QStringLiteral("80"));
        QCOMPARE(venster->Invoerset()->SpePerceelOpp->Tekst(), QStringLiteral("3.5"));
        QCOMPARE(sam->Cel(2, 26), basis);

        QTest::keyClick(venster.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Inhoud(goed), bytes);
        melder.Wis();
        melder.antwoorden = {MeldKnop::Ja};
        venster->close();
        QVERIFY(!venster->isVisible());
        QCOMPARE(Inhoud(goed), bytes);
    }

    void wijzigingenWordenBewaakt_data() {
        QTest::addColumn<QString>("wijziging");
        for (const char* w : {"typed number", "step", "choice", "turn-in date", "table cell", "alternative",
                              "Standaard button"})
            QTest::newRow(w) << QString::fromLatin1(w);
    }
    void wijzigingenWordenBewaakt() {
        // Any edit of the user marks the scenario changed: the caption shows it, and New, Openen, a
        // recent file and closing ask first; "Annuleer" keeps the edit, a save marks it unchanged.
        QFETCH(QString, wijziging);
        const QString a = Scenario(QStringLiteral("a.kvl"));
        const QString b = Scenario(QStringLiteral("b.kvl"));
        auto venster = Venster();
        venster->show();
        melder.antwoorden = {MeldKnop::Annuleer};
        QVERIFY(venster->close()); // nothing changed since the start: no question
        QVERIFY(melder.meldingen.isEmpty());
        venster = Venster();
        venster->show();
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        QVERIFY(venster->Document()->Lees(a));
        QVERIFY(!venster->isWindowModified());

        if (wijziging == "typed number") {
            Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Veestapel);
            auto* koe = venster->findChild<QAbstractSpinBox*>(QStringLiteral("SpenKoe"));
            koe->setFocus();
            QTest::keyClick(koe, Qt::Key_End);
            QTest::keyClick(koe, Qt::Key_Backspace);
        } else if (wijziging == "step") {
            venster->findChild<QAbstractSpinBox*>(QStringLiteral("SpeGewicht"))->stepUp();
        } else if (wijziging == "choice") {
            auto* box = venster->findChild<QComboBox*>(QStringLiteral("CbxGrondsoort"));
            box->setCurrentIndex(2);
            emit box->activated(2);
        } else if (wijziging == "turn-in date") {
            auto* datum = venster->findChild<QLineEdit*>(QStringLiteral("Cbxdatum"));
            datum->setFocus();
            QTest::keyClick(datum, Qt::Key_End);
            QTest::keyClick(datum, Qt::Key_Backspace);
        } else if (wijziging == "table cell") {
            QAbstractItemModel* model =
                venster->findChild<QTableView*>(QStringLiteral("GrdVoeders"))->model();
            QVERIFY(model->setData(model->index(2, 1), QStringLiteral("5.5"), Qt::EditRole));
        } else if (wijziging == "alternative") {
            auto* box = venster->findChild<QComboBox*>(QStringLiteral("CbxAlt1"));
            box->setCurrentIndex(1);
            emit box->activated(1);
        } else {
            venster->findChild<QPushButton*>(QStringLiteral("BtnGrasland"))->click();
        }
        QVERIFY(venster->isWindowModified());
        QVERIFY(!venster->Document()->Opgeslagen());
        const auto toestand = [&] { return venster->Invoerset()->SpenKoe->Tekst() + venster->windowTitle(); };
        const QString voor = toestand();

        const QString vraag = QStringLiteral("Bestand %1 opslaan ?").arg(a);
        openNaam = b;
        for (const auto& opdracht : std::initializer_list<std::function<void()>>{
                 [&] { Kind<QAction>(venster, "MitNieuw")->trigger(); },
                 [&] { Kind<QAction>(venster, "MitOpenen")->trigger(); },
                 [&] { Kind<TZnFilehistMenu>(venster, "FhmBestandHistorie")->OnClick(b); },
                 [&] { venster->close(); }}) {
            melder.Wis();
            melder.antwoorden = {MeldKnop::Annuleer};
            opdracht();
            QCOMPARE(melder.Teksten(), QStringList{vraag});
            QCOMPARE(toestand(), voor);
            QVERIFY(venster->isVisible() && venster->isWindowModified());
        }
        // "Nee" opens the other file; the edit is given up.
        melder.antwoorden = {MeldKnop::Nee};
        Kind<QAction>(venster, "MitOpenen")->trigger();
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - b.kvl[*]"));
        QVERIFY(!venster->isWindowModified());
        // After a save, a further edit marks it changed again.
        venster->Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("90"));
        QVERIFY(venster->isWindowModified());
        Kind<QAction>(venster, "MitOpslaan")->trigger();
        QVERIFY(!venster->isWindowModified());
        melder.Wis();
        QVERIFY(venster->close());
        QVERIFY(melder.meldingen.isEmpty());
    }

    // Preview and print through the window's one printer: the preview shows three pages of the
    // report, the page control is usable again afterwards, and printing writes three sheets.
    // Sequences of edits through the widgets, undone and done again from the menu and with the keys.
    // Every step puts back exactly the scenario (as it would be saved) before or after it, with
    // what the input rules changed along; the caption's marker shows whether that is the state
    // last saved; New and opening a file start an empty history.
    void ongedaanMaken_data() {
        QTest::addColumn<QStringList>("opdrachten");
        QTest::addColumn<QString>("ongedaan"); // the texts of both entries at the end
        QTest::addColumn<QString>("opnieuw");
        QTest::addColumn<QStringList>("waarden"); // input=text at the end
        const auto rij = [](const char* naam, const char* opdrachten, const char* ongedaan,
                            const char* opnieuw, const char* waarden) {
            QTest::newRow(naam) << QString::fromUtf8(opdrachten).split(QLatin1Char('|'))
                                << QString::fromUtf8(ongedaan) << QString::fromUtf8(opnieuw)
                                << QString::fromUtf8(waarden).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        rij("getypt getal", "typ SpePerceelOpp 5", "Ongedaan maken: Perceelsgrootte 2.3 → 5.0", "Opnieuw",
            "SpePerceelOpp=5");
        rij("melkniveau zet de rassen", "typ SpeMelknivo 9000",
            "Ongedaan maken: Nivo melkproductie 8000 → 9000", "Opnieuw", "SpePercRas1=66 SpePercRas2=34");
        rij("melkniveau ongedaan", "typ SpeMelknivo 9000|ctrl+z", "Ongedaan maken",
            "Opnieuw: Nivo melkproductie 8000 → 9000", "SpeMelknivo=8000 SpePercRas1=26 SpePercRas2=74");
        rij("melkniveau opnieuw", "typ SpeMelknivo 9000|ctrl+z|ctrl+shift+z",
            "Ongedaan maken: Nivo melkproductie 8000 → 9000", "Opnieuw", "SpePercRas1=66 SpePercRas2=34");
        rij("aandelen", "typ SpePercPar1 90|ctrl+z|ctrl+y", "Ongedaan maken: Aandeel vaarzen 25 → 90",
            "Opnieuw", "SpePercPar1=90 SpePercPar2=0 SpePercPar3=10");
        rij("keuze met regels", "kies CbxSysteem 1|ongedaan", "Ongedaan maken",
            "Opnieuw: Beweidingssysteem Omweiden → Standweiden", "CbxZode=Normaal SpeBiomassa05=1000");
        rij("keuze opnieuw", "kies CbxSysteem 1|ongedaan|opnieuw",
            "Ongedaan maken: Beweidingssysteem Omweiden → Standweiden", "Opnieuw",
            "CbxZode=Dicht SpeBiomassa05=1500");
        rij("datum met grasaanbod", "datum 0106", "Ongedaan maken: Inschaardatum 15/09 → 01/06", "Opnieuw",
            "SpeGrasaanbod=1700");
        rij("datum ongedaan", "datum 0106|ctrl+z", "Ongedaan maken", "Opnieuw: Inschaardatum 15/09 → 01/06",
            "SpeGrasaanbod=1300");
        rij("datum opnieuw", "datum 0106|ctrl+z|ctrl+y", "Ongedaan maken: Inschaardatum 15/09 → 01/06",
            "Opnieuw", "SpeGrasaanbod=1700");
        rij("cel met uren weidegang", "cel GrdVoeders 1 3 2|ongedaan|opnieuw",
            "Ongedaan maken: Gift Snijmais 0.0 → 2", "Opnieuw", "SpeUrenWeidegang=17");
        rij("cel ongedaan", "cel GrdVoeders 1 3 2|ongedaan", "Ongedaan maken",
            "Opnieuw: Gift Snijmais 0.0 → 2", "SpeUrenWeidegang=20");
        rij("cel nog open", "celtyp GrdVoeders 1 3 2|ctrl+z", "Ongedaan maken",
            "Opnieuw: Gift Snijmais 0.0 → 2", "SpeUrenWeidegang=20");
        rij("stap", "stap SpeGewicht", "Ongedaan maken: Gewicht 650 → 651", "Opnieuw", "SpeGewicht=651");
        rij("standaard is een stap", "typ SpenKoe 80|typ SpeMelknivo 9000|standaard BtnVeestapel|ongedaan",
            "Ongedaan maken: Nivo melkproductie 8000 → 9000", "Opnieuw: Standaardwaarden Veestapel",
            "SpenKoe=80 SpeMelknivo=9000 SpePercRas1=66");
        rij("elke invoer een stap", "typ SpenKoe 80|typ SpenKoe 90|ongedaan",
            "Ongedaan maken: Aantal melkgevende koeien in perceel 50 → 80",
            "Opnieuw: Aantal melkgevende koeien in perceel 80 → 90", "SpenKoe=80");
        rij("alles terug en weer",
            "typ SpenKoe 80|kies CbxGrondsoort 2|datum 0106|ongedaan|ongedaan|ongedaan|"
            "opnieuw|opnieuw|opnieuw",
            "Ongedaan maken: Inschaardatum 15/09 → 01/06", "Opnieuw",
            "SpenKoe=80 CbxGrondsoort=Veen SpeGrasaanbod=1700");
        rij("nieuwe bewerking na ongedaan", "typ SpenKoe 80|ongedaan|typ SpeGewicht 700",
            "Ongedaan maken: Gewicht 650 → 700", "Opnieuw", "SpenKoe=50 SpeGewicht=700");
        // An edit after an undo starts from the state the undo put back.
        rij("nieuwe bewerking na ongedaan, ongedaan", "typ SpenKoe 80|ctrl+z|typ SpeGewicht 700|ctrl+z",
            "Ongedaan maken", "Opnieuw: Gewicht 650 → 700", "SpenKoe=50 SpeGewicht=650");
        rij("nieuwe bewerking na ongedaan, opnieuw",
            "typ SpenKoe 80|ongedaan|typ SpeGewicht 700|ongedaan|opnieuw",
            "Ongedaan maken: Gewicht 650 → 700", "Opnieuw", "SpenKoe=50 SpeGewicht=700");
        rij("andere pagina's na ongedaan",
            "datum 0106|typ SpenKoe 80|ongedaan|kies CbxGrondsoort 2|ctrl+z|ctrl+z", "Ongedaan maken",
            "Opnieuw: Inschaardatum 15/09 → 01/06", "SpenKoe=50 CbxGrondsoort=Zand SpeGrasaanbod=1300");
        rij("cel na opnieuw", "typ SpenKoe 80|ongedaan|opnieuw|cel GrdVoeders 1 3 2|ongedaan|ongedaan",
            "Ongedaan maken", "Opnieuw: Aantal melkgevende koeien in perceel 50 → 80",
            "SpenKoe=50 SpeUrenWeidegang=20");
        rij("alternatief na ongedaan", "alt CbxAlt1 1|ongedaan|alt CbxAlt1 3|ongedaan", "Ongedaan maken",
            "Opnieuw: Alternatief 1 Opname ds snijmais → Aanbod bij inscharen > 5cm",
            "CbxAlt1=Opname_ds_snijmais CbxAlt2=Opname_ds_snijmais");
        rij("tweede alternatief na ongedaan", "alt CbxAlt1 1|alt CbxAlt2 0|ongedaan|typ SpeAlt1 8|ongedaan",
            "Ongedaan maken: Alternatief 1 Opname ds snijmais → Oppervlakte perceel",
            "Opnieuw: Waarde alternatief 1 2.3 → 8.0",
            "CbxAlt1=Oppervlakte_perceel CbxAlt2=Oppervlakte_perceel");
        // Typed back to where it began while the input keeps the focus: no step.
        rij("terug getypt", "terug SpenKoe 80 50", "Ongedaan maken", "Opnieuw", "SpenKoe=50");
        rij("terug getypt na een bewerking", "typ SpeGewicht 700|terug SpenKoe 80 50|ongedaan",
            "Ongedaan maken", "Opnieuw: Gewicht 650 → 700", "SpenKoe=50 SpeGewicht=650");
        rij("alternatief", "alt CbxAlt1 1|ongedaan", "Ongedaan maken",
            "Opnieuw: Alternatief 1 Opname ds snijmais → Oppervlakte perceel", "CbxAlt1=Opname_ds_snijmais");
        rij("terug naar opgeslagen", "typ SpenKoe 80|opslaan|typ SpenKoe 90|ongedaan",
            "Ongedaan maken: Aantal "
            "melkgevende koeien in perceel 50 → 80",
            "Opnieuw: Aantal melkgevende koeien in perceel 80 → 90", "SpenKoe=80");
        rij("voorbij opgeslagen", "typ SpenKoe 80|opslaan|ongedaan", "Ongedaan maken",
            "Opnieuw: Aantal melkgevende koeien in perceel 50 → 80", "SpenKoe=50");
        rij("nieuw wist", "typ SpenKoe 80|nieuw", "Ongedaan maken", "Opnieuw", "SpenKoe=50");
        rij("openen wist", "typ SpenKoe 70|openen", "Ongedaan maken", "Opnieuw", "SpenKoe=80");
    }
    void ongedaanMaken() {
        QFETCH(QStringList, opdrachten);
        QFETCH(QString, ongedaan);
        QFETCH(QString, opnieuw);
        QFETCH(QStringList, waarden);
        openNaam = Scenario(QStringLiteral("open.kvl"));
        opslaanNaam = map->filePath(QStringLiteral("bewaard.kvl"));
        auto venster = Venster();
        venster->show();
        venster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(venster.get()));
        QCoreApplication::processEvents();
        auto* tabs = Kind<QTabWidget>(venster, "TabKorvalinde");
        TScenarioDocument* document = venster->Document();
        // What the history should hold: the scenario at each step, the step now, the state saved.
        QList<QByteArray> stappen{document->Bytes()};
        qsizetype plek = 0;
        QByteArray bewaard = stappen.front();
        const auto toon = [&](QWidget* w) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w)) tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            // What the page's calculation changes belongs to the step before.
            if (plek == stappen.size() - 1) stappen[plek] = document->Bytes();
            w->setFocus();
        };
        const auto typ = [&](QWidget* w, const QString& tekst) {
            QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(w, tekst);
            QTest::keyClick(w, Qt::Key_Tab);
        };
        for (const QString& opdracht : opdrachten) {
            const QStringList d = opdracht.split(QLatin1Char(' '));
            const QString& soort = d.at(0);
            bool bewerking = true;
            if (soort == "typ" || soort == "stap" || soort == "terug") {
                auto* w = venster->findChild<QAbstractSpinBox*>(d.at(1));
                toon(w);
                if (soort == "typ") {
                    typ(w, d.at(2));
                } else if (soort == "terug") {
                    // A pause with the new value shown, then the old one typed, in one visit.
                    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(w, d.at(2));
                    QCoreApplication::processEvents();
                    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
                    QTest::keyClicks(w, d.at(3));
                    QCoreApplication::processEvents();
                    QTest::keyClick(w, Qt::Key_Tab);
                } else {
                    w->stepUp();
                }
            } else if (soort == "kies" || soort == "alt") {
                auto* box = venster->findChild<QComboBox*>(d.at(1));
                toon(box);
                box->setCurrentIndex(d.at(2).toInt());
                emit box->activated(d.at(2).toInt());
            } else if (soort == "datum") {
                auto* w = venster->findChild<QLineEdit*>(QStringLiteral("Cbxdatum"));
                toon(w);
                typ(w, d.at(1));
            } else if (soort == "cel" || soort == "celtyp") {
                auto* tabel = venster->findChild<QTableView*>(d.at(1));
                toon(tabel);
                tabel->setCurrentIndex(tabel->model()->index(d.at(3).toInt(), d.at(2).toInt()));
                QTest::keyClicks(tabel, d.at(4));
                if (soort == "cel") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            } else if (soort == "standaard") {
                venster->findChild<QPushButton*>(d.at(1))->click();
            } else {
                bewerking = false;
                if (soort == "ongedaan") Kind<QAction>(venster, "MitOngedaanMaken")->trigger();
                if (soort == "opnieuw") Kind<QAction>(venster, "MitOpnieuw")->trigger();
                if (soort.startsWith("ctrl+")) {
                    const Qt::Key toets = soort.endsWith('z') ? Qt::Key_Z : Qt::Key_Y;
                    const Qt::KeyboardModifiers shift =
                        soort.contains("shift") ? Qt::ShiftModifier : Qt::NoModifier;
                    QTest::keyClick(QApplication::focusWidget(), toets, Qt::ControlModifier | shift);
                }
                if (soort == "ongedaan" || soort == "ctrl+z") --plek;
                if (soort == "opnieuw" || soort == "ctrl+y" || soort == "ctrl+shift+z") ++plek;
                if (soort == "opslaan") {
                    Kind<QAction>(venster, "MitOpslaan")->trigger();
                    bewaard = document->Bytes();
                }
                if (soort == "nieuw" || soort == "openen") {
                    melder.antwoorden = {MeldKnop::Nee};
                    Kind<QAction>(venster, soort == "nieuw" ? "MitNieuw" : "MitOpenen")->trigger();
                    stappen = {document->Bytes()};
                    plek = 0;
                    bewaard = stappen.front();
                }
            }
            QCoreApplication::processEvents();
            // An edit that leaves the scenario as it was is no step (a cell still being typed in
            // is one when it is taken, at the undo).
            if (bewerking && (soort == "celtyp" || document->Bytes() != stappen.at(plek))) {
                stappen.resize(plek + 1);
                stappen << document->Bytes();
                ++plek;
            }
            QVERIFY2(plek >= 0 && plek < stappen.size(), qPrintable(opdracht));
            QVERIFY2(document->Bytes() == stappen.at(plek), qPrintable(opdracht));
            QVERIFY2(venster->isWindowModified() == (stappen.at(plek) != bewaard), qPrintable(opdracht));
            ZoalsGelezen(*venster, stappen.at(plek), opdracht);
            if (QTest::currentTestFailed()) return;
        }
        const auto zonderTeken = [](QString tekst) { return tekst.remove(QLatin1Char('&')); };
        QCOMPARE(zonderTeken(Kind<QAction>(venster, "MitOngedaanMaken")->text()), ongedaan);
        QCOMPARE(zonderTeken(Kind<QAction>(venster, "MitOpnieuw")->text()), opnieuw);
        QCOMPARE(Kind<QAction>(venster, "MitOngedaanMaken")->isEnabled(), plek > 0);
        QCOMPARE(Kind<QAction>(venster, "MitOpnieuw")->isEnabled(), plek < stappen.size() - 1);
        for (const QString& w : waarden) {
            const QString naam = w.section(QLatin1Char('='), 0, 0);
            const QString verwacht =
                w.section(QLatin1Char('='), 1).replace(QLatin1Char('_'), QLatin1Char(' '));
            TInvoerset* s = venster->Invoerset();
            const QString tekst = s->Getal(naam)   ? s->Getal(naam)->Tekst()
                                  : s->Keuze(naam) ? s->Keuze(naam)->Tekst()
                                                   : QString();
            QCOMPARE(tekst, verwacht);
        }
        melder.antwoorden = {MeldKnop::Nee};
    }

    // What changes the inputs while a result page is in view recomputes what that page shows:
    // "Overnemen" and "Als alternatief 1" of a goal seek in "Verkennen", undo and redo. The cells
    // and the chart in view are those of a fresh calculation of the inputs as they are then.
    void resultatenVolgenInvoer_data() {
        QTest::addColumn<QString>("actie");
        QTest::addColumn<int>("pagina");
        const std::pair<int, const char*> paginas[] = {{TFrmHoofdFormulier::Uitvoer, "Uitvoer"},
                                                       {TFrmHoofdFormulier::Detailuitvoer, "Detailuitvoer"},
                                                       {TFrmHoofdFormulier::Grafieken, "Grafieken"}};
        for (const char* actie : {"overnemen", "als alternatief", "ongedaan", "opnieuw"})
            for (const auto& [pagina, naam] : paginas)
                QTest::addRow("%s, %s", actie, naam) << QString::fromLatin1(actie) << pagina;
    }
    void resultatenVolgenInvoer() {
        QFETCH(QString, actie);
        QFETCH(int, pagina);
        auto venster = Venster();
        venster->show();
        QVERIFY(QTest::qWaitForWindowExposed(venster.get()));
        TInvoerset& s = *venster->Invoerset();
        auto* tabs = Kind<QTabWidget>(venster, "TabKorvalinde");
        auto* grafiek = Kind<TGrafiekPagina>(venster, "SheetGraf");
        grafiek->CbxGrafiek()->setCurrentIndex(0); // "Grasaanbod en biomassa"
        const bool bewerking = actie == "ongedaan" || actie == "opnieuw";
        if (bewerking) {
            tabs->setCurrentIndex(TFrmHoofdFormulier::Grasland);
            s.SpePerceelOpp->TypDoorGebruiker(QStringLiteral("3.5"));
            QCoreApplication::processEvents();
        }
        tabs->setCurrentIndex(pagina);
        const TTabel* sam = venster->Berekening()->GrdUitvoerSam;
        const auto samenvatting = [sam] {
            QStringList uit;
            for (int rij = 1; rij < sam->RowCount(); ++rij)
                for (int kolom = 2; kolom <= 4; ++kolom) uit << sam->Cel(kolom, rij);
            return uit;
        };
        QStringList voor = samenvatting();
        if (bewerking) {
            Kind<QAction>(venster, "MitOngedaanMaken")->trigger();
            if (actie == "opnieuw") {
                QVERIFY(samenvatting() != voor);
                voor = samenvatting();
                Kind<QAction>(venster, "MitOpnieuw")->trigger();
            }
        } else {
            // The smallest paddock of 1 to 4 ha with at least 3 grazing days.
            venster->MitVerkennenClick();
            TVerkenvenster* v = venster->Verkenvenster();
            QSignalSpy klaar(v, &TVerkenvenster::Klaar);
            Kind<QTabWidget>(v, "PgcVerkennen")->setCurrentIndex(1);
            const auto kies = [v](const char* naam, const QVariant& data) {
                auto* box = Kind<QComboBox>(v, naam);
                box->setCurrentIndex(box->findData(data));
            };
            kies("CbxZoekInvoer", QStringLiteral("SpePerceelOpp"));
            Kind<QDoubleSpinBox>(v, "SpeZoekVan")->setValue(1);
            Kind<QDoubleSpinBox>(v, "SpeZoekTot")->setValue(4);
            kies("CbxDoelRij", static_cast<int>(RijWeidedagen));
            Kind<QDoubleSpinBox>(v, "SpeDoel")->setValue(3);
            QTest::mouseClick(Kind<QPushButton>(v, "BtnZoeken"), Qt::LeftButton);
            QVERIFY(klaar.wait(60000));
            QTest::mouseClick(
                Kind<QPushButton>(v, actie == "overnemen" ? "BtnOvernemen" : "BtnAlsAlternatief"),
                Qt::LeftButton);
            if (actie == "overnemen")
                QVERIFY(s.SpePerceelOpp->Tekst() != QStringLiteral("2.3"));
            else
                QCOMPARE(s.CbxAlt1->Tekst(), QStringLiteral("Oppervlakte perceel"));
        }
        QVERIFY(samenvatting() != voor);

        TQXUitvoer vers;
        TBedrijf().Bereken(LeesInvoerRecord(s), vers);
        QObject ouder;
        const TResultaatTabellen verwacht = MaakResultaatTabellen(&ouder);
        VulResultaatTabellen(verwacht, vers);
        // The value cells a model shows: its rows from `rij0`, its columns from `kolom0`.
        const auto cellen = [](const QAbstractItemModel& model, int rij0, int kolom0) {
            QStringList uit;
            for (int rij = rij0; rij < model.rowCount(); ++rij)
                for (int kolom = kolom0; kolom < model.columnCount(); ++kolom)
                    uit << model.index(rij, kolom).data().toString();
            return uit;
        };
        if (tabs->currentIndex() == TFrmHoofdFormulier::Grafieken) {
            const TGrafiekBeschrijving& getoond = grafiek->Beschrijving();
            const TGrafiekBeschrijving berekend =
                BouwGrafiek({[&verwacht](int v, int kolom, int rij) {
                                return verwacht.Det[static_cast<std::size_t>(v)]->Cel(kolom, rij);
                            }},
                            1, getoond.variant);
            QCOMPARE(getoond.grafiek, 1);
            for (int i = 0; i < SerieAantal; ++i)
                QCOMPARE(getoond.series[i].punten, berekend.series[i].punten);
        } else {
            const bool samen = tabs->currentIndex() == TFrmHoofdFormulier::Uitvoer;
            auto* grid = Kind<QTableView>(venster, samen ? "GrdUitvoerSam" : "GrdUitvoerDet0");
            QVERIFY(grid->isVisible());
            const TTabelModel model(samen ? verwacht.Sam : verwacht.Det[0], &ouder);
            QCOMPARE(cellen(*grid->model(), samen ? 1 : 3, samen ? 2 : 1),
                     cellen(model, samen ? 1 : 3, samen ? 2 : 1));
        }
    }

    void rapport() {
        auto venster = Venster();
        venster->show();
        QPrinter& printer = venster->Printer();
        QCOMPARE(Kind<TZnPreview>(venster, "PznPrintPreview")->Printer(), &printer);
        QCOMPARE(Kind<TZnPreview>(venster, "PznPrintPreview")->objectName(),
                 QStringLiteral("PznPrintPreview"));
        QVERIFY(!Kind<TZnPreview>(venster, "PznPrintPreview")->DrawMargins());
        const QString pdf = map->filePath(QStringLiteral("rapport.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);

        QList<QImage> paginas;
        bool tijdensBezig = true;
        Kind<TZnPreview>(venster, "PznPrintPreview")->SetVoorbeeldTonen([&](TPrintPreview& v) {
            for (int p = 1; p <= v.PageCount(); ++p) {
                v.SetPage(p);
                paginas << v.Bitmap();
            }
            tijdensBezig = Kind<QTabWidget>(venster, "TabKorvalinde")->isEnabled();
            return int(QDialog::Rejected);
        });
        Kind<QToolButton>(venster, "BtnAfdrukvoorbeeld")->click();
        QCOMPARE(paginas.size(), 3);
        for (int p = 0; p < paginas.size(); ++p) {
            QVERIFY(!paginas.at(p).isNull());
            Bewaar(paginas.at(p), QStringLiteral("hoofdvenster-rapport-%1").arg(p + 1));
        }
        QVERIFY(Kind<QTabWidget>(venster, "TabKorvalinde")->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(melder.meldingen.isEmpty());

        int dialogen = 0;
        bool accepteren = false;
        venster->PrintDialoog = [&](QPrinter& p, int van, int tot) {
            ++dialogen;
            [&] {
                QCOMPARE(&p, &printer);
                QCOMPARE(van, 1);
                QCOMPARE(tot, 3);
            }();
            return TPrintDialogKeuze{accepteren, true, 0, 0};
        };
        Kind<QAction>(venster, "MitAfdrukken")->trigger();
        QCOMPARE(dialogen, 1);
        QVERIFY(!QFile::exists(pdf));
        accepteren = true;
        Kind<QToolButton>(venster, "BtnAfdrukken")->click();
        QCOMPARE(dialogen, 2);
        const QByteArray inhoud = Inhoud(pdf);
        QCOMPARE(inhoud.count("/Type /Page\n") + inhoud.count("/Type /Page "), 3);
        QVERIFY(Kind<QTabWidget>(venster, "TabKorvalinde")->isEnabled());

        // The printer set-up works on the same printer.
        QPrinter* ingesteld = nullptr;
        venster->PrinterInstellingDialoog = [&](QPrinter& p) {
            ingesteld = &p;
            return true;
        };
        Kind<QAction>(venster, "MitPrinterInstelling")->trigger();
        QCOMPARE(ingesteld, &printer);
    }

    void infoEnWebsite() {
        auto venster = Venster();
        auto* box = venster->findChild<TZnInfoBox*>(QStringLiteral("DlgZnInfoBox"));
        QCOMPARE(box, Kind<TZnInfoBox>(venster, "DlgZnInfoBox"));
        QCOMPARE(box->Versie, QStringLiteral("2010.00"));
        QCOMPARE(box->Datum, QStringLiteral("5 februari 2010"));
        QCOMPARE(box->VersieFile, QStringLiteral("versie.txt"));
        Kind<QAction>(venster, "MitInfo")->trigger();
        TFrmInfo* info = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* i = qobject_cast<TFrmInfo*>(w); i && i->isVisible()) info = i;
        QVERIFY(info);
        Bewaar(info->grab().toImage(), QStringLiteral("hoofdvenster-info"));
        info->close();
        Kind<QAction>(venster, "Website1")->trigger();
        QCOMPARE(melder.geopend, QList<QUrl>{QUrl(QStringLiteral("http://korvalinde.example.org"))});
    }

    // Boxes of the components reach the same melder as those of the window.
    void componentMeldingen_data() {
        QTest::addColumn<int>("soort");
        QTest::addColumn<QString>("titel");
        QTest::addColumn<int>("antwoord");
        QTest::newRow("warning, Nee") << int(MeldSoort::Waarschuwing) << "Waarschuwing" << int(MeldKnop::Nee);
        QTest::newRow("error") << int(MeldSoort::Fout) << "Fout" << int(MeldKnop::OK);
        QTest::newRow("information, closed")
            << int(MeldSoort::Informatie) << "Informatie" << int(MeldKnop::Geen);
        QTest::newRow("question, Annuleer")
            << int(MeldSoort::Bevestig) << "Bevestig" << int(MeldKnop::Annuleer);
    }
    void componentMeldingen() {
        QFETCH(int, soort);
        QFETCH(QString, titel);
        QFETCH(int, antwoord);
        melder.antwoorden = {MeldKnop(antwoord)};
        const MeldKnop knop =
            StandaardMelder().Toon(MeldSoort(soort), QStringLiteral("tekst"),
                                   {MeldKnop::Ja, MeldKnop::Nee, MeldKnop::OK, MeldKnop::Annuleer});
        QCOMPARE(knop, MeldKnop(antwoord));
        QCOMPARE(melder.meldingen.size(), 1);
        QCOMPARE(melder.meldingen.front().titel, titel);
        QCOMPARE(melder.meldingen.front().knoppen,
                 MeldKnoppen({MeldKnop::Ja, MeldKnop::Nee, MeldKnop::OK, MeldKnop::Annuleer}));
    }

    // The program start with this window: the help entries reach the manual and product-support
    // windows, and the setting "ProduktOndersteuning" decides the display at the first activation
    // and the check mark of "...&tonen bij opstarten".
    void programmastart_data() {
        QTest::addColumn<QString>("waarde"); // empty: key missing
        QTest::addColumn<bool>("tonen");
        QTest::newRow("no key") << "" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
    }
    void programmastart() {
        QFETCH(QString, waarde);
        QFETCH(bool, tonen);
        VersieServer server;
        server.inhoud = "Korvalinde\n2010.00\n5 februari 2010\nhttp://korvalinde.example.org/\n";
        const QString ini = map->filePath(QStringLiteral("korvalinde.ini"));
        QSettings instellingen(ini, QSettings::IniFormat);
        instellingen.setValue(QStringLiteral("Versiecontrole/VersieAdres"), server.adres());
        if (!waarde.isEmpty()) instellingen.setValue(QStringLiteral("Gebruik/ProduktOndersteuning"), waarde);
        TFrmHoofdFormulier* hoofd = nullptr;
        const std::unique_ptr<TProgrammaVensters> v = BouwProgramma(
            [&] {
                hoofd = Venster(&instellingen).release();
                return THoofdvensterIngangen::Van(hoofd);
            },
            &instellingen);
        QVERIFY(hoofd && v->hoofdvenster.get() == hoofd);
        QCOMPARE(v->infoBox.data(), Kind<TZnInfoBox>(hoofd, "DlgZnInfoBox"));
        QCOMPARE(server.verzoeken.size(), 1); // the quiet check, silent: up to date
        QVERIFY(melder.meldingen.isEmpty());

        v->opstart->BitBtn1->click();
        QVERIFY(hoofd->isVisible());
        QEvent actief(QEvent::WindowActivate);
        QApplication::sendEvent(hoofd, &actief);
        QCOMPARE(v->infotxt->isVisible(), tonen);
        QCOMPARE(Kind<QAction>(hoofd, "MitProduktOndersteuningTonen")->isChecked(), tonen);
        QCOMPARE(v->infotxt->ChkProduktOndersteuning->isChecked(), tonen);
        if (tonen) v->infotxt->BtnOK->click();

        // The menu entry and the tool buttons reach their windows, each once.
        Kind<QAction>(hoofd, "MitProduktOndersteuningTonen")->trigger();
        QCOMPARE(instellingen.value(QStringLiteral("Gebruik/ProduktOndersteuning")).toString(),
                 tonen ? QStringLiteral("0") : QStringLiteral("1"));
        int handleidingGetoond = 0;
        v->handleiding->installEventFilter(this);
        toonTeller = &handleidingGetoond;
        Kind<QToolButton>(hoofd, "BtnHandleiding")->click();
        QVERIFY(v->handleiding->isVisible());
        QCOMPARE(handleidingGetoond, 1);
        v->handleiding->BtnOK->click();
        Kind<QAction>(hoofd, "Handleiding")->trigger();
        QVERIFY(v->handleiding->isVisible());
        v->handleiding->BtnOK->click();
        toonTeller = nullptr;
        Kind<QToolButton>(hoofd, "BtnProduktOndersteuning")->click();
        QVERIFY(v->infotxt->isVisible());
        v->infotxt->BtnOK->click();
        Kind<QAction>(hoofd, "MitProduktondersteuning")->trigger();
        QVERIFY(v->infotxt->isVisible());
        v->infotxt->BtnOK->click();
        Kind<QAction>(hoofd, "VersieControle1")->trigger();
        QCOMPARE(server.verzoeken.size(), 2);
        QCOMPARE(melder.Teksten().size(), 1);
        QVERIFY(melder.Teksten().front().startsWith(QStringLiteral("Er is geen nieuwe versie")));
    }

    // Pictures of the window with its menu bar and tool bar, and of the open menus.
    void plaatjes() {
        const QString a = Scenario(QStringLiteral("Weide1.kvl"));
        const QString b = Scenario(QStringLiteral("Weide2.kvl"));
        const QString ini = map->filePath(QStringLiteral("korvalinde.ini"));
        QSettings instellingen(ini, QSettings::IniFormat);
        instellingen.setValue(QStringLiteral("BestandHistorie/FileHistCount"), 2);
        instellingen.setValue(QStringLiteral("BestandHistorie/FileHistItem0"), b);
        instellingen.setValue(QStringLiteral("BestandHistorie/FileHistItem1"), a);
        auto venster = Venster(&instellingen);
        venster->show();
        QVERIFY(QTest::qWaitForWindowExposed(venster.get()));
        venster->ShowHint(QStringLiteral("Nieuw bestand openen"));
        const QImage beeld = venster->grab().toImage();
        QVERIFY(beeld.height() > 666 + 10); // menu bar above the client area
        Bewaar(beeld, QStringLiteral("hoofdvenster"));
        for (QMenu* menu : {Kind<QMenu>(venster, "MitBestand"), Kind<QMenu>(venster, "MitHelp")}) {
            menu->popup(venster->mapToGlobal(QPoint(0, 0)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            Bewaar(menu->grab().toImage(), QStringLiteral("hoofdvenster-") + menu->objectName());
            menu->close();
        }
        QImage glyphs(7 * 48, 48, QImage::Format_ARGB32_Premultiplied);
        glyphs.fill(Qt::white);
        QPainter p(&glyphs);
        for (int i = 0; i < 7; ++i) p.drawImage(i * 48 + 4, 4, TekenGlyph(TGlyph(i), 40));
        p.end();
        Bewaar(glyphs, QStringLiteral("hoofdvenster-glyphs"));
    }

  protected:
    int* toonTeller = nullptr;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (toonTeller && event->type() == QEvent::Show) ++*toonTeller;
        return QObject::eventFilter(object, event);
    }
};

QTEST_MAIN(TestHoofdvenster)
#include "test_hoofdvenster.moc"
