// Reference composition of fresh pasture grass by month and grass mass, and the lookup of one
// composition value of the grass on offer.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace korvalinde {

// Composition columns of the reference table, after the grass mass.
inline constexpr std::array<std::string_view, 9> GrasKolommen{"DS",  "RE",  "RC",  "RAS", "FOS",
                                                              "SUI", "VEM", "DVE", "OEB"};

// The grazing months the table holds, April to October; a day of another month takes the nearest.
inline constexpr int EersteWeidemaand = 4;
inline constexpr int LaatsteWeidemaand = 10;

// Reference levels: grass mass (kg DM/ha above stubble) followed by the nine composition columns,
// for each month April (index 0) to October (index 6).
struct GrasNiveau {
    std::array<std::array<float, 7>, 10> waarden; // [column: mass, DS .. OEB][month]
};
extern const std::array<GrasNiveau, 3> GrasReferentie; // low, standard, high

class OnbekendeSoort : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// One composition value ("DS", "RE", "RC", "RAS", "FOS", "SUI", "VEM", "DVE", "OEB" or "VOS") of the
// grass at turn-in day `dag` with supply `aanbod`; `minder` marks a sward of lower quality.
float GehalteGras(std::string_view soort, std::int32_t dag, bool minder, float aanbod);

} // namespace korvalinde
