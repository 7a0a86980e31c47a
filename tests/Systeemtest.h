// What the tests build of the operating system beyond Qt: FIFOs, hard and symbolic links, devices,
// signals and a limit on the size of the files written. Windows has none of these as the tests mean
// them (QFile::link makes a shortcut file there), so a row that needs one skips itself there with
// KORVALINDE_ALLEEN_POSIX; for the rest of the test to compile, the POSIX calls it makes fail there.
#pragma once

#include <QtGlobal>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

#ifdef Q_OS_WIN
#include <cerrno>
#include <io.h>
#include <sys/types.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace korvalinde::systeemtest {

#ifdef Q_OS_WIN
inline constexpr bool kPosix = false;
#else
inline constexpr bool kPosix = true;
#endif

} // namespace korvalinde::systeemtest

// Skips the current test row (a whole test in its _data function) where there is no POSIX system;
// `waarom` says what is missing, e.g. "no FIFO on Windows".
#define KORVALINDE_ALLEEN_POSIX(waarom)                                                                      \
    do {                                                                                                     \
        if (!korvalinde::systeemtest::kPosix) QSKIP(waarom);                                                 \
    } while (false)

#ifdef Q_OS_WIN
// The POSIX calls the tests make, each failing with ENOSYS: only rows that skip themselves use them.
using uid_t = int;
using gid_t = int;
using rlim_t = qint64;
struct rlimit {
    rlim_t rlim_cur = 0;
    rlim_t rlim_max = 0;
};
inline constexpr int RLIMIT_FSIZE = 1;
inline constexpr int SIGHUP = 1;
inline constexpr int SIGPIPE = 13;
inline constexpr int SIGXFSZ = 25;
inline int Ontbreekt() {
    errno = ENOSYS;
    return -1;
}
inline int mkfifo(const char*, int) {
    return Ontbreekt();
}
inline int link(const char*, const char*) {
    return Ontbreekt();
}
inline int symlink(const char*, const char*) {
    return Ontbreekt();
}
inline int kill(pid_t, int) {
    return Ontbreekt();
}
inline int chown(const char*, uid_t, gid_t) {
    return Ontbreekt();
}
inline uid_t geteuid() {
    return -1;
}
inline gid_t getegid() {
    return -1;
}
inline int getrlimit(int, rlimit*) {
    return Ontbreekt();
}
inline int setrlimit(int, const rlimit*) {
    return Ontbreekt();
}
inline const char* sigabbrev_np(int) {
    return nullptr;
}
#endif
