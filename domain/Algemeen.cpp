#include "domain/Algemeen.h"

#include "domain/Decimaalpunt.h"
#include "domain/Rekenprecisie.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace korvalinde {

long double VeiligDelen(long double teller, long double noemer) {
    if (noemer == 0.0L) return 0.0L;
    return teller / noemer;
}

std::int64_t Round(long double x) {
    // nearbyint follows the default rounding mode, round-half-to-even.
    return static_cast<std::int64_t>(std::nearbyintl(x));
}

namespace {

// Proleptic Gregorian calendar date of a count of days since 1 January 1970.
void DatumVanDagen(std::int64_t z, std::int64_t& jaar, unsigned& maand, unsigned& dag) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    dag = doy - (153 * mp + 2) / 5 + 1;
    maand = mp < 10 ? mp + 3 : mp - 9;
    jaar = static_cast<std::int64_t>(yoe) + era * 400 + (maand <= 2 ? 1 : 0);
}

// Powers of ten that long double holds exactly (5^27 still fits in its 64-bit significand).
constexpr long double ExactTiental(int n) {
    long double t = 1.0L;
    for (int i = 0; i < n; ++i) t *= 10.0L;
    return t;
}
constexpr int MaxExactTiental = 27;

// The value of a checked decimal text ([sign] digits [. digits] [e [sign] digits]), rounded once to
// the nearest long double, as the C library's strtold gives it, without any locale. A text of at most
// 19 significant digits and a power of ten up to 10^27 is one exact integer times or divided by one
// exact power of ten: a single rounding, the same on every platform. Other texts go to LeesLangDecimaal.
bool LeesDecimaal(std::string_view tekst, long double& waarde) {
    VolleRekenprecisie(); // the division below rounds to the full long double on every thread
    const bool negatief = tekst.front() == '-';
    if (tekst.front() == '+' || tekst.front() == '-') tekst.remove_prefix(1);
    std::uint64_t cijfers = 0;
    int aantal = 0;       // significant digits taken into `cijfers`
    int verschuiving = 0; // power of ten that the digits not taken and the decimals add
    bool teVeel = false;
    bool naPunt = false;
    bool nietNul = false;
    std::size_t i = 0;
    for (; i < tekst.size() && tekst[i] != 'e' && tekst[i] != 'E'; ++i) {
        const char c = tekst[i];
        if (c == '.') {
            naPunt = true;
            continue;
        }
        const int d = c - '0';
        if (d != 0) nietNul = true;
        if (cijfers == 0 && d == 0) {
            if (naPunt) --verschuiving;
            continue;
        }
        if (aantal < 19) {
            cijfers = cijfers * 10 + static_cast<std::uint64_t>(d);
            ++aantal;
            if (naPunt) --verschuiving;
        } else {
            teVeel = true;
            if (!naPunt) ++verschuiving;
        }
    }
    long exponent = 0;
    if (i < tekst.size()) {
        std::size_t j = i + 1;
        const bool expNegatief = tekst[j] == '-';
        if (tekst[j] == '+' || tekst[j] == '-') ++j;
        for (; j < tekst.size(); ++j) {
            exponent = exponent * 10 + (tekst[j] - '0');
            if (exponent > 100000) exponent = 100000; // far beyond every finite value
        }
        if (expNegatief) exponent = -exponent;
    }
    if (!nietNul) {
        waarde = negatief ? -0.0L : 0.0L;
        return true;
    }
    const long macht = exponent + verschuiving;
    if (!teVeel && macht >= -MaxExactTiental && macht <= MaxExactTiental) {
        const long double m = static_cast<long double>(cijfers);
        const long double t = ExactTiental(static_cast<int>(macht < 0 ? -macht : macht));
        const long double v = macht < 0 ? m / t : m * t;
        waarde = negatief ? -v : v;
        return true;
    }
    long double v = 0;
    const std::errc fout = LeesLangDecimaal(tekst, v);
    if (fout == std::errc::result_out_of_range) {
        // Too large is no number; too small is zero with its sign. The first significant digit
        // stands at 10^(aantal - 1 + macht).
        if (aantal - 1 + macht >= 0) return false;
        waarde = negatief ? -0.0L : 0.0L;
        return true;
    }
    if (fout != std::errc() || !std::isfinite(v)) return false;
    waarde = negatief ? -v : v;
    return true;
}

