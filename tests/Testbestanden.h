// Files in the tests: a whole file's bytes, a test file written, and a limit on the size of the files
// written, which is how the tests make a disk run full.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "Systeemtest.h"

#include <csignal>

namespace korvalinde::testbestand {

// The whole content of a file; `ontbreekt` when it cannot be read.
inline QByteArray Inhoud(const QString& pad, const QByteArray& ontbreekt = QByteArray()) {
    QFile f(pad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : ontbreekt;
}

// Writes `inhoud` as the whole file; false when that failed.
inline bool Schrijf(const QString& pad, const QByteArray& inhoud) {
    QFile f(pad);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(inhoud) == inhoud.size();
}

// Limits the files this process writes to `grens` bytes (0: no limit), with the signal of that limit
// ignored so that a write fails instead; in a child process about to start (QProcess's child process
// modifier) too.
inline void ZetBestandsgrens(rlim_t grens) {
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = grens;
    setrlimit(RLIMIT_FSIZE, &r);
}

// The same limit for as long as the object lives; 0 leaves the limit as it is.
class Bestandsgrens {
  public:
    explicit Bestandsgrens(rlim_t grens) {
        getrlimit(RLIMIT_FSIZE, &oud_);
        if (grens > 0) ZetBestandsgrens(grens);
    }
    ~Bestandsgrens() { setrlimit(RLIMIT_FSIZE, &oud_); }
    Bestandsgrens(const Bestandsgrens&) = delete;
    Bestandsgrens& operator=(const Bestandsgrens&) = delete;

  private:
    rlimit oud_{};
};

} // namespace korvalinde::testbestand
