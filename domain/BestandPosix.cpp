// Safe writing and bounded reading on POSIX systems (see domain/Bestand.h).
#include "domain/Bestand.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvalinde {

namespace {

std::string Reden(int fout) {
    return std::strerror(fout);
}

std::string Geef(BestandFout* doel, BestandFout soort, std::string melding) {
    if (doel) *doel = soort;
    return melding;
}

// The folder part of a path ("." for a bare name, "/" for a name in the root).
std::string Map(const std::string& pad) {
    const auto schuin = pad.find_last_of('/');
    if (schuin == std::string::npos) return ".";
    if (schuin == 0) return "/";
    return pad.substr(0, schuin);
}

std::string Naam(const std::string& pad) {
    const auto schuin = pad.find_last_of('/');
    return schuin == std::string::npos ? pad : pad.substr(schuin + 1);
}

// Whether the process may write the file itself. Root may write any file, so the write bits of the
// mode decide for root; for other users the permissions as the kernel applies them.
bool Schrijfbaar(const std::string& pad, const struct stat& st) {
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return faccessat(AT_FDCWD, pad.c_str(), W_OK, AT_EACCESS) == 0;
}

// The file that is written: the target of a link, else the path itself. `st` holds its status
// when it exists (`bestaat`).
std::string Doel(const std::string& pad, std::string& doel, struct stat& st, bool& bestaat,
                 BestandFout* fout) {
    if (pad.empty()) return Geef(fout, BestandFout::Geweigerd, "Geen bestandsnaam opgegeven");
    doel = pad;
    bestaat = false;
    struct stat lst {};
    if (lstat(pad.c_str(), &lst) != 0) {
        if (errno == ENOENT) return {};
        return Geef(fout, BestandFout::Openen, pad + ": " + Reden(errno));
    }
    if (S_ISLNK(lst.st_mode)) {
        char echt[PATH_MAX];
        if (!realpath(pad.c_str(), echt))
            return Geef(fout, BestandFout::Geweigerd,
                        pad + " is een koppeling naar een bestand dat niet bestaat (" + Reden(errno) + ")");
        doel = echt;
        if (stat(doel.c_str(), &st) != 0) return Geef(fout, BestandFout::Openen, doel + ": " + Reden(errno));
    } else {
        st = lst;
    }
    bestaat = true;
    const std::string wat = doel == pad ? pad : pad + " (koppeling naar " + doel + ")";
    if (!S_ISREG(st.st_mode))
        return Geef(fout, BestandFout::Geweigerd,
                    wat + " is geen gewoon bestand (maar een map, apparaat of FIFO): er wordt niet overheen "
                          "geschreven");
    if (!Schrijfbaar(doel, st))
        return Geef(fout, BestandFout::Geweigerd,
                    wat + " is alleen-lezen: er wordt niet overheen geschreven");
    return {};
}

// Opens a new file next to `doel` that no other file has the name of; -1 with errno on failure.
int NieuwBestandNaast(const std::string& doel, std::string& tijdelijk) {
    static std::atomic<unsigned> teller{0};
    const std::string begin = Map(doel) + "/." + Naam(doel) + ".";
    for (int poging = 0; poging < 100; ++poging) {
        tijdelijk = begin + std::to_string(getpid()) + "-" + std::to_string(teller++) + ".nieuw";
        const int fd = open(tijdelijk.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool SchrijfAlles(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t rest = bytes.size();
    while (rest > 0) {
        const ssize_t n = write(fd, p, rest);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        rest -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string ControleerSchrijfdoel(const std::string& pad, BestandFout* fout) {
    if (fout) *fout = BestandFout::Geen;
    std::string doel;
    struct stat st {};
    bool bestaat = false;
    return Doel(pad, doel, st, bestaat, fout);
}

std::string SchrijfBestand(const std::string& pad, std::string_view bytes, BestandFout* fout) {
    if (fout) *fout = BestandFout::Geen;
    std::string doel;
    struct stat st {};
    bool bestaat = false;
    std::string melding = Doel(pad, doel, st, bestaat, fout);
    if (!melding.empty()) return melding;

    std::string tijdelijk;
    const int fd = NieuwBestandNaast(doel, tijdelijk);
    if (fd < 0)
        return Geef(fout, BestandFout::Openen,
                    "Kan " + pad + " niet aanmaken in de map " + Map(doel) + ": " + Reden(errno));

    auto mislukt = [&](const std::string& wat) {
        const int e = errno;
        close(fd);
        unlink(tijdelijk.c_str());
        return Geef(fout, BestandFout::Overdracht, wat + " " + pad + " mislukt: " + Reden(e));
    };
    if (bestaat) {
        // A replaced file keeps its mode and, as far as allowed, its owner.
        // Root keeps another user's file theirs; any other user becomes the owner of what it writes.
        [[maybe_unused]] const int eigenaar = fchown(fd, st.st_uid, st.st_gid);
        if (fchmod(fd, st.st_mode & 07777) != 0) return mislukt("Rechten zetten van");
    }
    if (!SchrijfAlles(fd, bytes)) return mislukt("Schrijven naar");
    if (fsync(fd) != 0) return mislukt("Schrijven naar");
    if (close(fd) != 0) {
        const int e = errno;
        unlink(tijdelijk.c_str());
        return Geef(fout, BestandFout::Overdracht, "Schrijven naar " + pad + " mislukt: " + Reden(e));
    }
    if (rename(tijdelijk.c_str(), doel.c_str()) != 0) {
        const int e = errno;
        unlink(tijdelijk.c_str());
        return Geef(fout, BestandFout::Overdracht, "Vervangen van " + pad + " mislukt: " + Reden(e));
    }
    // The new name on disk as well; a folder that cannot be synced does not undo the write.
    const int map = open(Map(doel).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (map >= 0) {
        fsync(map);
        close(map);
    }
    return {};
}

std::string LeesBestand(const std::string& pad, std::size_t max, std::string& bytes, bool* teLang,
                        BestandFout* fout) {
    if (fout) *fout = BestandFout::Geen;
    bytes.clear();
    if (teLang) *teLang = false;
    if (pad.empty()) return Geef(fout, BestandFout::Geweigerd, "Geen bestandsnaam opgegeven");
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    const int fd = open(pad.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Geef(fout, BestandFout::Openen, "Kan " + pad + " niet openen: " + Reden(errno));
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int e = errno;
        close(fd);
        return Geef(fout, BestandFout::Openen, "Kan " + pad + " niet openen: " + Reden(e));
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        return Geef(fout, BestandFout::Geweigerd,
                    pad + " is geen gewoon bestand (maar een map, apparaat of FIFO) en wordt niet gelezen");
    }
    if (st.st_size > 0) bytes.reserve(std::min(max, static_cast<std::size_t>(st.st_size)));
    char buf[65536];
    // One byte beyond the limit tells whether the file is longer.
    const std::size_t grens = max < SIZE_MAX ? max + 1 : max;
    while (bytes.size() < grens) {
        const std::size_t wil = std::min(sizeof buf, grens - bytes.size());
        const ssize_t n = read(fd, buf, wil);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            close(fd);
            bytes.clear();
            return Geef(fout, BestandFout::Overdracht, "Lezen van " + pad + " mislukt: " + Reden(e));
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    close(fd);
    if (bytes.size() > max) {
        bytes.resize(max);
        if (teLang) *teLang = true;
    }
    return {};
}

TStilleFoutuitvoer::TStilleFoutuitvoer() {
    std::fflush(stderr);
    const int nul = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nul < 0) return;
    bewaard_ = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (bewaard_ >= 0 && dup2(nul, STDERR_FILENO) < 0) {
        close(bewaard_);
        bewaard_ = -1;
    }
    close(nul);
}

TStilleFoutuitvoer::~TStilleFoutuitvoer() {
    if (bewaard_ < 0) return;
    std::fflush(stderr);
    dup2(bewaard_, STDERR_FILENO);
    close(bewaard_);
}

} // namespace korvalinde
