// The scenario file: one input set and the two alternatives as a fixed sequence of typed values in
// little-endian byte order, the version number first. This module knows the bytes and the order of
// the fields; the input set is reached through the ScenarioInvoer interface, so the codec can be
// tested and fuzzed on its own. Plain C++, no Qt.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvalinde {

// Version number written into every file: "2010.00" read as year and two-digit release.
inline constexpr std::int32_t ScenarioVersie = 201000;
// Files older than this carry two extra whole numbers after the grass table.
inline constexpr std::int32_t ScenarioVersieZonderExtra = 200801;

// A file that cannot be read or written. The message is the text of the error box.
class ScenarioFout : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The messages of the error boxes.
inline constexpr const char* MeldingLeesFout = "Stream read error";
inline constexpr const char* MeldingOngeldig = "Invalid property value";
inline constexpr const char* MeldingBereik = "Range check error";
inline constexpr const char* MeldingSchrijfFout = "Stream write error";

// 80-bit extended precision (64-bit significand with explicit integer bit, 15-bit exponent with bias
// 16383, sign), little-endian, computed portably from the value's binary form.
std::array<std::uint8_t, 10> NaarExtended(long double waarde);
long double UitExtended(const std::uint8_t* bytes);

// Kinds of field: F decimal, I whole number, X item index, S text, G table block.
enum class VeldSoort { F, I, X, S, G };

struct ScenarioVeld {
    VeldSoort soort;
    const char* naam; // control name of the input set
};

// Fields 2 to 34 of the file, after the version number; fields 36 to 39 are the alternatives.
extern const std::array<ScenarioVeld, 33> ScenarioIndeling;

// Table blocks: which cells of a table are stored (columns 1..kolommen, rows 1..rijen).
struct TabelBlok {
    const char* naam;
    int kolommen;
    int rijen;
};
const TabelBlok& TabelVan(std::string_view naam);

inline constexpr int GridBlokGrootte = 2100;
inline constexpr int CelLengte = 20;

// What the file reads from and writes to: the inputs, addressed by control name.
class ScenarioInvoer {
  public:
    virtual ~ScenarioInvoer() = default;
    virtual long double Getal(std::string_view naam) const = 0;           // F and I
    virtual void ZetGetal(std::string_view naam, long double waarde) = 0; // clamps and rounds
    virtual int Index(std::string_view naam) const = 0;                   // X, -1 for none
    virtual void ZetIndex(std::string_view naam, int index) = 0;          // fires no rule
    virtual std::string Tekst(std::string_view naam) const = 0;           // S
    virtual void ZetTekst(std::string_view naam, const std::string& tekst) = 0;
    virtual std::string Cel(std::string_view tabel, int kolom, int rij) const = 0;
    virtual void ZetCel(std::string_view tabel, int kolom, int rij, const std::string& tekst) = 0;
    // The alternatives (nr 1 or 2): choice index and value as kept in the file.
    virtual int AlternatiefIndex(int nr) const = 0;
    virtual long double AlternatiefWaarde(int nr) const = 0;
    virtual void ZetAlternatiefIndex(int nr, int index) = 0;
    virtual void ZetAlternatiefWaarde(int nr, float waarde) = 0;
};

// All bytes of the file for the current inputs.
std::vector<std::uint8_t> SchrijfScenario(const ScenarioInvoer& invoer);

// Reads the file and puts each value into its input at once. Raises ScenarioFout on a file that ends
// early or holds a value that does not fit; the values read so far stay in their inputs.
void LeesScenario(const std::uint8_t* data, std::size_t lengte, ScenarioInvoer& invoer);
// The version number a scenario file begins with, rounded to a whole number as LeesScenario reads
// it (201000); throws ScenarioFout when the file does not begin with a number.
long double LeesScenarioVersie(const std::uint8_t* data, std::size_t lengte);

// The value as written for a decimal field: the extended number nearest to the value's shortest
// decimal text, as when the user typed it.
long double DecimaleWaarde(long double waarde);

} // namespace korvalinde
