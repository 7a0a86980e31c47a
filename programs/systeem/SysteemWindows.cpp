#include "programs/systeem/Systeem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QSessionManager>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace korvalinde {

void NegeerSchrijfsignalen(bool) {
    // Windows has no signal for a file-size limit or a closed pipe: such a write fails and is reported.
}

bool BereidStandaarduitvoer() {
    const int nummer = _fileno(stdout);
    if (nummer >= 0 && _get_osfhandle(nummer) != -1) {
        _setmode(nummer, _O_BINARY);
        return false;
    }
    // A program started without a console or redirection has no standard output; it gets the
    // null device, as a closed one does.
    [[maybe_unused]] FILE* nul = std::freopen("NUL", "w", stdout);
    return true;
}

bool ZonderBeeldscherm() {
    return false;
}

bool ProcesLoopt(qint64 pid) {
    if (pid <= 0) return true;
    HANDLE proces =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!proces) return GetLastError() != ERROR_INVALID_PARAMETER; // no such process: not running
    const bool loopt = WaitForSingleObject(proces, 0) == WAIT_TIMEOUT;
    CloseHandle(proces);
    return loopt;
}

namespace {

void (*opruimenBijAfbreken)() = nullptr;

BOOL WINAPI BijConsoleAfbreken(DWORD soort) {
    switch (soort) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        if (opruimenBijAfbreken) opruimenBijAfbreken();
        // The exit code of a program that Ctrl+C ended.
        ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
    default:
        return FALSE;
    }
}

} // namespace

void BijAfbreken(void (*opruimen)()) {
    opruimenBijAfbreken = opruimen;
    SetConsoleCtrlHandler(BijConsoleAfbreken, TRUE);
}

namespace {

std::atomic<TEindeVerzoek::Deel*> actiefVerzoek{nullptr};

const char* ConsoleNaam(DWORD soort) {
    switch (soort) {
    case CTRL_C_EVENT:
        return "Ctrl+C";
    case CTRL_BREAK_EVENT:
        return "Ctrl+Break";
    case CTRL_CLOSE_EVENT:
        return "het sluiten van het consolevenster";
    case CTRL_LOGOFF_EVENT:
        return "het afmelden";
    default:
        return "het afsluiten van Windows";
    }
}

} // namespace

// The console's handler runs on a thread of the system; it hands the request to the message loop.
// A console closing or a session ending terminates the process as soon as the handler returns, so
// for those the handler waits until the program has left its message loop (`klaar`).
struct TEindeVerzoek::Deel {
    std::function<void(const char*)> einde;
    bool gevraagd = false; // only in the message loop's thread
    HANDLE klaar = nullptr;
    QMetaObject::Connection sessie;

    void Vraag(const char* naam) {
        if (gevraagd) return;
        gevraagd = true;
        einde(naam);
    }
};

namespace {

BOOL WINAPI BijConsoleEinde(DWORD soort) {
    TEindeVerzoek::Deel* d = actiefVerzoek.load();
    if (!d || !QCoreApplication::instance()) return FALSE;
    const char* naam = ConsoleNaam(soort);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [naam] {
            if (TEindeVerzoek::Deel* nu = actiefVerzoek.load()) nu->Vraag(naam);
        },
        Qt::QueuedConnection);
    if (soort == CTRL_C_EVENT || soort == CTRL_BREAK_EVENT) return TRUE;
    // Windows allows about five seconds after a console closes; the settings are written by then.
    WaitForSingleObject(d->klaar, 4500);
    return TRUE;
}

} // namespace

TEindeVerzoek::TEindeVerzoek(const std::function<void(const char* naam)>& einde)
    : deel_(std::make_unique<Deel>()) {
    Deel* d = deel_.get();
    d->einde = einde;
    d->klaar = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    actiefVerzoek.store(d);
    SetConsoleCtrlHandler(BijConsoleEinde, TRUE);
    // A window program without a console hears of the session's end from Qt, which asks each
    // program to store its data before Windows logs off or shuts down.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        d->sessie = QObject::connect(gui, &QGuiApplication::commitDataRequest, gui, [d](QSessionManager&) {
            d->Vraag("het afmelden of afsluiten van Windows");
        });
}

TEindeVerzoek::~TEindeVerzoek() {
    Deel* d = deel_.get();
    SetConsoleCtrlHandler(BijConsoleEinde, FALSE);
    actiefVerzoek.store(nullptr);
    QObject::disconnect(d->sessie);
    if (d->klaar) {
        SetEvent(d->klaar);
        // The handler thread may still wait on it; the handle stays open until the process ends.
    }
}

} // namespace korvalinde
