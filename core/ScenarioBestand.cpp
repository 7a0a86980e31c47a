#include "core/ScenarioBestand.h"

#include "domain/Algemeen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace korvalinde {

// clang-format off
const std::array<ScenarioVeld, 33> ScenarioIndeling{{
    {VeldSoort::F, "SpenKoe"},
    {VeldSoort::I, "SpeMelknivo"},
    {VeldSoort::I, "SpePercPar1"},
    {VeldSoort::I, "SpePercPar2"},
    {VeldSoort::I, "SpePercPar3"},
    {VeldSoort::I, "SpePercRas1"},
    {VeldSoort::I, "SpePercRas2"},
    {VeldSoort::I, "SpeTkt"},
    {VeldSoort::I, "SpeGewicht"},
    {VeldSoort::G, "GrdProductie"},
    {VeldSoort::G, "GrdKrachtvoer"},
    {VeldSoort::G, "GrdVoeders"},
    {VeldSoort::S, "Cbxdatum"},
    {VeldSoort::I, "SpeUrenWeidegang"},
    {VeldSoort::X, "CbxOntwatering"},
    {VeldSoort::F, "SpePerceelOpp"},
    {VeldSoort::X, "CbxGrondsoort"},
    {VeldSoort::X, "CbxSysteem"},
    {VeldSoort::X, "CbxZode"},
    {VeldSoort::X, "CbxEngelsraai"},
    {VeldSoort::X, "CbxJaargift"},
    {VeldSoort::I, "SpeGrasaanbod"},
    {VeldSoort::I, "SpeBiomassa05"},
    {VeldSoort::I, "SpeHergroei"},
    {VeldSoort::X, "CbxVorigGebruik"},
    {VeldSoort::X, "CbxBloten"},
    {VeldSoort::F, "SpeVorigDagen"},
    {VeldSoort::I, "SpeVorigRest"},
    {VeldSoort::I, "SpenMestflat"},
    {VeldSoort::I, "SpenUrlozing"},
    {VeldSoort::F, "SpeOppMestflat"},
    {VeldSoort::F, "SpeOppUrplek"},
    {VeldSoort::G, "GrdGras"},
}};
// clang-format on

namespace {

const std::array<TabelBlok, 4> Tabellen{{
    {"GrdProductie", 4, 5},
    {"GrdKrachtvoer", 1, 6},
    {"GrdVoeders", 7, 8},
    {"GrdGras", 7, 2},
}};

// Where the cell of column c and row r (both from 1) starts in a table block: 210 bytes per column,
// 21 per cell (a length byte and up to 20 characters).
std::size_t CelPositie(int c, int r) {
    return static_cast<std::size_t>(c - 1) * 210 + static_cast<std::size_t>(r - 1) * 21;
}

enum Tag : std::uint8_t {
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagExtended = 5,
    TagTekst = 6,
    TagLangeTekst = 12
};

class Schrijver {
  public:
    std::vector<std::uint8_t> bytes;

    void Byte(std::uint8_t b) { bytes.push_back(b); }
    void Klein(std::uint64_t w, int n) {
        for (int i = 0; i < n; ++i) Byte(static_cast<std::uint8_t>(w >> (8 * i)));
    }
    void Decimaal(long double w) {
        Byte(TagExtended);
        const auto e = NaarExtended(w);
        bytes.insert(bytes.end(), e.begin(), e.end());
    }
    // A tag followed by a number of n bytes.
    void MetTag(std::uint8_t tag, std::uint64_t w, int n) {
        Byte(tag);
        Klein(w, n);
    }
    // A whole number in the narrowest of the three widths that holds it.
    void Geheel(std::int64_t w) {
        if (w >= -128 && w <= 127)
            MetTag(TagInt8, static_cast<std::uint64_t>(w), 1);
        else if (w >= -32768 && w <= 32767)
            MetTag(TagInt16, static_cast<std::uint64_t>(w), 2);
        else
            MetTag(TagInt32, static_cast<std::uint64_t>(static_cast<std::int32_t>(w)), 4);
    }
    // A text with its length in one byte, or in four when it is longer than 255.
    void Tekst(const std::string& t) {
        if (t.size() < 256)
            MetTag(TagTekst, t.size(), 1);
        else
            MetTag(TagLangeTekst, t.size(), 4);
        bytes.insert(bytes.end(), t.begin(), t.end());
    }
    void Blok(const ScenarioInvoer& invoer, const TabelBlok& tabel) {
        std::vector<std::uint8_t> blok(GridBlokGrootte, 0);
        for (int c = 1; c <= tabel.kolommen; ++c)
            for (int r = 1; r <= tabel.rijen; ++r) {
                std::string t = invoer.Cel(tabel.naam, c, r);
                if (t.size() > CelLengte) t.resize(CelLengte);
                const std::size_t begin = CelPositie(c, r);
                blok[begin] = static_cast<std::uint8_t>(t.size());
                std::copy(t.begin(), t.end(), blok.begin() + static_cast<std::ptrdiff_t>(begin) + 1);
            }
        bytes.insert(bytes.end(), blok.begin(), blok.end());
    }
};

class Lezer {
  public:
    Lezer(const std::uint8_t* data, std::size_t lengte) : data_(data), lengte_(lengte) {}

