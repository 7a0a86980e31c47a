// The version check against a version server of the test's own on 127.0.0.1: reading the four
// lines, the request, its failures, and the boxes the check shows at start-up and from the menu.
#include "test_versie_server.h"

#include "components/Programmainfo.h"
#include "core/Meldingen.h"
#include "programs/Versiecontrole.h"

#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

using namespace korvalinde;

namespace {

const QString EigenVersie = QStringLiteral("Korvalinde versie 2010.00 - 5 februari 2010");

QString NieuweVersieTekst(const QString& r1, const QString& r2, const QString& r3) {
    return QStringLiteral("Er is een nieuwe versie beschikbaar:\n") + r1 + " versie " + r2 + " - " + r3 +
           "\n\nU werkt nu met versie:\n" + EigenVersie +
           "\n\nU kunt de nieuwste versie downloaden vanaf de website:    \n"
           "korvalinde.example.org/software/korvalinde\n\n"
           "Wilt u de nieuwe versie nu downloaden naar uw PC?\n(sterk aanbevolen)";
}

const QString GeenNieuweTekst = QStringLiteral("Er is geen nieuwe versie van het programma beschikbaar.\n\n"
                                               "U werkt nu met de meest recente versie:\n") +
                                EigenVersie;

// The failure box with its line of reason.
QString MisluktTekst(const QString& reden) {
    return QStringLiteral("De controle op het versienummer van het programma is mislukt.\n") + reden +
           "\n\nGa naar de website korvalinde.example.org/software/korvalinde\n"
           "om te controleren of er een nieuwe versie beschikbaar is.\n\n"
           "U werkt nu met versie:\n" +
           EigenVersie + "\n\nNieuwe versies kunt u vanaf de website downloaden naar uw PC.";
}

} // namespace

class TestVersie : public QObject {
    Q_OBJECT

    TOpnameMelder meldingen;

    // The component as the main window sets it up, pointed at the given server address.
    void Instellen(TZnInfoBox& box, const QString& adres) {
        box.Versie = QStringLiteral("2010.00");
        box.Datum = QStringLiteral("5 februari 2010");
        box.VersieFile = QStringLiteral("versie.txt");
        box.VersieAdres = adres;
    }

  private slots:
    void initTestCase() {
        // Requests to 127.0.0.1 must never go through a proxy of the environment.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        InstalleerVersieOphaler();
        ZetStandaardMelder(&meldingen);
    }
    void init() { meldingen = TOpnameMelder(); }
    void cleanupTestCase() { ZetStandaardMelder(nullptr); }

