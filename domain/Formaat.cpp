#include "domain/Formaat.h"

#include "domain/Rekenprecisie.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

namespace korvalinde {

namespace {

// Decimal digits of |waarde| to 18 significant places (what an extended value carries) and the
// power of ten of the first digit.
void DecimaleCijfers(long double waarde, std::string& cijfers, int& exponent) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(waarde), std::chars_format::scientific, 17);
    const std::string tekst(buf, res.ptr);
    const auto e = tekst.find('e');
    cijfers.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (tekst[i] != '.') cijfers.push_back(tekst[i]);
    exponent = std::atoi(tekst.c_str() + e + 1);
}

std::string Formatteer(std::string_view patroon, long double waarde, bool snelMag);

// floor(y) for 0 <= y < 2^63, without the two changes of the rounding mode that a conversion to
// an integer costs: y + 2^63 has steps of exactly 1, so the sum is y rounded to a whole number,
// and the significand of the extended sum holds 2^63 plus that number.
unsigned long long GeheelDeel(long double y) {
    static_assert(std::numeric_limits<long double>::digits == 64, "extended precision expected");
    const long double som = y + 0x1p63L;
    unsigned long long significand = 0;
    std::memcpy(&significand, &som, sizeof significand);
    unsigned long long n = significand - (1ULL << 63);
    if (static_cast<long double>(static_cast<long long>(n)) > y) --n;
    return n;
}