    const std::uint8_t* Neem(std::size_t n) {
        if (n > lengte_ - positie_) throw ScenarioFout(MeldingLeesFout);
        const std::uint8_t* p = data_ + positie_;
        positie_ += n;
        return p;
    }
    std::uint8_t Byte() { return *Neem(1); }
    std::int64_t Klein(int n) {
        const std::uint8_t* p = Neem(static_cast<std::size_t>(n));
        std::uint64_t w = 0;
        for (int i = 0; i < n; ++i) w |= static_cast<std::uint64_t>(p[i]) << (8 * i);
        // Sign-extend from n bytes.
        const int bits = 8 * n;
        if (bits < 64 && (w >> (bits - 1)) & 1) w |= ~std::uint64_t{0} << bits;
        return static_cast<std::int64_t>(w);
    }
    // A whole number after its tag (tags 2, 3 and 4).
    bool GeheelNaTag(std::uint8_t tag, std::int64_t& w) {
        switch (tag) {
        case TagInt8:
            w = Klein(1);
            return true;
        case TagInt16:
            w = Klein(2);
            return true;
        case TagInt32:
            w = Klein(4);
            return true;
        default:
            return false;
        }
    }
    std::int64_t Geheel() {
        std::int64_t w = 0;
        if (!GeheelNaTag(Byte(), w)) throw ScenarioFout(MeldingOngeldig);
        return w;
    }
    long double Decimaal() {
        const std::uint8_t tag = Byte();
        std::int64_t w = 0;
        if (GeheelNaTag(tag, w)) return static_cast<long double>(w);
        if (tag != TagExtended) throw ScenarioFout(MeldingOngeldig);
        const long double d = UitExtended(Neem(10));
        if (!std::isfinite(d)) throw ScenarioFout(MeldingOngeldig);
        return d;
    }
    std::string Tekst() {
        const std::uint8_t tag = Byte();
        std::size_t n = 0;
        if (tag == TagTekst)
            n = Byte();
        else if (tag == TagLangeTekst)
            n = static_cast<std::uint32_t>(Klein(4));
        else
            throw ScenarioFout(MeldingOngeldig);
        const std::uint8_t* p = Neem(n); // checks the length against what is left before allocating
        return std::string(reinterpret_cast<const char*>(p), n);
    }
    void Blok(ScenarioInvoer& invoer, const TabelBlok& tabel) {
        const std::uint8_t* blok = Neem(GridBlokGrootte);
        for (int c = 1; c <= tabel.kolommen; ++c)
            for (int r = 1; r <= tabel.rijen; ++r) {
                const std::uint8_t* slot = blok + CelPositie(c, r);
                const std::size_t n = std::min<std::size_t>(slot[0], CelLengte);
                invoer.ZetCel(tabel.naam, c, r, std::string(reinterpret_cast<const char*>(slot + 1), n));
            }
    }

  private:
    const std::uint8_t* data_;
    std::size_t lengte_;
    std::size_t positie_ = 0;
};

} // namespace

const TabelBlok& TabelVan(std::string_view naam) {
    for (const auto& t : Tabellen)
        if (naam == t.naam) return t;
    throw std::invalid_argument("geen tabel van het scenariobestand: " + std::string(naam));
}