    void regels_data() {
        QTest::addColumn<QByteArray>("antwoord");
        QTest::addColumn<QStringList>("regels");
        QTest::newRow("CR LF") << QByteArray(
                                      "Korvalinde\r\n2010.01\r\n1 maart 2010\r\nhttp://a.example/d\r\n")
                               << QStringList{"Korvalinde", "2010.01", "1 maart 2010", "http://a.example/d"};
        QTest::newRow("LF, CR mixed") << QByteArray("a\nb\rc\r\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("empty lines between lines are skipped")
            << QByteArray("Korvalinde\r\n\r\n\n2010.00\n\n1 maart\n")
            << QStringList{"Korvalinde", "2010.00", "1 maart", ""};
        QTest::newRow("fewer than four lines")
            << QByteArray("Korvalinde\n2010") << QStringList{"Korvalinde", "2010", "", ""};
        QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << QStringList{"a", "b", "", ""};
        QTest::newRow("empty") << QByteArray() << QStringList{"", "", "", ""};
        QTest::newRow("fifth line ignored")
            << QByteArray("1\n2\n3\n4\n5\n") << QStringList{"1", "2", "3", "4"};
        QTest::newRow("spaces are kept") << QByteArray(" a \n b") << QStringList{" a ", " b", "", ""};
        QTest::newRow("byte-order mark and UTF-8")
            << QByteArray("\xEF\xBB\xBFKorv\xC3\xA1linde\n2")
            << QStringList{QString::fromUtf8("Korv\xC3\xA1linde"), "2", "", ""};
    }
    void regels() {
        QFETCH(QByteArray, antwoord);
        QFETCH(QStringList, regels);
        const TZnVersieInfo info = LeesVersieInfo(antwoord);
        QCOMPARE((QStringList{info.naam, info.versie, info.datum, info.downloadAdres}), regels);
    }

    void haalt_het_bestand_op_het_pad() {
        VersieServer server;
        server.inhoud = "Korvalinde\n2010.00\n5 februari 2010\nhttp://x.example/\n";
        const TZnVersieInfo info =
            HaalVersieInfo(QStringLiteral("http://") + server.adres(), QStringLiteral("/versie.txt"));
        QCOMPARE(info.versie, QStringLiteral("2010.00"));
        QCOMPARE(server.verzoeken.size(), 1);
        QVERIFY2(server.verzoeken.front().startsWith("GET /software/korvalinde/versie.txt HTTP/1."),
                 server.verzoeken.front().constData());
    }

    void mislukte_verzoeken_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("zwijgen");
        QTest::addColumn<int>("grootte");
        QTest::addColumn<bool>("geenServer");
        QTest::addColumn<QByteArray>("rauw"); // the whole answer as sent; null: status and body
        QTest::addColumn<QString>("reden");
        const QByteArray gewoon;
        QTest::newRow("not found") << 404 << false << 10 << false << gewoon << "foutcode 404";
        QTest::newRow("server error") << 500 << false << 10 << false << gewoon << "foutcode 500";
        QTest::newRow("no answer within the time limit")
            << 200 << true << 10 << false << gewoon
            << "time-out: de versieserver gaf geen antwoord binnen 0.4";
        QTest::newRow("answer too large")
            << 200 << false << int(VersieMaxAntwoord + 10) << false << gewoon << "te groot (meer dan 64 KiB)";
        QTest::newRow("headers and body together too large")
            << 200 << false << int(VersieMaxAntwoord - 50) << false << gewoon << "te groot";
        QTest::newRow("nothing listening") << 200 << false << 10 << true << gewoon << "geen verbinding";
        QTest::newRow("connection closed without an answer")
            << 200 << false << 0 << false << QByteArray("") << "zonder antwoord";
        QTest::newRow("no HTTP answer")
            << 200 << false << 0 << false << QByteArray("Korvalinde\r\n2010.01\r\n\r\n")
            << "geen geldig HTTP-antwoord";
        QTest::newRow("body shorter than announced")
            << 200 << false << 0 << false
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nKorvalinde\n") << "onvolledig";
        QTest::newRow("unreadable chunk size")
            << 200 << false << 0 << false
            << QByteArray(
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nKorvalinde\r\n0\r\n\r\n")
            << "onleesbaar";
    }
    void mislukte_verzoeken() {
        QFETCH(int, status);
        QFETCH(bool, zwijgen);
        QFETCH(int, grootte);
        QFETCH(bool, geenServer);
        QFETCH(QByteArray, rauw);
        QFETCH(QString, reden);
        VersieServer server;
        server.status = status;
        server.zwijgen = zwijgen;
        server.rauw = !rauw.isNull();
        server.inhoud = server.rauw ? rauw : QByteArray(grootte, 'x');
        const QString basis = geenServer
                                  ? QStringLiteral("http://127.0.0.1:%1").arg(VersieServer::VrijePoort())
                                  : QStringLiteral("http://") + server.adres();
        QElapsedTimer klok;
        klok.start();
        QString fout;
        try {
            HaalVersieInfo(basis, QStringLiteral("/versie.txt"), 400);
        } catch (const std::runtime_error& e) {
            fout = QString::fromStdString(e.what());
        }
        QVERIFY2(fout.contains(reden), qPrintable(fout));
        QVERIFY(!fout.contains(QLatin1Char('\n')));
        QVERIFY(klok.elapsed() < 5000);
    }

    // The answer arrives whole in the usual framings, and over a redirection (%1: the address of a
    // second server that serves the version file).
    void antwoord_vormen_data() {
        QTest::addColumn<QByteArray>("rauw");
        QTest::newRow("chunked") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                               "b\r\nKorvalinde\n\r\n8;x=y\r\n2010.00\n\r\n0\r\n\r\n");
        QTest::newRow("until the connection closes")
            << QByteArray("HTTP/1.0 200 OK\r\n\r\nKorvalinde\n2010.00\n");
        QTest::newRow("LF line ends, continue first") << QByteArray(
            "HTTP/1.1 100 Continue\n\nHTTP/1.1 200 OK\nContent-Length: 19\n\nKorvalinde\n2010.00\nextra");
        QTest::newRow("redirection") << QByteArray(
            "HTTP/1.1 301 Moved\r\nLocation: http://%1/versie.txt\r\nContent-Length: 0\r\n\r\n");
    }
    void antwoord_vormen() {
        QFETCH(QByteArray, rauw);
        VersieServer elders;
        elders.inhoud = "Korvalinde\n2010.00\n";
        VersieServer server;
        server.rauw = true;
        server.inhoud = rauw.replace("%1", elders.adres().toLatin1());
        const TZnVersieInfo info =
            HaalVersieInfo(QStringLiteral("http://") + server.adres(), QStringLiteral("/versie.txt"), 3000);
        QCOMPARE(info.naam, QStringLiteral("Korvalinde"));
        QCOMPARE(info.versie, QStringLiteral("2010.00"));
        QCOMPARE(info.datum, QString());
        QCOMPARE(elders.verzoeken.size(), rauw.contains("301") ? 1 : 0);
    }

