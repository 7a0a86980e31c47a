#include "domain/Grastabel.h"

#include "domain/Algemeen.h"

#include <string>

namespace korvalinde {

// clang-format off
const std::array<GrasNiveau, 3> GrasReferentie{{
    {{{ // low
        {700, 900, 1000, 1000, 900, 900, 700},        // grass mass
        {150, 160, 170, 170, 105, 140, 140},          // DS
        {206, 194, 249, 225, 242, 254, 249},          // RE
        {191, 211, 198, 207, 225, 221, 211},          // RC
        {101, 103, 116, 120, 122, 118, 113},          // RAS
        {666, 649, 623, 620, 603, 604, 610},          // FOS
        {129, 112, 115, 91, 74, 62, 80},              // SUI
        {1048, 1030, 1009, 1001, 990, 1001, 1003},    // VEM
        {111, 115, 106, 105, 106, 108, 107},          // DVE
        {31, 26, 64, 50, 63, 70, 66},                 // OEB
    }}},
    {{{ // standard
        {1400, 1700, 1700, 1700, 1500, 1300, 1100},
        {150, 160, 170, 170, 105, 140, 140},
        {227, 215, 216, 226, 235, 256, 252},
        {208, 230, 228, 231, 234, 226, 212},
        {100, 99, 103, 108, 111, 113, 109},
        {645, 629, 626, 613, 609, 605, 611},
        {129, 112, 115, 91, 74, 62, 80},
        {1036, 998, 996, 987, 987, 1002, 1007},
        {114, 105, 104, 103, 104, 109, 106},
        {47, 42, 43, 51, 58, 72, 68},
    }}},
    {{{ // high
        {2400, 2700, 2800, 2600, 2200, 1800, 1600},
        {150, 160, 170, 170, 105, 140, 140},
        {211, 192, 172, 196, 207, 241, 227},
        {232, 256, 248, 252, 245, 232, 216},
        {93, 94, 92, 98, 102, 104, 104},
        {637, 621, 632, 616, 618, 611, 613},
        {129, 112, 115, 91, 74, 62, 80},
        {1005, 960, 957, 958, 997, 993, 1003},
        {106, 96, 89, 93, 96, 104, 106},
        {47, 42, 43, 51, 58, 72, 68},
    }}},
}};
// clang-format on

namespace {

int Kolom(std::string_view code) {
    for (std::size_t i = 0; i < GrasKolommen.size(); ++i)
        if (GrasKolommen[i] == code) return static_cast<int>(i) + 1;
    return -1;
}

// Digestible organic matter of one reference level, from its RE, SUI and RAS.
float Vos(const GrasNiveau& niveau, int maand, bool minder) {
    const long double re =
        niveau.waarden[static_cast<std::size_t>(Kolom("RE"))][static_cast<std::size_t>(maand)];
    const long double sui =
        niveau.waarden[static_cast<std::size_t>(Kolom("SUI"))][static_cast<std::size_t>(maand)];
    const long double ras =
        niveau.waarden[static_cast<std::size_t>(Kolom("RAS"))][static_cast<std::size_t>(maand)];
    float c =
        static_cast<float>((1.1335L * re + 423.0L + 0.934L * sui - 0.423L * ras) / (1000.0L - ras) * 100.0L);
    if (minder) c = static_cast<float>(static_cast<long double>(c) - 3.7L);
    return static_cast<float>((1000.0L - ras) * c / 100.0L);
}

} // namespace

float GehalteGras(std::string_view soort, std::int32_t dag, bool minder, float aanbod) {
    const bool isVos = soort == "VOS";
    const int kolom = isVos ? -1 : Kolom(soort);
    if (!isVos && kolom < 0) throw OnbekendeSoort("GehalteGras, onbekende soort " + std::string(soort));

    int maand = DagNaarMaand(dag);
    if (maand < EersteWeidemaand) maand = EersteWeidemaand;
    if (maand > LaatsteWeidemaand) maand = LaatsteWeidemaand;
    const auto m = static_cast<std::size_t>(maand - EersteWeidemaand);

    float massa[3];
    float waarde[3];
    for (std::size_t n = 0; n < 3; ++n) {
        massa[n] = GrasReferentie[n].waarden[0][m];
        waarde[n] = isVos ? Vos(GrasReferentie[n], static_cast<int>(m), minder)
                          : GrasReferentie[n].waarden[static_cast<std::size_t>(kolom)][m];
    }
    float uit = aanbod >= massa[1] ? Interpoleer(massa[1], massa[2], aanbod, waarde[1], waarde[2])
                                   : Interpoleer(massa[0], massa[1], aanbod, waarde[0], waarde[1]);
    if (minder) {
        if (soort == "VEM")
            uit = static_cast<float>(static_cast<long double>(uit) - 50.0L);
        else if (soort == "DVE")
            uit = static_cast<float>(static_cast<long double>(uit) - 5.0L);
        else if (soort == "OEB")
            uit = static_cast<float>(static_cast<long double>(uit) + 10.0L);
    }
    return uit;
}

} // namespace korvalinde
