// The about box, the start window, the manual and product-support windows, the version text,
// the command line and the program start with its order of windows.
#include "Systeemtest.h"
#include "test_versie_server.h"

#include "components/Afdrukvoorbeeld.h"
#include "components/Infovenster.h"
#include "components/Programmainfo.h"
#include "components/Schermplaats.h"
#include "core/Meldingen.h"
#include "programs/Handleiding.h"
#include "programs/Opdrachtregel.h"
#include "programs/Produktondersteuning.h"
#include "programs/Programma.h"
#include "programs/Startvenster.h"
#include "programs/Versiecontrole.h"
#include "programs/Vertaling.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <csignal>

using namespace korvalinde;

namespace {

// Saves a picture of the window when KORVALINDE_PNG_MAP names a folder (for looking at them).
void Bewaar(QWidget* venster, const QString& naam) {
    const QImage plaatje = venster->grab().toImage();
    QVERIFY(!plaatje.isNull());
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (!map.isEmpty()) plaatje.save(map + QLatin1Char('/') + naam + QStringLiteral(".png"));
}

// The text of a word-wrapped label fits in the label's own height.
bool PastIn(QLabel* label) {
    return label->heightForWidth(label->width()) <= label->height();
}

// The settings file's text, with LF line ends (QSettings writes CR LF on Windows).
QString IniTekst(const QString& pad) {
    QFile f(pad);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

// A stand-in for the main window with the entries the program start links to.
THoofdvensterIngangen MaakHoofdvenster() {
    auto* venster = new QWidget;
    venster->setObjectName(QStringLiteral("FrmHoofdFormulier"));
    THoofdvensterIngangen ingangen;
    ingangen.venster = venster;
    ingangen.infoBox = new TZnInfoBox(venster);
    for (QAction** ingang :
         {&ingangen.handleiding, &ingangen.produktondersteuning, &ingangen.produktondersteuningTonen,
          &ingangen.versiecontrole, &ingangen.versieBijStarten}) {
        *ingang = new QAction(venster);
        venster->addAction(*ingang);
    }
    ingangen.handleiding->setObjectName(QStringLiteral("Handleiding"));
    ingangen.produktondersteuning->setObjectName(QStringLiteral("MitProduktondersteuning"));
    ingangen.produktondersteuningTonen->setObjectName(QStringLiteral("MitProduktOndersteuningTonen"));
    ingangen.versiecontrole->setObjectName(QStringLiteral("VersieControle1"));
    ingangen.versieBijStarten->setObjectName(QStringLiteral("MitVersieBijStarten"));
    ingangen.versieBijStarten->setCheckable(true);
    auto* knop = new QPushButton(venster);
    knop->setObjectName(QStringLiteral("BtnProduktOndersteuning"));
    ingangen.produktondersteuningKnop = knop;
    return ingangen;
}

} // namespace

class TestVensters : public QObject {
    Q_OBJECT

    TOpnameMelder meldingen;

  private slots:
    void initTestCase() {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        ZetStandaardMelder(&meldingen);
    }
    void init() { meldingen = TOpnameMelder(); }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    }
    void cleanupTestCase() { ZetStandaardMelder(nullptr); }

    void datums_data() {
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<QString>("patroon");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("version date") << QDate(2010, 2, 5) << "d MMMM yyyy"
                                      << "5 februari 2010";
        QTest::newRow("short date") << QDate(2010, 2, 5) << QString::fromLatin1(KorteDatumPatroon)
                                    << "05/02/2010";
        QTest::newRow("day names from Sunday") << QDate(2010, 2, 7) << "dddd d MMMM"
                                               << "zondag 7 februari";
        QTest::newRow("Saturday, December") << QDate(2011, 12, 31) << "dddd, MMMM"
                                            << "zaterdag, december";
        QTest::newRow("short names") << QDate(2010, 3, 1) << "ddd d MMM yy"
                                     << "ma 1 mrt 10";
        QTest::newRow("quoted text") << QDate(2010, 5, 9) << "'op' dddd 'd''s' M"
                                     << "op zondag d's 5";
        QTest::newRow("invalid date") << QDate() << "dd/MM/yyyy"
                                      << "";
    }
    void datums() {
        QFETCH(QDate, datum);
        QFETCH(QString, patroon);
        QFETCH(QString, tekst);
        QCOMPARE(DatumOpmaak(datum, patroon), tekst);
    }

