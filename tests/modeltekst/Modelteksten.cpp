// The model's result texts as a fingerprint, and the safe-write helper's own checks; C++ standard
// library and the domain layer only, so that the same program builds for Linux and (with MinGW) for
// Windows.
//
//   modelteksten [--aantal N] [--uit BESTAND]   texts of the default scenario and N seeded random
//                                                scenarios: one SHA-256 per scenario, full texts of the
//                                                first three
//   modelteksten --controleer BESTAND [--aantal N]  the same, compared with a stored file
//   modelteksten --bestanden MAP                 the safe-write checks in the folder MAP (emptied first)
//
// The texts depend on every rounding of the model, so a value kept in a wider or narrower type than
// the model's shows up here as another digest, also where the golden scenarios do not reach.
#include "domain/Bedrijfsmodel.h"
#include "domain/Bestand.h"

#include "ModelInvoer.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using namespace korvalinde;

// SHA-256 (FIPS 180-4) of a byte string, as 64 lower-case hex digits.
std::string Sha256(std::string_view bytes) {
    static constexpr std::array<std::uint32_t, 64> k{
        0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
        0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
        0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
        0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
        0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
        0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
        0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
        0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};
    std::array<std::uint32_t, 8> h{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                   0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::string bericht(bytes);
    const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
    bericht.push_back(static_cast<char>(0x80));
    while (bericht.size() % 64 != 56) bericht.push_back('\0');
    for (int i = 7; i >= 0; --i) bericht.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
    auto rot = [](std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
    for (std::size_t blok = 0; blok < bericht.size(); blok += 64) {
        std::array<std::uint32_t, 64> w{};
        for (std::size_t i = 0; i < 16; ++i) {
            w[i] = 0;
            for (std::size_t j = 0; j < 4; ++j)
                w[i] = (w[i] << 8) | static_cast<unsigned char>(bericht[blok + 4 * i + j]);
        }
        for (std::size_t i = 16; i < 64; ++i) {
            const std::uint32_t s0 = rot(w[i - 15], 7) ^ rot(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const std::uint32_t s1 = rot(w[i - 2], 17) ^ rot(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::array<std::uint32_t, 8> v = h;
        for (std::size_t i = 0; i < 64; ++i) {
            const std::uint32_t s1 = rot(v[4], 6) ^ rot(v[4], 11) ^ rot(v[4], 25);
            const std::uint32_t ch = (v[4] & v[5]) ^ (~v[4] & v[6]);
            const std::uint32_t t1 = v[7] + s1 + ch + k[i] + w[i];
            const std::uint32_t s0 = rot(v[0], 2) ^ rot(v[0], 13) ^ rot(v[0], 22);
            const std::uint32_t maj = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
            const std::uint32_t t2 = s0 + maj;
            v = {t1 + t2, v[0], v[1], v[2], v[3] + t1, v[4], v[5], v[6]};
        }
        for (std::size_t i = 0; i < 8; ++i) h[i] += v[i];
    }
    static constexpr char hex[] = "0123456789abcdef";
    std::string uit;
    for (const std::uint32_t x : h)
        for (int i = 28; i >= 0; i -= 4) uit.push_back(hex[(x >> i) & 0xf]);
    return uit;
}

// Every text of one calculation, one per line with where it stands: the summary by column and row,
// then the detail arrays by variant and step. An error of the model ends the list with its message.
std::string Teksten(const TQXInvoer& invoer) {
    TQXUitvoer uitvoer;
    std::string fout;
    try {
        TBedrijf bedrijf;
        bedrijf.Bereken(invoer, uitvoer);
    } catch (const std::exception& e) {
        fout = e.what();
    }
    std::string uit;
    for (std::size_t kolom = KolBasis; kolom <= KolAlt12; ++kolom)
        for (std::size_t rij = 0; rij < uitvoer.arsam[kolom].size(); ++rij)
            uit += "arsam " + std::to_string(kolom) + " " + std::to_string(rij) + " " +
                   uitvoer.arsam[kolom][rij] + "\n";
    for (const DetailVeld& veld : DetailVelden)
        for (std::size_t v = 0; v < AantalVarianten; ++v)
            for (std::size_t stap = 0; stap <= AantalStappen; ++stap)
                uit += std::string(veld.naam) + " " + std::to_string(v) + " " + std::to_string(stap) + " " +
                       (uitvoer.*veld.veld)[v][stap] + "\n";
    if (!fout.empty()) uit += "fout " + fout + "\n";
    return uit;
}

constexpr unsigned Zaad = 20261208;
constexpr int Volledig = 3; // scenarios whose texts are written out in full

// Scenario 0 is the default one, the others come from the seeded generator.
std::string Vingerafdruk(int aantal) {
    testdata::WillekeurigeInvoer generator(Zaad);
    std::string digests;
    std::string volledig;
    for (int n = 0; n <= aantal; ++n) {
        const TQXInvoer invoer = n == 0 ? testdata::StandaardInvoer() : generator.Volgende();
        const std::string teksten = Teksten(invoer);
        digests += "scenario " + std::to_string(n) + " " + Sha256(teksten) + "\n";
        if (n < Volledig) volledig += "# scenario " + std::to_string(n) + " volledig\n" + teksten;
    }
    return "# modelteksten: zaad " + std::to_string(Zaad) + ", " + std::to_string(aantal) +
           " willekeurige scenario's na het standaardscenario; SHA-256 van alle teksten per scenario\n" +
           digests + volledig;
}

// The first line where two texts differ, for the report of a failed comparison.
std::string EersteVerschil(const std::string& a, const std::string& b) {
    std::size_t begin = 0;
    int regel = 1;
    while (begin < a.size() && begin < b.size()) {
        const std::size_t ea = a.find('\n', begin), eb = b.find('\n', begin);
        const std::string ra = a.substr(begin, ea - begin), rb = b.substr(begin, eb - begin);
        if (ra != rb)
            return "regel " + std::to_string(regel) + ":\n  verwacht: " + rb + "\n  gekregen: " + ra;
        if (ea == std::string::npos || eb == std::string::npos) break;
        begin = ea + 1;
        ++regel;
    }
    return "lengte " + std::to_string(a.size()) + " tegen " + std::to_string(b.size());
}

// --- the safe-write checks ------------------------------------------------------------------

int fouten = 0;

void Controleer(bool goed, const std::string& wat) {
    std::printf("%s %s\n", goed ? "ok  " : "FOUT", wat.c_str());
    if (!goed) ++fouten;
}

std::string Inhoud(const std::string& pad) {
    std::string bytes;
    return LeesBestand(pad, 1 << 20, bytes).empty() ? bytes : std::string("<onleesbaar>");
}

// Whether the folder holds exactly the one given file (no new file left behind).
bool AlleenBestand(const std::filesystem::path& map, const std::string& naam) {
    int aantal = 0;
    bool gevonden = false;
    for (const auto& ding : std::filesystem::directory_iterator(map)) {
        ++aantal;
        if (ding.path().filename() == std::filesystem::u8path(naam)) gevonden = true;
    }
    return aantal == 1 && gevonden;
}

// Makes the next write of `pad` fail halfway as it fails in practice: over the file-size limit on
// POSIX, while another program holds the file open on Windows. Ends the failure when destroyed.
class Schrijffout {
  public:
    explicit Schrijffout(const std::string& pad) {
#ifdef _WIN32
        greep_ = CreateFileW(std::filesystem::u8path(pad).wstring().c_str(), GENERIC_READ, FILE_SHARE_READ,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
#else
        (void)pad;
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &oud_);
        rlimit klein = oud_;
        klein.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &klein);
#endif
    }
    ~Schrijffout() {
#ifdef _WIN32
        if (greep_ != INVALID_HANDLE_VALUE) CloseHandle(greep_);
#else
        setrlimit(RLIMIT_FSIZE, &oud_);
#endif
    }
    Schrijffout(const Schrijffout&) = delete;
    Schrijffout& operator=(const Schrijffout&) = delete;

  private:
#ifdef _WIN32
    HANDLE greep_ = INVALID_HANDLE_VALUE;
#else
    rlimit oud_{};
#endif
};

int Bestanden(const std::string& mapNaam) {
    namespace fs = std::filesystem;
    const fs::path map = fs::u8path(mapNaam);
    fs::remove_all(map); // what an earlier run left
    fs::create_directories(map);
    const std::string naam = "w\xc3\xa9ide.txt"; // a name outside ASCII: the wide paths on Windows
    const std::string pad = mapNaam + "/" + naam;
    BestandFout soort = BestandFout::Geen;

    Controleer(SchrijfBestand(pad, "een\n", &soort).empty() && Inhoud(pad) == "een\n",
               "een nieuw bestand schrijven");
    Controleer(SchrijfBestand(pad, "twee\n", &soort).empty() && Inhoud(pad) == "twee\n" &&
                   AlleenBestand(map, naam),
               "een bestaand bestand vervangen, zonder restbestand");
    {
        const Schrijffout fout(pad);
        const std::string melding = SchrijfBestand(pad, std::string(4096, 'x'), &soort);
        Controleer(!melding.empty() && soort != BestandFout::Geen, "mislukt schrijven gemeld: " + melding);
    }
    Controleer(Inhoud(pad) == "twee\n" && AlleenBestand(map, naam),
               "na mislukt schrijven blijft het oude bestand");

    const std::string submap = mapNaam + "/map";
    fs::create_directory(fs::u8path(submap));
    std::string bytes;
    Controleer(!SchrijfBestand(submap, "x", &soort).empty() && soort == BestandFout::Geweigerd &&
                   fs::is_directory(fs::u8path(submap)),
               "een map wordt niet overschreven");
    Controleer(!LeesBestand(submap, 100, bytes, nullptr, &soort).empty() && soort == BestandFout::Geweigerd,
               "een map wordt niet gelezen");

    const std::string alleenLezen = mapNaam + "/alleenlezen.txt";
    Controleer(SchrijfBestand(alleenLezen, "vast\n").empty(), "alleen-lezen bestand aanmaken");
    fs::permissions(fs::u8path(alleenLezen),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Controleer(!SchrijfBestand(alleenLezen, "anders\n", &soort).empty() && soort == BestandFout::Geweigerd &&
                   Inhoud(alleenLezen) == "vast\n",
               "een alleen-lezen bestand wordt niet overschreven");
    fs::permissions(fs::u8path(alleenLezen), fs::perms::owner_write, fs::perm_options::add);

    bool teLang = false;
    Controleer(LeesBestand(pad, 3, bytes, &teLang).empty() && bytes == "twe" && teLang, "begrensd lezen");
    Controleer(LeesBestand(pad, 5, bytes, &teLang).empty() && bytes == "twee\n" && !teLang,
               "lezen tot de grens");
    Controleer(!LeesBestand(mapNaam + "/bestaat-niet", 10, bytes, nullptr, &soort).empty() &&
                   soort == BestandFout::Openen,
               "een ontbrekend bestand gemeld");
    Controleer(!SchrijfBestand("", "x", &soort).empty() && soort == BestandFout::Geweigerd,
               "geen naam geweigerd");
    return fouten == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    int aantal = 500;
    std::string uit, controleer, bestanden;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const bool waarde = i + 1 < argc;
        if (a == "--aantal" && waarde)
            aantal = std::atoi(argv[++i]);
        else if (a == "--uit" && waarde)
            uit = argv[++i];
        else if (a == "--controleer" && waarde)
            controleer = argv[++i];
        else if (a == "--bestanden" && waarde)
            bestanden = argv[++i];
        else {
            std::fprintf(stderr, "Gebruik: modelteksten [--aantal N] [--uit BESTAND | --controleer BESTAND] "
                                 "| --bestanden MAP\n");
            return 2;
        }
    }
    if (!bestanden.empty()) return Bestanden(bestanden);

    const std::string tekst = Vingerafdruk(aantal);
    if (!controleer.empty()) {
        std::string verwacht;
        const std::string melding = LeesBestand(controleer, 64 << 20, verwacht);
        if (!melding.empty()) {
            std::fprintf(stderr, "%s\n", melding.c_str());
            return 2;
        }
        if (tekst != verwacht) {
            std::fprintf(stderr, "De modelteksten wijken af van %s, eerste verschil op %s\n",
                         controleer.c_str(), EersteVerschil(tekst, verwacht).c_str());
            return 1;
        }
        std::printf("modelteksten gelijk aan %s (%d scenario's)\n", controleer.c_str(), aantal + 1);
        return 0;
    }
    if (!uit.empty()) {
        const std::string melding = SchrijfBestand(uit, tekst);
        if (!melding.empty()) {
            std::fprintf(stderr, "%s\n", melding.c_str());
            return 2;
        }
        return 0;
    }
    std::fwrite(tekst.data(), 1, tekst.size(), stdout);
    return 0;
}