std::string TweeCijfers(unsigned n) {
    std::string s = std::to_string(n);
    if (s.size() == 1) s.insert(s.begin(), '0');
    return s;
}

} // namespace

std::string DatumTekst(double datum) {
    // Day-count date 0 is 30 December 1899, which lies 25569 days before 1 January 1970.
    const auto dagen = static_cast<std::int64_t>(std::floor(datum)) - 25569;
    std::int64_t jaar = 0;
    unsigned maand = 0;
    unsigned dag = 0;
    DatumVanDagen(dagen, jaar, maand, dag);
    return TweeCijfers(dag) + " " + TweeCijfers(maand);
}

std::string DagTekst(std::int32_t dag) {
    return DatumTekst(static_cast<double>(dag) + 1.0);
}

std::int32_t DagNaarMaand(std::int32_t dag) {
    static const std::int32_t laatsteDag[12] = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
    if (dag < 1 || dag > 365) return 0;
    for (std::int32_t m = 0; m < 12; ++m)
        if (dag <= laatsteDag[m]) return m + 1;
    return 0;
}

float FpcmFactor(float vet, float eiwit) {
    return static_cast<float>(0.116L * vet + 0.337L + 0.06L * eiwit);
}

float Interpoleer(float x1, float x2, float x, float y1, float y2) {
    const long double y = static_cast<long double>(y1) + (static_cast<long double>(x) - x1) *
                                                             (static_cast<long double>(y1) - y2) /
                                                             (static_cast<long double>(x1) - x2);
    return static_cast<float>(y);
}

std::string ZonderSpaties(std::string_view tekst) {
    std::string uit;
    uit.reserve(tekst.size());
    for (char c : tekst)
        if (c != ' ') uit.push_back(c);
    return uit;
}

std::string NaarHoofdletters(std::string_view tekst) {
    std::string uit(tekst);
    for (char& c : uit)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return uit;
}

std::string NaarKleineLetters(std::string_view tekst) {
    std::string uit(tekst);
    for (char& c : uit)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return uit;
}

bool JNTOBOOL(std::string_view code, std::string* melding) {
    if (code == "JA") return true;
    if (code == "NEE" || code == "NVT") return false;
    if (melding) *melding = "Onbekende ajn in JNTOBOOL " + std::string(code);
    return false;
}

bool LeesGetal(std::string_view tekst, long double& waarde) {
    std::size_t begin = 0;
    std::size_t eind = tekst.size();
    while (begin < eind && (tekst[begin] == ' ' || tekst[begin] == '\t')) ++begin;
    while (eind > begin && (tekst[eind - 1] == ' ' || tekst[eind - 1] == '\t')) --eind;
    if (begin == eind) return false;
    // Accept only the plain decimal notation: [sign] digits [. digits] [e [sign] digits].
    std::size_t i = begin;
    if (tekst[i] == '+' || tekst[i] == '-') ++i;
    std::size_t cijfers = 0;
    while (i < eind && tekst[i] >= '0' && tekst[i] <= '9') ++i, ++cijfers;
    if (i < eind && tekst[i] == '.') {
        ++i;
        while (i < eind && tekst[i] >= '0' && tekst[i] <= '9') ++i, ++cijfers;
    }
    if (cijfers == 0) return false;
    if (i < eind && (tekst[i] == 'e' || tekst[i] == 'E')) {
        ++i;
        if (i < eind && (tekst[i] == '+' || tekst[i] == '-')) ++i;
        std::size_t exp = 0;
        while (i < eind && tekst[i] >= '0' && tekst[i] <= '9') ++i, ++exp;
        if (exp == 0) return false;
    }
    if (i != eind) return false;
    return LeesDecimaal(tekst.substr(begin, eind - begin), waarde);
}

} // namespace korvalinde
