// What the programs take from the operating system (programs/systeem): whether another run still
// lives, and a request to end that reaches the message loop once, on Linux as a signal and on
// Windows as a console event.
#include "programs/systeem/Systeem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <csignal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace korvalinde;

class TestSysteem : public QObject {
    Q_OBJECT

  private slots:
    void procesLoopt_data() {
        QTest::addColumn<bool>("eigen");
        QTest::addColumn<bool>("loopt");
        QTest::newRow("this run") << true << true;
        QTest::newRow("a run that has ended") << false << false;
    }
    void procesLoopt() {
        QFETCH(bool, eigen);
        QFETCH(bool, loopt);
        qint64 pid = QCoreApplication::applicationPid();
        if (!eigen) {
            // The test program itself as a child, which lists its test functions and ends.
            QProcess kind;
            kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-functions")});
            QVERIFY(kind.waitForStarted(30000));
            pid = kind.processId();
            QVERIFY(kind.waitForFinished(30000));
        }
        QCOMPARE(ProcesLoopt(pid), loopt);
    }

    // The request reaches the callback in the message loop, once, with its name.
    void eindeVerzoek() {
        QStringList namen;
        const TEindeVerzoek verzoek([&namen](const char* naam) { namen << QString::fromUtf8(naam); });
#ifdef Q_OS_WIN
        if (!GetConsoleWindow() && !AttachConsole(ATTACH_PARENT_PROCESS) && !AllocConsole())
            QSKIP("no console to send Ctrl+C to");
        if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) QSKIP("the console does not send Ctrl+C here");
        const QString verwacht = QStringLiteral("Ctrl+C");
#else
        QCOMPARE(std::raise(SIGTERM), 0);
        const QString verwacht = QStringLiteral("SIGTERM");
#endif
        QTRY_COMPARE_WITH_TIMEOUT(namen.size(), 1, 10000);
        QCOMPARE(namen.first(), verwacht);
        QTest::qWait(100);
        QCOMPARE(namen.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSysteem)
#include "test_systeem.moc"