    // One budget for the whole chain of redirections: each answer stays well below it, together they
    // pass it. `kop`: bytes of padding in each redirection's headers; `inhoud`: of the version file.
    void omleidingen_delen_een_budget_data() {
        QTest::addColumn<int>("omleidingen");
        QTest::addColumn<int>("kop");
        QTest::addColumn<int>("inhoud");
        QTest::addColumn<bool>("teGroot");
        const int k = 1024; // 64 KiB in all
        QTest::newRow("two redirections and a file, within the budget") << 2 << 10 * k << 10 * k << false;
        QTest::newRow("a redirection and a file, together too large") << 1 << 40 * k << 30 * k << true;
        QTest::newRow("three redirections, together too large") << 3 << 25 * k << 0 << true;
        QTest::newRow("four redirections and a file, together too large") << 4 << 12 * k << 20 * k << true;
    }
    void omleidingen_delen_een_budget() {
        QFETCH(int, omleidingen);
        QFETCH(int, kop);
        QFETCH(int, inhoud);
        QFETCH(bool, teGroot);
        std::vector<std::unique_ptr<VersieServer>> servers;
        servers.push_back(std::make_unique<VersieServer>());
        servers.back()->inhoud = "Korvalinde\n2010.00\n" + QByteArray(inhoud, 'x');
        for (int i = 0; i < omleidingen; ++i) {
            auto server = std::make_unique<VersieServer>();
            server->rauw = true;
            server->inhoud = "HTTP/1.1 302 Found\r\nLocation: http://" + servers.back()->adres().toLatin1() +
                             "/versie.txt\r\nX-Vulling: " + QByteArray(kop, 'v') +
                             "\r\nContent-Length: 0\r\n\r\n";
            servers.push_back(std::move(server));
        }
        QString fout;
        TZnVersieInfo info;
        try {
            info = HaalVersieInfo(QStringLiteral("http://") + servers.back()->adres(),
                                  QStringLiteral("/versie.txt"), 5000);
        } catch (const std::runtime_error& e) {
            fout = QString::fromStdString(e.what());
        }
        if (teGroot) {
            QVERIFY2(fout.contains("te groot (meer dan 64 KiB)"), qPrintable(fout));
        } else {
            QVERIFY2(fout.isEmpty(), qPrintable(fout));
            QCOMPARE(info.versie, QStringLiteral("2010.00"));
            QCOMPARE(servers.front()->verzoeken.size(), 1);
        }
    }