    void programmanaam_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QStringList>("regels");
        const QString a29 = QString(29, 'a');
        QTest::newRow("41 characters, blank at 30")
            << a29 + " " + QString(11, 'b') << QStringList{a29, QString(11, 'b')};
        QTest::newRow("exactly 40") << QString(20, 'a') + " " + QString(19, 'b')
                                    << QStringList{QString(20, 'a') + " " + QString(19, 'b')};
        QTest::newRow("last blank within 40")
            << "aaaa bbbb " + QString(30, 'c') + " dd" << QStringList{"aaaa bbbb", QString(30, 'c') + " dd"};
        QTest::newRow("no blank within 40")
            << QString(45, 'x') << QStringList{QString(40, 'x'), QString(5, 'x')};
    }
    void programmanaam() {
        QFETCH(QString, naam);
        QFETCH(QStringList, regels);
        QCOMPARE(ZnProgrammaNaamRegels(naam).split('\n'), regels);
    }

    void infovenster_indeling_data() {
        QTest::addColumn<QString>("naam");
        QTest::addColumn<QString>("versie");
        QTest::addColumn<QStringList>("dlls");
        QTest::addColumn<int>("naamY");
        QTest::addColumn<int>("verschuiving");
        QTest::addColumn<int>("paneel");
        QTest::newRow("short name and version") << "Korvalinde"
                                                << "2010.00" << QStringList{} << 24 << 0 << 216 - 14;
        QTest::newRow("two-line name")
            << QString(30, 'a') + " " + QString(20, 'b') << "2010.00" << QStringList{} << 4 << 0 << 216 - 14;
        QTest::newRow("long version pushes rows down")
            << "Korvalinde"
            << "2010.00 bouw 1234 van de afdeling beweiding, proefversie voor adviseurs" << QStringList{}
            << 24 << 13 << 216 - 14 + 13;
        QTest::newRow("library list")
            << "Korvalinde"
            << "2010.00" << QStringList{"Qt 6", "libfoo 1.2", "libbar 3"} << 24 << 0 << 216 + 39;
    }
    void infovenster_indeling() {
        QFETCH(QString, naam);
        QFETCH(QString, versie);
        QFETCH(QStringList, dlls);
        QFETCH(int, naamY);
        QFETCH(int, verschuiving);
        QFETCH(int, paneel);
        TZnInfoBox box;
        box.ProgNaam = naam;
        box.Versie = versie;
        box.Datum = QStringLiteral("5 februari 2010");
        box.Dlls = dlls;
        TFrmInfo ontwerp;
        const std::unique_ptr<TFrmInfo> venster = box.MaakVenster();
        QCOMPARE(venster->windowTitle(), QStringLiteral("Info"));
        QCOMPARE(venster->LblProgrammaNaam->y(), naamY);
        QCOMPARE(venster->LblVersie->y(), ontwerp.LblVersie->y());
        QCOMPARE(venster->LblDatum->y(), ontwerp.LblDatum->y() + verschuiving);
        QCOMPARE(venster->LblProgrammeur->y(), ontwerp.LblProgrammeur->y() + verschuiving);
        QCOMPARE(venster->LblKopDlls->y(), ontwerp.LblKopDlls->y() + verschuiving);
        QCOMPARE(venster->PnlInfo->height(), paneel);
        QCOMPARE(venster->height(), paneel + 148);
        QCOMPARE(venster->width(), 492);
        QCOMPARE(venster->LblKopDlls->isHidden(), dlls.isEmpty());
        QCOMPARE(venster->LstDlls->height(), 13 * int(dlls.size()));
        QCOMPARE(venster->LblVersie->text(), versie);
        QCOMPARE(venster->LblBDEVersie->text(), QStringLiteral("n.v.t."));
        QCOMPARE(venster->LblWebsite->text(), QStringLiteral("http://korvalinde.example.org"));
        QCOMPARE(venster->LblHelpdesk->text(), box.Helpdesk);
        // The footer stays inside the window and below the panel.
        QVERIFY(venster->PnlVoet->geometry().bottom() < venster->height());
        QVERIFY(venster->PnlVoet->y() > venster->PnlInfo->geometry().bottom());
        QVERIFY(venster->LblProgrammeur->geometry().bottom() < venster->PnlInfo->height());
        if (!dlls.isEmpty()) QVERIFY(venster->LstDlls->geometry().bottom() < venster->PnlInfo->height());
        venster->show();
        Bewaar(venster.get(),
               QStringLiteral("info-") + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    }

    void infovenster_logo() {
        QTemporaryDir map;
        TZnInfoBox box;
        box.Logo = map.filePath(QStringLiteral("ontbreekt.png"));
        const QImage ingebouwd = TFrmInfo::IngebouwdLogo().toImage();
        QCOMPARE(box.MaakVenster()->ImgLogo->pixmap().toImage(), ingebouwd);
        QImage rood(40, 20, QImage::Format_RGB32);
        rood.fill(Qt::red);
        QVERIFY(rood.save(map.filePath(QStringLiteral("logo.png"))));
        box.Logo = map.filePath(QStringLiteral("logo.png"));
        QCOMPARE(box.MaakVenster()->ImgLogo->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
    }

    void website_data() {
        QTest::addColumn<QString>("klik");
        QTest::addColumn<bool>("lukt");
        QTest::newRow("logo") << "ImgLogo" << true;
        QTest::newRow("helpdesk line") << "LblHelpdesk" << true;
        QTest::newRow("website line, browser fails") << "LblWebsite" << false;
    }
    void website() {
        QFETCH(QString, klik);
        QFETCH(bool, lukt);
        meldingen.openLukt = lukt;
        TZnInfoBox box;
        const std::unique_ptr<TFrmInfo> venster = box.MaakVenster();
        QTest::mouseClick(venster->findChild<QWidget*>(klik), Qt::LeftButton);
        QCOMPARE(meldingen.geopend, QList<QUrl>{QUrl(QStringLiteral("http://korvalinde.example.org"))});
        QCOMPARE(meldingen.meldingen.size(), lukt ? 0 : 1);
        if (!lukt) {
            QCOMPARE(meldingen.meldingen.front().titel, QStringLiteral("Fout"));
            QVERIFY(meldingen.meldingen.front().tekst.startsWith(
                QStringLiteral("Fout in procedure GotoWebsite: ")));
        }
    }

    void execute_toont_en_ruimt_op() {
        TZnInfoBox box;
        QPointer<TFrmInfo> venster = box.Execute();
        QVERIFY(venster && venster->isVisible() && venster->isModal());
        venster->LstDlls->setFocus();
        if (QApplication::focusWidget()) QCOMPARE(QApplication::focusWidget(), venster->BtnOK);
        venster->BtnOK->click();
        QTRY_VERIFY(venster.isNull());
    }

    void versietekst_data() {
        QTest::addColumn<QString>("formaat");
        QTest::addColumn<QString>("tekst");
        QTest::newRow("V") << "V"
                           << "2010.00";
        QTest::newRow("D") << "D"
                           << "5 februari 2010";
        QTest::newRow("VD") << "VD"
                            << "2010.00 - 5 februari 2010";
        QTest::newRow("VERSIE") << "VERSIE"
                                << "2010.00";
        QTest::newRow("DV") << "DV"
                            << "5 februari 2010 2010.00";
        QTest::newRow("VP") << "VP"
                            << "2010.00 Korvalinde";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("lower case") << "pvd"
                                    << "Korvalinde 2010.00 - 5 februari 2010";
    }
    void versietekst() {
        QFETCH(QString, formaat);
        QFETCH(QString, tekst);
        QCOMPARE(VersieTekst(formaat), tekst);
    }

    void opdrachtregel_data() {
        QTest::addColumn<QStringList>("argumenten");
        QTest::addColumn<int>("afsluitcode"); // -1: the program starts
        QTest::addColumn<QString>("uitvoer");
        QTest::addColumn<QString>("scenario");
        QTest::newRow("nothing") << QStringList{"korvalinde"} << -1 << ""
                                 << "";
        QTest::newRow("scenario") << QStringList{"korvalinde", "/tmp/a.kvl", "b.kvl"} << -1 << ""
                                  << "/tmp/a.kvl";
        QTest::newRow("option before the file") << QStringList{"korvalinde", "-x", "a.kvl"} << -1 << ""
                                                << "a.kvl";
        QTest::newRow("after --") << QStringList{"korvalinde", "--", "--help"} << -1 << ""
                                  << "--help";
        QTest::newRow("version") << QStringList{"korvalinde", "a.kvl", "--version"} << 0
                                 << "Korvalinde 2010.00 - 5 februari 2010\n"
                                 << "a.kvl";
        QTest::newRow("help") << QStringList{"korvalinde", "-h"} << 0
                              << "Gebruik: korvalinde [opties] [SCENARIO.kvl]"
                              << "";
    }
    void opdrachtregel() {
        QFETCH(QStringList, argumenten);
        QFETCH(int, afsluitcode);
        QFETCH(QString, uitvoer);
        QFETCH(QString, scenario);
        QString tekst;
        QTextStream uit(&tekst);
        const std::optional<int> code = BehandelOpdrachtregel(argumenten, uit);
        QCOMPARE(code.value_or(-1), afsluitcode);
        if (uitvoer.isEmpty())
            QVERIFY(tekst.isEmpty());
        else
            QVERIFY2(tekst.startsWith(uitvoer), qPrintable(tekst));
        QCOMPARE(EersteScenarioArgument(argumenten), scenario);
    }

    void procesformaten_negeren_de_landinstelling() {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        ZetProcesFormaten();
        QDoubleSpinBox getal;
        getal.setDecimals(2);
        getal.setRange(0, 10000);
        QCOMPARE(getal.valueFromText(QStringLiteral("2.5")), 2.5);
        QCOMPARE(getal.textFromValue(1234.5), QStringLiteral("1234.50"));
        bool ok = false;
        QCOMPARE(QLocale().toDouble(QStringLiteral("2.5"), &ok), 2.5);
        QVERIFY(ok);
        QCOMPARE(QLocale().groupSeparator(), QStringLiteral(","));
    }

    void handleiding() {
        TFrmHandleiding venster;
        QCOMPARE(venster.windowTitle(), QStringLiteral("Handleiding korvalinde"));
        QCOMPARE(venster.size(), QSize(777, 569));
        QCOMPARE(venster.Koppen.size(), 7);
        QVERIFY(venster.Koppen.at(3)->font().italic() && venster.Koppen.at(3)->font().bold());
        QCOMPARE(venster.Koppen.at(3)->font().pixelSize(), 13);
        QCOMPARE(venster.Koppen.at(2)->font().pixelSize(), 15);
        // Line breaks stand in the texts themselves; "Beweiding" has four lines.
        QCOMPARE(venster.Teksten.at(3)->text().count('\n'), 3);
        QVERIFY(venster.Teksten.at(1)->text().contains(QStringLiteral("gewijzigd worden. \n1. ")));
        venster.Toon();
        QVERIFY(venster.isVisible() && venster.isModal());
        Bewaar(&venster, QStringLiteral("handleiding"));
        venster.SbxHandleiding->verticalScrollBar()->setValue(
            venster.SbxHandleiding->verticalScrollBar()->maximum());
        Bewaar(&venster, QStringLiteral("handleiding-onder"));
        venster.BtnOK->click();
        QVERIFY(!venster.isVisible());
    }

    void produktondersteuning_past_in_het_paneel() {
        TFrmInfotxt venster(nullptr);
        QCOMPARE(venster.windowTitle(), QStringLiteral("Produktondersteuning"));
        QCOMPARE(venster.size(), QSize(792, 524));
        QCOMPARE(venster.Koppen.size(), 4);
        QVERIFY(venster.ChkProduktOndersteuning->isChecked());
        QCOMPARE(venster.ChkProduktOndersteuning->text(), QStringLiteral("Bij start van programma tonen"));
        QCOMPARE(venster.Teksten.at(0)->font().pixelSize(), 13);
        QCOMPARE(venster.Teksten.at(2)->font().pixelSize(), 15);
        venster.show();
        QVERIFY(venster.PnlInfo->layout()->minimumHeightForWidth(venster.PnlInfo->width()) <=
                venster.PnlInfo->height());
        for (QLabel* tekst : venster.Teksten) QVERIFY2(PastIn(tekst), qPrintable(tekst->text().left(30)));
        Bewaar(&venster, QStringLiteral("produktondersteuning"));
    }

    // The start-up display and the setting "ProduktOndersteuning", across program starts.
    void produktondersteuning_bij_opstarten() {
        QTemporaryDir map;
        const QString ini = map.filePath(QStringLiteral("korvalinde.ini"));
        {
            // First run, no settings file: shown once, with the check box ticked.
            QSettings instellingen(ini, QSettings::IniFormat);
            TFrmInfotxt venster(&instellingen);
            QAction mit;
            venster.KoppelMenu(&mit);
            venster.ToonBijActivering();
            QVERIFY(venster.isVisible());
            QVERIFY(venster.ChkProduktOndersteuning->isChecked() && mit.isChecked());
            // Clearing the check box writes 0 and clears the menu's check mark.
            venster.ChkProduktOndersteuning->click();
            QVERIFY(!mit.isChecked());
            QVERIFY(IniTekst(ini).contains(QStringLiteral("[Gebruik]\nProduktOndersteuning=0")));
            venster.reject(); // the close box
            QVERIFY(venster.GeslotenGeweest);
            venster.ToonBijActivering(); // back from another application
            QVERIFY(!venster.isVisible());
        }
        {
            // Next start: not shown, no check mark; each activation reads the setting again.
            QSettings instellingen(ini, QSettings::IniFormat);
            TFrmInfotxt venster(&instellingen);
            QAction mit;
            venster.KoppelMenu(&mit);
            venster.ToonBijActivering();
            QVERIFY(!venster.isVisible());
            QVERIFY(!venster.ChkProduktOndersteuning->isChecked() && !mit.isChecked());
            instellingen.setValue(QStringLiteral("Gebruik/ProduktOndersteuning"), QStringLiteral("1"));
            venster.ToonBijActivering();
            QVERIFY(venster.isVisible());
            venster.BtnOK->click();
            QVERIFY(venster.GeslotenGeweest && !venster.isVisible());
        }
    }

    void produktondersteuning_menu() {
        QTemporaryDir map;
        QSettings instellingen(map.filePath(QStringLiteral("korvalinde.ini")), QSettings::IniFormat);
        TFrmInfotxt venster(&instellingen);
        QAction mit;
        venster.KoppelMenu(&mit);
        QVERIFY(mit.isCheckable() && mit.isChecked());
        mit.trigger();
        QVERIFY(!mit.isChecked() && !venster.ChkProduktOndersteuning->isChecked());
        QCOMPARE(instellingen.value(QStringLiteral("Gebruik/ProduktOndersteuning")).toString(),
                 QStringLiteral("0"));
        mit.trigger();
        QVERIFY(mit.isChecked() && venster.ChkProduktOndersteuning->isChecked());
        QCOMPARE(instellingen.value(QStringLiteral("Gebruik/ProduktOndersteuning")).toString(),
                 QStringLiteral("1"));
        venster.MitProduktOndersteuningTonenClick();
        QVERIFY(!mit.isChecked() && !venster.ChkProduktOndersteuning->isChecked());
    }

    void instelling_lezen_data() {
        QTest::addColumn<QString>("waarde"); // empty: key missing
        QTest::addColumn<bool>("tonen");
        QTest::newRow("missing") << "" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("other number") << "2" << true;
        QTest::newRow("no number") << "nee" << true;
    }
    void instelling_lezen() {
        QFETCH(QString, waarde);
        QFETCH(bool, tonen);
        QTemporaryDir map;
        QSettings instellingen(map.filePath(QStringLiteral("k.ini")), QSettings::IniFormat);
        if (!waarde.isEmpty()) instellingen.setValue(QStringLiteral("Gebruik/ProduktOndersteuning"), waarde);
        QCOMPARE(TFrmInfotxt(&instellingen).LeesInstelling(), tonen);
    }

    void startvenster() {
        TFrmOpstart venster;
        QCOMPARE(venster.windowTitle(), QStringLiteral("Korvalinde"));
        QCOMPARE(venster.size(), QSize(714, 547));
        QCOMPARE(venster.PnlOpstart->palette().color(QPalette::Window), QColor(240, 202, 166));
        QCOMPARE(venster.LblOpstart0->text(), QStringLiteral("Korvalinde"));
        QCOMPARE(venster.LblVersie->text(), QStringLiteral("versie 2010.00 - 5 februari 2010"));
        QCOMPARE(venster.ImgKorvalinde->geometry(), QRect(224, 80, 260, 169));
        QCOMPARE(venster.ImgKorvalinde->pixmap().size(), QSize(260, 169));
        QCOMPARE(venster.SttInfo->text(),
                 QStringLiteral("Klik hier voor meer informatie over het programma"));
        QVERIFY(venster.SttInfo->font().underline());
        venster.show();
        for (QLabel* tekst : {venster.LblOpstart1, venster.LblOpstart2})
            QVERIFY2(PastIn(tekst), qPrintable(tekst->text().left(30)));
        QVERIFY(venster.LblOpstart2->geometry().bottom() < venster.SttInfo->y());
        QVERIFY(venster.SttInfo->geometry().bottom() < venster.BitBtn1->y());
        Bewaar(&venster, QStringLiteral("opstart"));
    }

    void startvenster_link_en_ok() {
        TFrmOpstart venster;
        TFrmInfotxt infotxt(nullptr);
        QWidget hoofdvenster;
        venster.ZetHoofdvenster(&hoofdvenster);
        venster.ZetProductOndersteuning(&infotxt);
        QSignalSpy einde(&venster, &TFrmOpstart::ProgrammaBeeindigen);
        venster.show();
        QTest::mouseClick(venster.SttInfo, Qt::LeftButton);
        QVERIFY(infotxt.isVisible());
        infotxt.BtnOK->click();
        QVERIFY(infotxt.GeslotenGeweest); // the main window will not show it by itself
        venster.BitBtn1->click();
        QVERIFY(!venster.isVisible());
        QVERIFY(hoofdvenster.isVisible());
        QCOMPARE(einde.size(), 0);
    }

    void startvenster_sluiten_beeindigt() {
        TFrmOpstart venster;
        QWidget hoofdvenster;
        venster.ZetHoofdvenster(&hoofdvenster);
        QSignalSpy einde(&venster, &TFrmOpstart::ProgrammaBeeindigen);
        venster.show();
        venster.close();
        QCOMPARE(einde.size(), 1);
        QVERIFY(!hoofdvenster.isVisible());
    }

    void programmastart() {
        VersieServer server;
        server.inhoud = "Korvalinde\n2010.00\n5 februari 2010\n";
        QTemporaryDir map;
        QSettings instellingen(map.filePath(QStringLiteral("korvalinde.ini")), QSettings::IniFormat);
        instellingen.setValue(QStringLiteral("Versiecontrole/VersieAdres"), server.adres());
        bool startvensterEerst = false;
        const auto maak = [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("FrmOpstart") && w->isVisible())
                    startvensterEerst = true;
            return MaakHoofdvenster();
        };
        const std::unique_ptr<TProgrammaVensters> v = BouwProgramma(maak, &instellingen);
        QVERIFY(startvensterEerst);
        QVERIFY(v->opstart->isVisible());
        QVERIFY(!v->hoofdvenster->isVisible() && !v->handleiding->isVisible() && !v->infotxt->isVisible());
        // The quiet check asked the server from the settings file and said nothing.
        QCOMPARE(server.verzoeken.size(), 1);
        QVERIFY(server.verzoeken.front().startsWith("GET /software/korvalinde/versie.txt "));
        QCOMPARE(meldingen.meldingen.size(), 0);
        QVERIFY(v->infoBox);
        QCOMPARE(v->infoBox->Versie, QStringLiteral("2010.00"));

        // OK shows the main window; its activation shows the product-support window once.
        v->opstart->BitBtn1->click();
        QVERIFY(v->hoofdvenster->isVisible() && !v->opstart->isVisible());
        QEvent actief(QEvent::WindowActivate);
        QApplication::sendEvent(v->hoofdvenster.get(), &actief);
        QVERIFY(v->infotxt->isVisible());
        v->infotxt->BtnOK->click();
        QApplication::sendEvent(v->hoofdvenster.get(), &actief);
        QVERIFY(!v->infotxt->isVisible());

        // The help entries of the main window reach the windows and the version check.
        v->hoofdvenster->findChild<QAction*>(QStringLiteral("Handleiding"))->trigger();
        QVERIFY(v->handleiding->isVisible());
        v->handleiding->BtnOK->click();
        v->hoofdvenster->findChild<QPushButton*>(QStringLiteral("BtnProduktOndersteuning"))->click();
        QVERIFY(v->infotxt->isVisible());
        v->infotxt->BtnOK->click();
        auto* tonen = v->hoofdvenster->findChild<QAction*>(QStringLiteral("MitProduktOndersteuningTonen"));
        QVERIFY(tonen->isChecked());
        tonen->trigger();
        QVERIFY(!v->infotxt->ChkProduktOndersteuning->isChecked());
        v->hoofdvenster->findChild<QAction*>(QStringLiteral("VersieControle1"))->trigger();
        QCOMPARE(server.verzoeken.size(), 2);
        QCOMPARE(meldingen.meldingen.size(), 1);
        QCOMPARE(meldingen.meldingen.front().titel, QStringLiteral("Informatie"));
    }

    // The whole start with its message loop: it ends when the start window is closed, or after OK
    // when the main window is closed, or when the system asks it to end (as at log-off).
    void startprogramma_data() {
        QTest::addColumn<bool>("viaOK");
        QTest::addColumn<bool>("signaal"); // ended by SIGTERM instead of a window's close
        QTest::newRow("start window closed") << false << false;
        QTest::newRow("OK, then the main window closed") << true << false;
        QTest::newRow("ended by the system before OK") << false << true;
        QTest::newRow("OK, then ended by the system") << true << true;
    }
    void startprogramma() {
        QFETCH(bool, viaOK);
        QFETCH(bool, signaal);
        if (signaal) KORVALINDE_ALLEEN_POSIX("no SIGTERM on Windows");
        QTemporaryDir map;
        QSettings instellingen(map.filePath(QStringLiteral("korvalinde.ini")), QSettings::IniFormat);
        instellingen.setValue(QStringLiteral("Versiecontrole/VersieAdres"),
                              QStringLiteral("127.0.0.1:%1/k").arg(VersieServer::VrijePoort()));
        instellingen.setValue(QStringLiteral("Gebruik/ProduktOndersteuning"), QStringLiteral("0"));
        QPointer<QWidget> hoofdvenster;
        bool hoofdvensterGezien = false;
        // A user's click on OK reaches the start window only after the quiet version check, which
        // holds user input back while it waits; so the test clicks (or asks to end) no earlier than the
        // check's box.
        std::function<void()> handel;
        handel = [&] {
            if ((viaOK || signaal) && meldingen.meldingen.isEmpty()) {
                QTimer::singleShot(10, handel);
                return;
            }
            auto* opstart = qobject_cast<TFrmOpstart*>(QApplication::activeWindow());
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* o = qobject_cast<TFrmOpstart*>(w)) opstart = o;
            if (!viaOK) {
                if (signaal)
                    std::raise(SIGTERM);
                else
                    opstart->close();
                return;
            }
            opstart->BitBtn1->click();
            hoofdvensterGezien = hoofdvenster && hoofdvenster->isVisible();
            if (signaal)
                std::raise(SIGTERM);
            else
                QTimer::singleShot(0, [&] { hoofdvenster->close(); });
        };
        QTimer::singleShot(0, handel);
        QTimer bewaking; // a stuck loop fails the test instead of hanging it
        bewaking.setSingleShot(true);
        connect(&bewaking, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        bewaking.start(10000);
        const int code = StartProgramma(
            *qApp,
            [&] {
                const THoofdvensterIngangen ingangen = MaakHoofdvenster();
                hoofdvenster = ingangen.venster;
                return ingangen;
            },
            &instellingen);
        QCOMPARE(code, 0);
        QCOMPARE(hoofdvensterGezien, viaOK);
        QCOMPARE(meldingen.meldingen.size(), 1); // the failed quiet check
    }

    // The start-up check runs when the settings name a version server, not while only the built-in
    // placeholder address is known, unless the user chose otherwise; the choice is kept in the
    // settings file and the next start follows it. The menu check keeps working either way.
    void versiecontrole_bij_starten_data() {
        QTest::addColumn<bool>("adres");    // the settings name a version server
        QTest::addColumn<QString>("keuze"); // stored choice; empty: none
        QTest::addColumn<bool>("controleren");
        QTest::newRow("placeholder only: off") << false << "" << false;
        QTest::newRow("version server named: on") << true << "" << true;
        QTest::newRow("version server named, switched off") << true << "0" << false;
        QTest::newRow("placeholder only, switched on") << false << "1" << true;
    }
    void versiecontrole_bij_starten() {
        QFETCH(bool, adres);
        QFETCH(QString, keuze);
        QFETCH(bool, controleren);
        QTemporaryDir map;
        const QString ini = map.filePath(QStringLiteral("korvalinde.ini"));
        QSettings instellingen(ini, QSettings::IniFormat);
        instellingen.setValue(QStringLiteral("Gebruik/ProduktOndersteuning"), QStringLiteral("0"));
        if (adres)
            instellingen.setValue(QStringLiteral("Versiecontrole/VersieAdres"),
                                  QStringLiteral("127.0.0.1:1/k"));
        if (!keuze.isEmpty()) instellingen.setValue(QStringLiteral("Versiecontrole/BijStarten"), keuze);
        int gevraagd = 0;
        const auto maak = [&] {
            THoofdvensterIngangen ingangen = MaakHoofdvenster();
            ingangen.infoBox->VersieOphaler = [&gevraagd](const QString&, const QString&) {
                ++gevraagd;
                return TZnVersieInfo{QStringLiteral("Korvalinde"), QStringLiteral("2010.00"), {}, {}};
            };
            return ingangen;
        };
        {
            const std::unique_ptr<TProgrammaVensters> v = BouwProgramma(maak, &instellingen);
            QCOMPARE(gevraagd, controleren ? 1 : 0);
            QCOMPARE(meldingen.meldingen.size(), 0);
            auto* keuzeItem = v->hoofdvenster->findChild<QAction*>(QStringLiteral("MitVersieBijStarten"));
            QCOMPARE(keuzeItem->isChecked(), controleren);
            v->hoofdvenster->findChild<QAction*>(QStringLiteral("VersieControle1"))->trigger();
            QCOMPARE(gevraagd, controleren ? 2 : 1);
            keuzeItem->trigger();
            QCOMPARE(QSettings(ini, QSettings::IniFormat)
                         .value(QStringLiteral("Versiecontrole/BijStarten"))
                         .toString(),
                     controleren ? QStringLiteral("0") : QStringLiteral("1"));
        }
        gevraagd = 0;
        const std::unique_ptr<TProgrammaVensters> v = BouwProgramma(maak, &instellingen);
        QCOMPARE(gevraagd, controleren ? 0 : 1);
        QCOMPARE(v->hoofdvenster->findChild<QAction*>(QStringLiteral("MitVersieBijStarten"))->isChecked(),
                 !controleren);
    }

    void programmastart_startvenster_gesloten() {
        QTemporaryDir map;
        QSettings instellingen(map.filePath(QStringLiteral("korvalinde.ini")), QSettings::IniFormat);
        instellingen.setValue(QStringLiteral("Versiecontrole/VersieAdres"),
                              QStringLiteral("127.0.0.1:%1/k").arg(VersieServer::VrijePoort()));
        const std::unique_ptr<TProgrammaVensters> v = BouwProgramma(MaakHoofdvenster, &instellingen);
        QCOMPARE(meldingen.meldingen.size(), 1); // no server: the failure box, once
        v->opstart->close();
        QVERIFY(v->beeindigd);
        QVERIFY(!v->hoofdvenster->isVisible());
    }

    // Qt's own dialogs and buttons speak Dutch after the program's start-up step, while the
    // numbers keep their point.
    void qt_dialogen_in_het_nederlands_data() {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("bron");
        QTest::addColumn<QString>("nederlands");
        QTest::newRow("open: look in") << "QFileDialog"
                                       << "Look in:"
                                       << "Zoeken in:";
        QTest::newRow("save: file name") << "QFileDialog"
                                         << "File &name:"
                                         << "Bestands&naam:";
        QTest::newRow("print") << "QPrintDialog"
                               << "&Print"
                               << "A&fdrukken";
        QTest::newRow("page set-up") << "QPrintPreviewDialog"
                                     << "Page Setup"
                                     << "Pagina-instelling";
    }
    void qt_dialogen_in_het_nederlands() {
        QFETCH(QString, context);
        QFETCH(QString, bron);
        QFETCH(QString, nederlands);
        const QString getal = QLocale().toString(1234.5);
        QVERIFY(LaadQtVertalingen(*qApp));
        QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(), bron.toLatin1().constData()),
                 nederlands);
        // A box's standard buttons come from the platform's texts, which the catalogue covers too.
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("v"),
                        QMessageBox::Save | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Annuleren"));
        QCOMPARE(QLocale().toString(1234.5), getal);
        for (QTranslator* vertaler : qApp->findChildren<QTranslator*>()) delete vertaler;
    }

    // Windows on the screen: the rule, then real windows shown on a given available area.
    void plaatsIn_data() {
        QTest::addColumn<QRect>("kader");
        QTest::addColumn<QRect>("vlak");
        QTest::addColumn<bool>("centreren");
        QTest::addColumn<QRect>("plek");
        const QRect groot(0, 0, 1280, 994); // a task bar of 30 below
        const QRect klein(0, 0, 640, 512);  // 1280 x 1024 at a display scale of 2
        QTest::newRow("past: blijft staan")
            << QRect(100, 50, 720, 570) << groot << false << QRect(100, 50, 720, 570);
        QTest::newRow("boven links buiten")
            << QRect(-20, -10, 300, 200) << groot << false << QRect(0, 0, 300, 200);
        QTest::newRow("onder rechts buiten")
            << QRect(1200, 900, 300, 200) << groot << false << QRect(980, 794, 300, 200);
        QTest::newRow("te breed") << QRect(100, 100, 1400, 500) << groot << false << QRect(0, 100, 1280, 500);
        QTest::newRow("hoofdvenster op schaal 2")
            << QRect(-84, -94, 808, 700) << klein << false << QRect(0, 0, 640, 512);
        QTest::newRow("taakbalk boven")
            << QRect(10, 0, 300, 200) << QRect(0, 30, 1280, 994) << false << QRect(10, 30, 300, 200);
        QTest::newRow("tweede scherm links") << QRect(-1500, 100, 300, 200) << QRect(-1280, 0, 1280, 1024)
                                             << false << QRect(-1280, 100, 300, 200);
        QTest::newRow("geen vlak: ongewijzigd")
            << QRect(-20, -10, 300, 200) << QRect() << false << QRect(-20, -10, 300, 200);
        QTest::newRow("gecentreerd") << QRect(0, 0, 718, 551) << groot << true << QRect(281, 221, 718, 551);
        QTest::newRow("gecentreerd, te groot")
            << QRect(0, 0, 808, 700) << klein << true << QRect(0, 0, 640, 512);
        QTest::newRow("gecentreerd, taakbalk links")
            << QRect(0, 0, 300, 200) << QRect(40, 0, 600, 400) << true << QRect(190, 100, 300, 200);
    }

    void plaatsIn() {
        QFETCH(QRect, kader);
        QFETCH(QRect, vlak);
        QFETCH(bool, centreren);
        QTEST(centreren ? GecentreerdIn(kader.size(), vlak) : PlaatsIn(kader, vlak), "plek");
    }

    void vensterOpScherm_data() {
        QTest::addColumn<QString>("venster");
        QTest::addColumn<QRect>("vlak");
        QTest::addColumn<bool>("scrolt");
        const QRect groot(0, 0, 1280, 994);
        const QRect klein(0, 0, 640, 480);
        for (const char* naam : {"startvenster", "hoofdvenster", "handleiding", "voorbeeld"}) {
            QTest::addRow("%s normaal", naam) << QString::fromLatin1(naam) << groot << false;
            QTest::addRow("%s klein", naam)
                << QString::fromLatin1(naam) << klein << (naam != std::string("voorbeeld"));
        }
        QTest::newRow("voorbeeld schermvullend")
            << QStringLiteral("voorbeeld schermvullend") << groot << false;
        QTest::newRow("startvenster, vlak met afstand")
            << QStringLiteral("startvenster") << QRect(200, 100, 700, 500) << true;
    }

    void vensterOpScherm() {
        // Each window shown as the program shows it, on an available area that the test gives.
        QFETCH(QString, venster);
        QFETCH(QRect, vlak);
        QFETCH(bool, scrolt);
        ZetSchermvlakBron([vlak](const QWidget*) { return vlak; });
        const auto herstel = qScopeGuard([] { ZetSchermvlakBron({}); });

        std::unique_ptr<QWidget> w;
        QWidget* laatste = nullptr; // the control that must stay reachable
        QWidget* inhoud = nullptr;  // what keeps its designed size
        QSize ontwerp;
        if (venster == "startvenster") {
            auto* v = new TFrmOpstart;
            w.reset(v);
            laatste = v->BitBtn1;
            inhoud = v->PnlOpstart;
            ontwerp = QSize(714, 547);
        } else if (venster == "handleiding") {
            auto* v = new TFrmHandleiding;
            w.reset(v);
            laatste = v->BtnOK;
            ontwerp = QSize(777, 569);
        } else if (venster == "hoofdvenster") {
            // Built as the main window is: a fixed client area under a menu bar, centred when shown.
            auto* v = new QMainWindow;
            w.reset(v);
            v->menuBar()->addMenu(QStringLiteral("&Bestand"));
            auto* client = new QWidget;
            client->setFixedSize(804, 666);
            laatste = new QPushButton(QStringLiteral("Berekenen"), client);
            laatste->setGeometry(700, 630, 100, 30);
            v->setCentralWidget(client);
            v->layout()->setSizeConstraint(QLayout::SetFixedSize);
            inhoud = client;
            ontwerp = QSize(804, 666);
            struct Centreer : QObject {
                using QObject::QObject;
                bool eventFilter(QObject* o, QEvent* e) override {
                    if (e->type() == QEvent::Show)
                        PlaatsOpScherm(static_cast<QWidget*>(o), TPlaatsing::Centreren);
                    return false;
                }
            };
            v->installEventFilter(new Centreer(v));
        } else {
            auto* v = new TPrintPreview(nullptr);
            w.reset(v);
            laatste = v->LblPage;
            // The preview as the report opens it: at the top left, the screen's size minus 3, or a size of
            // its own.
            ontwerp = venster.endsWith("schermvullend") ? QSize(1277, 1021) : QSize(600, 400);
            v->move(venster.endsWith("schermvullend") ? QPoint(0, 0) : QPoint(10, 20));
            v->resize(ontwerp);
        }
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QTRY_VERIFY2(vlak.contains(w->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                       .arg(w->frameGeometry().x())
                                                                       .arg(w->frameGeometry().y())
                                                                       .arg(w->frameGeometry().width())
                                                                       .arg(w->frameGeometry().height())));
        auto* rol = w->findChild<QScrollArea*>(QStringLiteral("SbxSchermplaats"));
        QCOMPARE(rol != nullptr, scrolt);
        const QSize gezien = qobject_cast<QMainWindow*>(w.get()) ? inhoud->size() : w->size();
        if (!scrolt && !venster.endsWith("schermvullend")) QCOMPARE(gezien, ontwerp);
        if (scrolt) {
            QVERIFY(w->width() < ontwerp.width() || w->height() < ontwerp.height());
            if (inhoud) QCOMPARE(inhoud->size(), ontwerp); // the contents keep their size and scroll
            rol->ensureWidgetVisible(laatste);
        }
        // The last control can be seen inside the window (after scrolling to it).
        const QRect plek(laatste->mapTo(w.get(), QPoint(0, 0)), laatste->size());
        QVERIFY2(w->rect().contains(plek), qPrintable(venster));
        Bewaar(w.get(),
               QStringLiteral("opscherm-") + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    }
};

QTEST_MAIN(TestVensters)
#include "test_vensters.moc"
