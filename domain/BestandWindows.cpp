// Safe writing and bounded reading on Windows (see domain/Bestand.h). Paths arrive as UTF-8 and go
// to the wide functions of the system, so every name the user can give works. The new file is made in
// the target's folder, flushed with FlushFileBuffers and moved over the target with MoveFileExW, which
// replaces an existing file in one step (a plain rename refuses to).
#include "domain/Bestand.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace korvalinde {

namespace {

std::wstring Breed(const std::string& tekst) {
    if (tekst.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, tekst.data(),
                                      static_cast<int>(tekst.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring uit(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, tekst.data(), static_cast<int>(tekst.size()),
                        uit.data(), n);
    return uit;
}

std::string Smal(const std::wstring& tekst) {
    if (tekst.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), nullptr, 0,
                                      nullptr, nullptr);
    if (n <= 0) return {};
    std::string uit(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, tekst.data(), static_cast<int>(tekst.size()), uit.data(), n, nullptr,
                        nullptr);
    return uit;
}

// The system's text of an error code, without the line end it carries.
std::string Reden(DWORD fout) {
    wchar_t* buf = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, fout, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::wstring tekst = n > 0 && buf ? std::wstring(buf, n) : std::wstring();
    if (buf) LocalFree(buf);
    while (!tekst.empty() && (tekst.back() == L'\n' || tekst.back() == L'\r' || tekst.back() == L' '))
        tekst.pop_back();
    if (tekst.empty()) return "fout " + std::to_string(fout);
    return Smal(tekst);
}

std::string Geef(BestandFout* doel, BestandFout soort, std::string melding) {
    if (doel) *doel = soort;
    return melding;
}

bool IsScheiding(char c) {
    return c == '/' || c == '\\';
}

// The folder part of a path: "." for a bare name, the root for a name in the root ("\" or "C:\").
std::string Map(const std::string& pad) {
    const auto schuin = pad.find_last_of("/\\");
    if (schuin == std::string::npos) return pad.size() >= 2 && pad[1] == ':' ? pad.substr(0, 2) : ".";
    if (schuin == 0 || (schuin == 2 && pad[1] == ':')) return pad.substr(0, schuin + 1);
    return pad.substr(0, schuin);
}

std::string Naam(const std::string& pad) {
    const auto schuin = pad.find_last_of("/\\");
    if (schuin == std::string::npos) return pad.size() >= 2 && pad[1] == ':' ? pad.substr(2) : pad;
    return pad.substr(schuin + 1);
}

// Closes a handle when it goes out of scope.
class Greep {
  public:
    explicit Greep(HANDLE h) : h_(h) {}
    ~Greep() { Sluit(); }
    Greep(const Greep&) = delete;
    Greep& operator=(const Greep&) = delete;
    HANDLE get() const { return h_; }
    bool Geldig() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Sluit() {
        if (!Geldig()) return true;
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};

// Opens what `pad` names for its attributes only (a folder too), following links.
HANDLE OpenVoorKenmerken(const std::wstring& pad) {
    return CreateFileW(pad.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Whether the handle is a plain file on a disk (no folder, device, console or pipe).
bool GewoonBestand(HANDLE h, DWORD& kenmerken) {
    if (GetFileType(h) != FILE_TYPE_DISK) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h, &info)) return false;
    kenmerken = info.dwFileAttributes;
    return (kenmerken & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The file that is written: the target of a link, else the path itself. `bestaat` tells whether
// it exists.
std::string Doel(const std::string& pad, std::string& doel, bool& bestaat, BestandFout* fout) {
    if (pad.empty()) return Geef(fout, BestandFout::Geweigerd, "Geen bestandsnaam opgegeven");
    doel = pad;
    bestaat = false;
    const std::wstring breed = Breed(pad);
    if (breed.empty()) return Geef(fout, BestandFout::Openen, pad + ": de naam is geen geldige UTF-8-tekst");
    const DWORD eigen = GetFileAttributesW(breed.c_str());
    if (eigen == INVALID_FILE_ATTRIBUTES) {
        const DWORD e = GetLastError();
        if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) return {};
        return Geef(fout, BestandFout::Openen, pad + ": " + Reden(e));
    }
    Greep h(OpenVoorKenmerken(breed));
    if (!h.Geldig()) {
        const DWORD e = GetLastError();
        if ((eigen & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND))
            return Geef(fout, BestandFout::Geweigerd,
                        pad + " is een koppeling naar een bestand dat niet bestaat (" + Reden(e) + ")");
        return Geef(fout, BestandFout::Openen, pad + ": " + Reden(e));
    }
    if ((eigen & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        std::wstring echt(MAX_PATH, L'\0');
        DWORD n = GetFinalPathNameByHandleW(h.get(), echt.data(), static_cast<DWORD>(echt.size()), 0);
        if (n >= echt.size()) {
            echt.resize(n + 1);
            n = GetFinalPathNameByHandleW(h.get(), echt.data(), static_cast<DWORD>(echt.size()), 0);
        }
        if (n > 0 && n < echt.size()) {
            echt.resize(n);
            doel = Smal(echt);
        }
    }
    bestaat = true;
    const std::string wat = doel == pad ? pad : pad + " (koppeling naar " + doel + ")";
    DWORD kenmerken = 0;
    if (!GewoonBestand(h.get(), kenmerken))
        return Geef(fout, BestandFout::Geweigerd,
                    wat + " is geen gewoon bestand (maar een map, apparaat of FIFO): er wordt niet overheen "
                          "geschreven");
    if ((kenmerken & FILE_ATTRIBUTE_READONLY) != 0)
        return Geef(fout, BestandFout::Geweigerd,
                    wat + " is alleen-lezen: er wordt niet overheen geschreven");
    return {};
}

// Makes a new file next to `doel` that no other file has the name of.
HANDLE NieuwBestandNaast(const std::string& doel, std::wstring& tijdelijk) {
    static std::atomic<unsigned> teller{0};
    const std::string map = Map(doel);
    const std::string begin =
        (IsScheiding(map.back()) || map.back() == ':' ? map : map + "\\") + "." + Naam(doel) + ".";
    for (int poging = 0; poging < 100; ++poging) {
        tijdelijk =
            Breed(begin + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(teller++) + ".nieuw");
        const HANDLE h = CreateFileW(tijdelijk.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool SchrijfAlles(HANDLE h, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t rest = bytes.size();
    while (rest > 0) {
        const auto stuk = static_cast<DWORD>(std::min<std::size_t>(rest, 1U << 30));
        DWORD n = 0;
        if (!WriteFile(h, p, stuk, &n, nullptr)) return false;
        if (n == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        p += n;
        rest -= n;
    }
    return true;
}

} // namespace

std::string ControleerSchrijfdoel(const std::string& pad, BestandFout* fout) {
    if (fout) *fout = BestandFout::Geen;
    std::string doel;
    bool bestaat = false;
    return Doel(pad, doel, bestaat, fout);
}

std::string SchrijfBestand(const std::string& pad, std::string_view bytes, BestandFout* fout) {
    if (fout) *fout = BestandFout::Geen;
    std::string doel;
    bool bestaat = false;
    std::string melding = Doel(pad, doel, bestaat, fout);
    if (!melding.empty()) return melding;

    std::wstring tijdelijk;
    Greep h(NieuwBestandNaast(doel, tijdelijk));
    if (!h.Geldig())
        return Geef(fout, BestandFout::Openen,
                    "Kan " + pad + " niet aanmaken in de map " + Map(doel) + ": " + Reden(GetLastError()));

    auto mislukt = [&](const std::string& wat) {
        const DWORD e = GetLastError();
        h.Sluit();
        DeleteFileW(tijdelijk.c_str());
        return Geef(fout, BestandFout::Overdracht, wat + " " + pad + " mislukt: " + Reden(e));
    };
    if (!SchrijfAlles(h.get(), bytes)) return mislukt("Schrijven naar");
    if (!FlushFileBuffers(h.get())) return mislukt("Schrijven naar");
    if (!h.Sluit()) return mislukt("Schrijven naar");
    if (!MoveFileExW(tijdelijk.c_str(), Breed(doel).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return mislukt("Vervangen van");
    return {};
}

std::string LeesBestand(const std::string& pad, std::size_t max, std::string& bytes, bool* teLang,
                        BestandFout* fout) {
    if (fout) *fout = BestandFout::Geen;
    bytes.clear();
    if (teLang) *teLang = false;
    if (pad.empty()) return Geef(fout, BestandFout::Geweigerd, "Geen bestandsnaam opgegeven");
    const std::wstring breed = Breed(pad);
    if (breed.empty())
        return Geef(fout, BestandFout::Openen,
                    "Kan " + pad + " niet openen: de naam is geen geldige UTF-8-tekst");
    // Folders open too (backup semantics), so that they are refused as such below.
    Greep h(CreateFileW(breed.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.Geldig())
        return Geef(fout, BestandFout::Openen, "Kan " + pad + " niet openen: " + Reden(GetLastError()));
    DWORD kenmerken = 0;
    if (!GewoonBestand(h.get(), kenmerken))
        return Geef(fout, BestandFout::Geweigerd,
                    pad + " is geen gewoon bestand (maar een map, apparaat of FIFO) en wordt niet gelezen");
    LARGE_INTEGER grootte{};
    if (GetFileSizeEx(h.get(), &grootte) && grootte.QuadPart > 0)
        bytes.reserve(std::min(max, static_cast<std::size_t>(grootte.QuadPart)));
    char buf[65536];
    // One byte beyond the limit tells whether the file is longer.
    const std::size_t grens = max < SIZE_MAX ? max + 1 : max;
    while (bytes.size() < grens) {
        const auto wil = static_cast<DWORD>(std::min(sizeof buf, grens - bytes.size()));
        DWORD n = 0;
        if (!ReadFile(h.get(), buf, wil, &n, nullptr)) {
            bytes.clear();
            return Geef(fout, BestandFout::Overdracht,
                        "Lezen van " + pad + " mislukt: " + Reden(GetLastError()));
        }
        if (n == 0) break;
        bytes.append(buf, n);
    }
    if (bytes.size() > max) {
        bytes.resize(max);
        if (teLang) *teLang = true;
    }
    return {};
}

// On Windows a library's lines are left as they are.
TStilleFoutuitvoer::TStilleFoutuitvoer() = default;
TStilleFoutuitvoer::~TStilleFoutuitvoer() = default;

} // namespace korvalinde