    // An answer without end: stopped as soon as it passes the limit, or when the time limit (which
    // covers the headers too) passes.
    void eindeloos_antwoord_data() {
        QTest::addColumn<int>("soort"); // VersieServer::Eindeloos
        QTest::addColumn<QString>("melding");
        QTest::addColumn<int>("tijdlimiet");
        QTest::newRow("endless chunked body") << int(VersieServer::Eindeloos::Inhoud) << "te groot" << 20000;
        QTest::newRow("endless header lines")
            << int(VersieServer::Eindeloos::Kopregels) << "binnen 1.5 seconden" << 1500;
        QTest::newRow("one header without end") << int(VersieServer::Eindeloos::Kop) << "te groot" << 20000;
    }
    void eindeloos_antwoord() {
        QFETCH(int, soort);
        QFETCH(QString, melding);
        QFETCH(int, tijdlimiet);
        VersieServer server;
        server.eindeloos = VersieServer::Eindeloos(soort);
        QElapsedTimer klok;
        klok.start();
        QString fout;
        try {
            HaalVersieInfo(QStringLiteral("http://") + server.adres(), QStringLiteral("/versie.txt"),
                           tijdlimiet);
        } catch (const std::runtime_error& e) {
            fout = QString::fromStdString(e.what());
        }
        const qint64 duur = klok.elapsed();
        QVERIFY2(fout.contains(melding), qPrintable(fout));
        if (soort != int(VersieServer::Eindeloos::Kopregels)) {
            // Stopped near the limit, not after the server had sent megabytes.
            QVERIFY2(server.verstuurd < 4 * VersieMaxAntwoord, qPrintable(QString::number(server.verstuurd)));
            QVERIFY(duur < tijdlimiet);
        } else {
            QVERIFY2(duur >= tijdlimiet - 100 && duur < tijdlimiet + 1000, qPrintable(QString::number(duur)));
        }
    }