// The digits of n with `decimalen` of them after the point, and a minus sign when asked, written
// from the back into a buffer, so that a text costs no string of its own.
void SchrijfCijfers(unsigned long long n, int decimalen, bool minteken, std::string& uit) {
    char buf[32];
    char* const eind = buf + sizeof buf;
    char* p = eind;
    for (int i = 0; i < decimalen; ++i) {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (decimalen > 0) *--p = '.';
    do {
        *--p = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    if (minteken) *--p = '-';
    uit.assign(p, eind);
}

// A value whose scaled fraction lies this close to a half takes the route over the decimal
// digits, where the rounding error of the scaling cannot decide the tie.
constexpr long double TieMarge = 1e-6L;

// Quick route for a fixed number of decimals: scale by a power of ten and round half away from
// zero in extended precision. Only used where the scaled value is clearly away from a tie, so that
// the rounding error of the scaling cannot change the result; otherwise false.
bool SnelFormatteren(long double waarde, int decimalen, std::string& uit) {
    static constexpr long double macht[] = {1.0L, 10.0L, 100.0L, 1000.0L, 10000.0L};
    if (decimalen < 0 || decimalen > 4) return false;
    const long double y = std::fabs(waarde) * macht[decimalen];
    if (!(y < 9.0e18L)) return false;
    // floor(y), held exactly in extended precision.
    unsigned long long n = GeheelDeel(y);
    const long double breuk = y - static_cast<long double>(static_cast<long long>(n));
    if (std::fabs(breuk - 0.5L) < TieMarge) return false;
    if (breuk > 0.5L) ++n;
    SchrijfCijfers(n, decimalen, waarde < 0 && n != 0, uit);
    return true;
}

// The same route for a single-precision value, in double precision: a float's 24 significant bits
// times at most 10^4 (14 bits) fit in a double's 53, so the scaled value, its whole part and its
// fraction are exact here as they are in extended precision, and the same texts come out. (A
// fraction near a half is a whole multiple of 2^-39 at least, far coarser than the difference
// between the tie margin in double and in extended precision.)
bool SnelFormatterenFloat(float waarde, int decimalen, std::string& uit) {
    static constexpr double macht[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    if (decimalen < 0 || decimalen > 4) return false;
    const double y = std::fabs(static_cast<double>(waarde)) * macht[decimalen];
    if (!(y < 9.0e18)) return false;
    // Truncation is floor for y >= 0; y < 2^63 fits a signed conversion.
    auto n = static_cast<unsigned long long>(static_cast<long long>(y));
    const double breuk = y - static_cast<double>(n);
    if (std::fabs(breuk - 0.5) < static_cast<double>(TieMarge)) return false;
    if (breuk > 0.5) ++n;
    SchrijfCijfers(n, decimalen, waarde < 0 && n != 0, uit);
    return true;
}

} // namespace

std::string FormatFloat(std::string_view patroon, long double waarde) {
    VolleRekenprecisie();
    return Formatteer(patroon, waarde, true);
}

void FormatVast(int decimalen, long double waarde, std::string& uit) {
    VolleRekenprecisie();
    if (std::isfinite(waarde) && SnelFormatteren(waarde, decimalen, uit)) return;
    std::string patroon = "0";
    if (decimalen > 0) patroon += "." + std::string(static_cast<std::size_t>(decimalen), '0');
    uit = Formatteer(patroon, waarde, false);
}

void FormatVastFloat(int decimalen, float waarde, std::string& uit) {
    VolleRekenprecisie();
    if (std::isfinite(waarde) && SnelFormatterenFloat(waarde, decimalen, uit)) return;
    FormatVast(decimalen, static_cast<long double>(waarde), uit);
}

std::string FormatFloatViaCijfers(std::string_view patroon, long double waarde) {
    VolleRekenprecisie();
    return Formatteer(patroon, waarde, false);
}

namespace {

std::string Formatteer(std::string_view patroon, long double waarde, bool snelMag) {
    if (!std::isfinite(waarde)) return {};
    int vast = 0;
    int optioneel = 0;
    const auto punt = patroon.find('.');
    if (punt != std::string_view::npos) {
        for (std::size_t i = punt + 1; i < patroon.size(); ++i) {
            if (patroon[i] == '0')
                ++vast, vast += optioneel, optioneel = 0;
            else if (patroon[i] == '#')
                ++optioneel;
        }
    }
    const int decimalen = vast + optioneel;
    if (snelMag && optioneel == 0) {
        std::string snel;
        if (SnelFormatteren(waarde, decimalen, snel)) return snel;
    }

    // Integer digits plus `decimalen` decimals, rounded half away from zero on the decimal digits.
    std::string cijfers;
    int exponent = 0;
    if (waarde != 0.0L) DecimaleCijfers(waarde, cijfers, exponent);
    // Position of the last kept digit relative to the first digit of `cijfers`.
    std::string getal; // all kept digits, without point, most significant first
    if (!cijfers.empty()) {
        const int behouden = exponent + 1 + decimalen; // number of digits of `cijfers` that stay
        if (behouden >= 0) {
            std::string deel;
            for (int i = 0; i < behouden; ++i)
                deel.push_back(i < static_cast<int>(cijfers.size()) ? cijfers[static_cast<std::size_t>(i)]
                                                                    : '0');
            const bool omhoog = behouden < static_cast<int>(cijfers.size()) &&
                                cijfers[static_cast<std::size_t>(behouden)] >= '5';
            if (omhoog) {
                int i = static_cast<int>(deel.size()) - 1;
                while (i >= 0 && deel[static_cast<std::size_t>(i)] == '9')
                    deel[static_cast<std::size_t>(i--)] = '0';
                if (i >= 0)
                    ++deel[static_cast<std::size_t>(i)];
                else
                    deel.insert(deel.begin(), '1');
            }
            getal = deel;
        }
    }
    // Pad so that there is at least one integer digit.
    while (static_cast<int>(getal.size()) < decimalen + 1) getal.insert(getal.begin(), '0');
    std::string geheel = getal.substr(0, getal.size() - static_cast<std::size_t>(decimalen));
    std::string breuk = getal.substr(getal.size() - static_cast<std::size_t>(decimalen));
    while (geheel.size() > 1 && geheel.front() == '0') geheel.erase(geheel.begin());
    while (static_cast<int>(breuk.size()) > vast && breuk.back() == '0') breuk.pop_back();

    bool nul = true;
    for (char c : getal)
        if (c != '0') nul = false;
    std::string uit = (waarde < 0 && !nul) ? "-" : "";
    uit += geheel;
    if (!breuk.empty()) uit += "." + breuk;
    return uit;
}

} // namespace

} // namespace korvalinde
