#include "programs/systeem/Systeem.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace korvalinde {

void NegeerSchrijfsignalen(bool ookPijp) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (ookPijp) std::signal(SIGPIPE, SIG_IGN);
}

bool BereidStandaarduitvoer() {
    if (fcntl(STDOUT_FILENO, F_GETFD) != -1 || errno != EBADF) return false;
    const int nul = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nul >= 0 && nul != STDOUT_FILENO) {
        dup2(nul, STDOUT_FILENO);
        close(nul);
    }
    return true;
}

bool ZonderBeeldscherm() {
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool ProcesLoopt(qint64 pid) {
    if (pid <= 0) return true;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

void BijAfbreken(void (*opruimen)()) {
    sigset_t signalen;
    sigemptyset(&signalen);
    sigaddset(&signalen, SIGINT);
    sigaddset(&signalen, SIGTERM);
    // The threads started later inherit the blocked signals; only this one waits for them.
    if (pthread_sigmask(SIG_BLOCK, &signalen, nullptr) != 0) return;
    std::thread([signalen, opruimen] {
        int signaal = 0;
        if (sigwait(&signalen, &signaal) != 0) return;
        opruimen();
        // Ended by the signal itself, as its sender expects.
        std::signal(signaal, SIG_DFL);
        sigset_t een;
        sigemptyset(&een);
        sigaddset(&een, signaal);
        pthread_sigmask(SIG_UNBLOCK, &een, nullptr);
        std::raise(signaal);
        std::_Exit(128 + signaal);
    }).detach();
}

namespace {

// The write end of the pipe through which a signal reaches the message loop.
int eindePijp = -1;

extern "C" void BijVerzoekTotEinde(int signaal) {
    const auto teken = static_cast<char>(signaal);
    [[maybe_unused]] const ssize_t n = ::write(eindePijp, &teken, 1);
}

const char* SignaalNaam(int signaal) {
    switch (signaal) {
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    case SIGINT:
        return "SIGINT";
    default:
        return "een signaal";
    }
}

constexpr int Signalen[] = {SIGTERM, SIGHUP, SIGINT};

} // namespace

// The signal only writes a byte into a pipe; the message loop reads it and does the rest. The
// handler resets itself, so a second signal ends the program at once. The former handlers come back
// when it ends.
struct TEindeVerzoek::Deel {
    int pijp[2] = {-1, -1};
    bool gevraagd = false;
    std::unique_ptr<QSocketNotifier> melder;
    struct sigaction vorige[std::size(Signalen)]{};
};

TEindeVerzoek::TEindeVerzoek(const std::function<void(const char* naam)>& einde)
    : deel_(std::make_unique<Deel>()) {
    Deel* d = deel_.get();
    if (::pipe2(d->pijp, O_CLOEXEC | O_NONBLOCK) != 0) return;
    eindePijp = d->pijp[1];
    d->melder = std::make_unique<QSocketNotifier>(d->pijp[0], QSocketNotifier::Read);
    QObject::connect(d->melder.get(), &QSocketNotifier::activated, d->melder.get(), [d, einde] {
        char teken[16];
        int signaal = 0;
        for (ssize_t n = 0; (n = ::read(d->pijp[0], teken, sizeof teken)) > 0;)
            signaal = static_cast<unsigned char>(teken[n - 1]);
        if (d->gevraagd) return;
        d->gevraagd = true;
        einde(SignaalNaam(signaal));
    });
    struct sigaction actie {};
    actie.sa_handler = BijVerzoekTotEinde;
    sigemptyset(&actie.sa_mask);
    actie.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(Signalen); ++i) sigaction(Signalen[i], &actie, &d->vorige[i]);
}

TEindeVerzoek::~TEindeVerzoek() {
    Deel* d = deel_.get();
    if (!d->melder) return;
    for (std::size_t i = 0; i < std::size(Signalen); ++i) sigaction(Signalen[i], &d->vorige[i], nullptr);
    d->melder.reset();
    eindePijp = -1;
    ::close(d->pijp[0]);
    ::close(d->pijp[1]);
}

} // namespace korvalinde