std::array<std::uint8_t, 10> NaarExtended(long double waarde) {
    std::array<std::uint8_t, 10> uit{};
    std::uint64_t mantisse = 0;
    int exponent = 0; // biased
    const bool negatief = std::signbit(waarde);
    const long double a = std::fabs(waarde);
    if (std::isnan(a)) {
        exponent = 0x7FFF;
        mantisse = 0xC000000000000000ULL;
    } else if (std::isinf(a)) {
        exponent = 0x7FFF;
        mantisse = 0x8000000000000000ULL;
    } else if (a != 0.0L) {
        int e = 0;
        const long double f = std::frexp(a, &e); // a = f * 2^e, f in [0.5, 1)
        exponent = e - 1 + 16383;
        long double m = std::ldexp(f, 64);
        if (exponent <= 0) { // denormal: fewer significant bits
            m = std::ldexp(a, 16382 + 63);
            exponent = 0;
        }
        mantisse = static_cast<std::uint64_t>(m);
    }
    for (int i = 0; i < 8; ++i)
        uit[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(mantisse >> (8 * i));
    const unsigned se = static_cast<unsigned>(exponent) | (negatief ? 0x8000u : 0u);
    uit[8] = static_cast<std::uint8_t>(se & 0xFF);
    uit[9] = static_cast<std::uint8_t>(se >> 8);
    return uit;
}

long double UitExtended(const std::uint8_t* b) {
    std::uint64_t mantisse = 0;
    for (int i = 0; i < 8; ++i) mantisse |= static_cast<std::uint64_t>(b[i]) << (8 * i);
    const unsigned se = static_cast<unsigned>(b[8]) | (static_cast<unsigned>(b[9]) << 8);
    const bool negatief = (se & 0x8000u) != 0;
    const int exponent = static_cast<int>(se & 0x7FFFu);
    long double w = 0;
    if (exponent == 0x7FFF) {
        w = (mantisse << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                 : std::numeric_limits<long double>::quiet_NaN();
    } else if (exponent == 0) {
        w = std::ldexp(static_cast<long double>(mantisse), -16382 - 63);
    } else {
        w = std::ldexp(static_cast<long double>(mantisse), exponent - 16383 - 63);
    }
    return negatief ? -w : w;
}

long double DecimaleWaarde(long double waarde) {
    if (!std::isfinite(waarde)) return waarde;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, static_cast<double>(waarde));
    *res.ptr = '\0';
    long double w = 0;
    return LeesGetal(buf, w) ? w : waarde;
}

std::vector<std::uint8_t> SchrijfScenario(const ScenarioInvoer& invoer) {
    Schrijver s;
    s.Decimaal(ScenarioVersie);
    for (const ScenarioVeld& veld : ScenarioIndeling) {
        switch (veld.soort) {
        case VeldSoort::F:
            s.Decimaal(DecimaleWaarde(invoer.Getal(veld.naam)));
            break;
        case VeldSoort::I:
            s.Geheel(Round(invoer.Getal(veld.naam)));
            break;
        case VeldSoort::X:
            s.Geheel(invoer.Index(veld.naam));
            break;
        case VeldSoort::S:
            s.Tekst(invoer.Tekst(veld.naam));
            break;
        case VeldSoort::G:
            s.Blok(invoer, TabelVan(veld.naam));
            break;
        }
    }
    s.Geheel(invoer.AlternatiefIndex(1));
    s.Geheel(invoer.AlternatiefIndex(2));
    s.Decimaal(DecimaleWaarde(invoer.AlternatiefWaarde(1)));
    s.Decimaal(DecimaleWaarde(invoer.AlternatiefWaarde(2)));
    return std::move(s.bytes);
}

long double LeesScenarioVersie(const std::uint8_t* data, std::size_t lengte) {
    Lezer l(data, lengte);
    return std::nearbyint(l.Decimaal());
}

void LeesScenario(const std::uint8_t* data, std::size_t lengte, ScenarioInvoer& invoer) {
    Lezer l(data, lengte);
    const long double versieWaarde = l.Decimaal();
    const long double afgerond = std::nearbyint(versieWaarde);
    if (!(afgerond >= std::numeric_limits<std::int32_t>::min() &&
          afgerond <= std::numeric_limits<std::int32_t>::max()))
        throw ScenarioFout(MeldingBereik);
    const auto versie = static_cast<float>(static_cast<std::int32_t>(afgerond));

    auto indexOf = [&](std::int64_t w) -> int {
        if (w < std::numeric_limits<int>::min() || w > std::numeric_limits<int>::max())
            throw ScenarioFout(MeldingBereik);
        return static_cast<int>(w);
    };
    for (const ScenarioVeld& veld : ScenarioIndeling) {
        switch (veld.soort) {
        case VeldSoort::F:
            invoer.ZetGetal(veld.naam, l.Decimaal());
            break;
        case VeldSoort::I:
            invoer.ZetGetal(veld.naam, static_cast<long double>(l.Geheel()));
            break;
        case VeldSoort::X:
            invoer.ZetIndex(veld.naam, indexOf(l.Geheel()));
            break;
        case VeldSoort::S:
            invoer.ZetTekst(veld.naam, l.Tekst());
            break;
        case VeldSoort::G:
            l.Blok(invoer, TabelVan(veld.naam));
            break;
        }
    }
    if (versie < static_cast<float>(ScenarioVersieZonderExtra)) {
        l.Geheel();
        l.Geheel();
    }
    const int index1 = indexOf(l.Geheel());
    invoer.ZetAlternatiefIndex(1, index1);
    const int index2 = indexOf(l.Geheel());
    invoer.ZetAlternatiefIndex(2, index2);
    // The value inputs hold single-precision values; a larger number becomes the largest one.
    auto enkel = [](long double w) {
        constexpr long double grens = std::numeric_limits<float>::max();
        return static_cast<float>(std::clamp(w, -grens, grens));
    };
    invoer.ZetAlternatiefWaarde(1, enkel(l.Decimaal()));
    invoer.ZetAlternatiefWaarde(2, enkel(l.Decimaal()));
}

} // namespace korvalinde