    void alleen_http_adressen_worden_gevraagd_data() {
        QTest::addColumn<QString>("basis");
        QTest::newRow("file") << QStringLiteral("file:///etc");
        QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1");
        QTest::newRow("no host") << QStringLiteral("http://");
    }
    void alleen_http_adressen_worden_gevraagd() {
        QFETCH(QString, basis);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, HaalVersieInfo(basis, QStringLiteral("/versie.txt")));
    }

    // The whole check as start-up (meldAltijd false) and the menu (true) run it.
    void controle_data() {
        QTest::addColumn<QByteArray>("antwoord");
        QTest::addColumn<bool>("meldAltijd");
        QTest::addColumn<QString>("verwacht"); // the one box shown; empty: none
        QTest::addColumn<QString>("soort");
        const QByteArray eigen =
            "Korvalinde\r\n2010.00\r\n5 februari 2010\r\nhttp://korvalinde.example.org/d\r\n";
        const QByteArray nieuw =
            "Korvalinde\r\n2010.01\r\n1 maart 2010\r\nhttp://korvalinde.example.org/d\r\n";
        QTest::newRow("own version at start-up: silent") << eigen << false << QString() << QString();
        QTest::newRow("own version from the menu") << eigen << true << GeenNieuweTekst << "Informatie";
        QTest::newRow("2010 occurs in 2010.00: current")
            << QByteArray("Korvalinde\n2010\nx\ny\n") << true << GeenNieuweTekst << "Informatie";
        QTest::newRow("blank line before the version")
            << QByteArray("Korvalinde\n\n2010.00\n5 februari 2010\n") << true << GeenNieuweTekst
            << "Informatie";
        QTest::newRow("newer version at start-up")
            << nieuw << false << NieuweVersieTekst("Korvalinde", "2010.01", "1 maart 2010") << "Waarschuwing";
        QTest::newRow("newer version from the menu")
            << nieuw << true << NieuweVersieTekst("Korvalinde", "2010.01", "1 maart 2010") << "Waarschuwing";
        // An answer without a version text tells nothing about a newer version: a failed check.
        const QString geenVersietekst = MisluktTekst("Het antwoord van de versieserver is geen versietekst");
        QTest::newRow("empty answer is a failed check")
            << QByteArray() << false << geenVersietekst << "Informatie";
        QTest::newRow("web page is a failed check")
            << QByteArray("<!DOCTYPE html>\n<html lang=\"nl\">\n<title>Aanmelden</title>\n") << false
            << geenVersietekst << "Informatie";
        QTest::newRow("name only is a failed check")
            << QByteArray("Korvalinde\n") << true << geenVersietekst << "Informatie";
        QTest::newRow("control characters are a failed check")
            << QByteArray("Korvalinde\n2010.01\n\x1b[2J\n") << false << geenVersietekst << "Informatie";
        QTest::newRow("version 2010.00.1 is not in 2010.00")
            << QByteArray("K\n2010.00.1\nd\n") << false << NieuweVersieTekst("K", "2010.00.1", "d")
            << "Waarschuwing";
    }
    void controle() {
        QFETCH(QByteArray, antwoord);
        QFETCH(bool, meldAltijd);
        QFETCH(QString, verwacht);
        QFETCH(QString, soort);
        VersieServer server;
        server.inhoud = antwoord;
        TZnInfoBox box;
        Instellen(box, server.adres());
        meldingen.antwoorden = {MeldKnop::Nee};
        box.VersieControleren(meldAltijd);
        if (verwacht.isEmpty()) {
            QCOMPARE(meldingen.meldingen.size(), 0);
        } else {
            QCOMPARE(meldingen.meldingen.size(), 1);
            QCOMPARE(meldingen.meldingen.front().titel, soort);
            QCOMPARE(meldingen.meldingen.front().tekst, verwacht);
            if (soort == QLatin1String("Waarschuwing"))
                QCOMPARE(meldingen.meldingen.front().knoppen,
                         (QList<MeldKnop>{MeldKnop::Ja, MeldKnop::Nee, MeldKnop::Annuleer}));
        }
        QVERIFY(meldingen.geopend.isEmpty()); // "&Nee" opens nothing
        QCOMPARE(server.verzoeken.size(), 1);
    }

    // "&Ja" on the warning: line 4 is opened only when it is a web address.
    void downloadadres_data() {
        QTest::addColumn<QString>("regel4");
        QTest::addColumn<MeldKnop>("antwoord");
        QTest::addColumn<bool>("geopend");
        QTest::addColumn<QString>("melding"); // start of the second box; empty: none
        QTest::newRow("http") << "http://korvalinde.example.org/nieuw" << MeldKnop::Ja << true << QString();
        QTest::newRow("browser fails") << "http://korvalinde.example.org/kapot" << MeldKnop::Ja << true
                                       << "Fout in procedure versie controleren: ";
        QTest::newRow("https") << "HTTPS://korvalinde.example.org/nieuw" << MeldKnop::Ja << true << QString();
        QTest::newRow("Annuleer") << "http://korvalinde.example.org/nieuw" << MeldKnop::Annuleer << false
                                  << QString();
        QTest::newRow("local program")
            << "file:///usr/bin/xterm" << MeldKnop::Ja << false
            << "Het downloadadres \"file:///usr/bin/xterm\" van de versieserver is geen";
        QTest::newRow("plain path") << "/tmp/setup.sh" << MeldKnop::Ja << false
                                    << "Het downloadadres \"/tmp/setup.sh\" van de versieserver is geen";
        QTest::newRow("other scheme")
            << "javascript:alert(1)" << MeldKnop::Ja << false << "Het downloadadres \"javascript:alert(1)\"";
        QTest::newRow("no fourth line")
            << "" << MeldKnop::Ja << false << "De versieserver gaf geen downloadadres op";
    }
    void downloadadres() {
        QFETCH(QString, regel4);
        QFETCH(MeldKnop, antwoord);
        QFETCH(bool, geopend);
        QFETCH(QString, melding);
        VersieServer server;
        server.inhoud = "Korvalinde\n2010.01\n1 maart 2010\n" + regel4.toUtf8() + "\n";
        TZnInfoBox box;
        Instellen(box, server.adres());
        meldingen.antwoorden = {antwoord};
        meldingen.openLukt = !regel4.endsWith(QLatin1String("kapot"));
        box.VersieControleren(false);
        QCOMPARE(meldingen.geopend.size(), geopend ? 1 : 0);
        if (geopend) QCOMPARE(meldingen.geopend.front().toString().toLower(), regel4.toLower());
        QCOMPARE(meldingen.meldingen.size(), melding.isEmpty() ? 1 : 2);
        if (!melding.isEmpty()) {
            QCOMPARE(meldingen.meldingen.at(1).titel,
                     meldingen.openLukt ? QStringLiteral("Waarschuwing") : QStringLiteral("Fout"));
            QVERIFY2(meldingen.meldingen.at(1).tekst.startsWith(melding),
                     qPrintable(meldingen.meldingen.at(1).tekst));
        }
    }

    // The failure box, once, with one line that says why.
    void mislukte_controle_meldt_eenmaal_data() {
        QTest::addColumn<bool>("meldAltijd");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reden"); // start of the reason line
        QTest::newRow("no server, start-up") << false << 0 << "Geen verbinding met de versieserver (";
        QTest::newRow("no server, menu") << true << 0 << "Geen verbinding met de versieserver (";
        QTest::newRow("server error, start-up")
            << false << 503 << "De versieserver antwoordde met foutcode 503";
        QTest::newRow("answer too large, menu")
            << true << 1 << "Het antwoord van de versieserver is te groot (meer dan 64 KiB)";
    }
    void mislukte_controle_meldt_eenmaal() {
        QFETCH(bool, meldAltijd);
        QFETCH(int, status);
        QFETCH(QString, reden);
        VersieServer server;
        server.status = status == 1 ? 200 : status;
        if (status == 1) server.eindeloos = VersieServer::Eindeloos::Kop;
        TZnInfoBox box;
        Instellen(box,
                  status == 0
                      ? QStringLiteral("127.0.0.1:%1/software/korvalinde").arg(VersieServer::VrijePoort())
                      : server.adres());
        box.VersieControleren(meldAltijd);
        QCOMPARE(meldingen.meldingen.size(), 1);
        QCOMPARE(meldingen.meldingen.front().titel, QStringLiteral("Informatie"));
        const QString tekst = meldingen.meldingen.front().tekst;
        const QString regel = tekst.section(QLatin1Char('\n'), 1, 1);
        QVERIFY2(regel.startsWith(reden), qPrintable(tekst));
        QCOMPARE(tekst, MisluktTekst(regel));
    }

    void zwijgende_server_houdt_het_programma_niet_vast() {
        VersieServer server;
        server.zwijgen = true;
        TZnInfoBox box;
        Instellen(box, server.adres());
        box.VersieOphaler = [](const QString& basis, const QString& pad) {
            return HaalVersieInfo(basis, pad, 300);
        };
        QElapsedTimer klok;
        klok.start();
        box.VersieControleren(false);
        QVERIFY(klok.elapsed() < 5000);
        QCOMPARE(meldingen.meldingen.size(), 1);
        QCOMPARE(meldingen.meldingen.front().tekst,
                 MisluktTekst("Time-out: de versieserver gaf geen antwoord binnen 0.3 seconden"));
    }

    void menu_controle_gebruikt_de_instellingen() {
        VersieServer server;
        server.inhoud = "Korvalinde\n2010.00\n5 februari 2010\n";
        QTemporaryDir map;
        QSettings instellingen(map.filePath(QStringLiteral("korvalinde.ini")), QSettings::IniFormat);
        TZnInfoBox box;
        Instellen(box, QString::fromLatin1(ZnAdres::VersieAdres));
        PasVersieInstellingenToe(box, &instellingen); // no key: the product's own server stays
        QCOMPARE(box.VersieAdres, QString::fromLatin1(ZnAdres::VersieAdres));
        QCOMPARE(box.VersieBasis(), QStringLiteral("http://korvalinde.example.org/software/korvalinde"));
        instellingen.setValue(QStringLiteral("Versiecontrole/VersieAdres"),
                              QStringLiteral("http://") + server.adres());
        PasVersieInstellingenToe(box, &instellingen);
        QCOMPARE(box.VersieBasis(), QStringLiteral("http://") + server.adres());
        VersieControle1Click(box);
        QCOMPARE(server.verzoeken.size(), 1);
        QCOMPARE(meldingen.meldingen.size(), 1);
        QCOMPARE(meldingen.meldingen.front().tekst, GeenNieuweTekst);
    }

    // A version address without a host or with a scheme other than http and https is refused before
    // anything is fetched, also when it names something that could be read (%1: a folder holding a
    // valid version file, %2: the port of a listening server).
    void versieadres_zonder_host_of_ander_schema_data() {
        QTest::addColumn<QString>("basis");
        QTest::newRow("readable local file") << "file://%1";
        QTest::newRow("data address") << "data:text/plain,Korvalinde%0A2010.00%0A5%20februari%202010%0A#";
        QTest::newRow("ftp") << "ftp://127.0.0.1:%2";
        QTest::newRow("http without host") << "http://";
        QTest::newRow("https without host") << "https://";
        QTest::newRow("port without host") << "http://:%2";
        QTest::newRow("no slashes after the scheme") << "http:127.0.0.1:%2/software/korvalinde";
    }
    void versieadres_zonder_host_of_ander_schema() {
        QFETCH(QString, basis);
        VersieServer server;
        server.inhoud = "Korvalinde\n2010.00\n5 februari 2010\n";
        QTemporaryDir map;
        QFile versie(map.filePath(QStringLiteral("versie.txt")));
        QVERIFY(versie.open(QIODevice::WriteOnly));
        versie.write(server.inhoud);
        versie.close();
        basis.replace(QStringLiteral("%1"), map.path())
            .replace(QStringLiteral("%2"), QString::number(server.poort()));
        QString melding;
        try {
            HaalVersieInfo(basis, QStringLiteral("/versie.txt"), 2000);
        } catch (const std::runtime_error& fout) {
            melding = QString::fromUtf8(fout.what());
        }
        QCOMPARE(melding, QStringLiteral("\"%1/versie.txt\" is geen geldig http-adres").arg(basis));
        QCOMPARE(server.verzoeken.size(), 0);
    }

    // A download address without a host or with another scheme is not handed to the system.
    void downloadadres_zonder_host_of_ander_schema_data() {
        QTest::addColumn<QString>("regel4");
        QTest::addColumn<MeldKnop>("antwoord");
        QTest::addColumn<bool>("geopend");
        QTest::addColumn<QString>("melding");
        for (const char* adres :
             {"http:///nieuw", "https:nieuw", "http://:8080/nieuw", "ftp://korvalinde.example.org/nieuw",
              "file://localhost/usr/bin/xterm", "smb://korvalinde.example.org/nieuw/setup.exe"}) {
            const QString regel4 = QString::fromLatin1(adres);
            QTest::newRow(adres) << regel4 << MeldKnop::Ja << false
                                 << "Het downloadadres \"" + regel4 +
                                        "\" van de versieserver is geen http- of https-adres";
        }
    }
    void downloadadres_zonder_host_of_ander_schema() { downloadadres(); }
};

QTEST_MAIN(TestVersie)
#include "test_versie.moc"
