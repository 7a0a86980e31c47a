// Records shared by the grazing model, the calculation run and the batch calculator: the input
// record of one scenario, the output record with the result texts of the three variants, and the
// sward state of one half-day step.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace korvalinde {

// Number of half-day steps after turn-in; step 0 is turn-in, so there are 61 states.
inline constexpr int AantalStappen = 60;
// The variants: 0 "Basis", 1 "Alternatief 1", 2 "Alternatief 1+2".
inline constexpr int AantalVarianten = 3;

// How the previous cut of the paddock was used.
struct RecVorigeSnede {
    std::string Gebruik;  // "MAAIEN", "WEIDEN" or "SNEDE1"
    bool Gebloot = false; // previous cut grazed bare
    float Dagen = 0;      // grazing days of the previous cut
    float Rest = 0;       // grass left after the previous grazing, kg DM/ha
};

// One alternative: its kind (item index of its choice plus one, 0 = none) and its value.
struct RecAlternatief {
    std::int32_t Soort = 0;
    float Waarde = 0;
};

// Kinds of alternative.
enum SoortAlternatief : std::int32_t {
    AltGeen = 0,
    AltWeidedagen = 1,
    AltOppervlakte = 2,
    AltWeiderest = 3,
    AltAanbod = 4,
    AltSnijmais = 5,
    AltGraskuil = 6,
    AltKrachtvoer = 7,
};

// The input record of one scenario. Arrays keep the 1-based numbering of the farm's tables as
// index + 1: PercPar[0] is parity class 1 (heifers), Voeders[0][0] the concentrate gift.
struct TQXInvoer {
    float AantalKoeien = 0;
    float Melknivo = 0;
    std::array<float, 3> PercPar{};
    std::array<float, 2> PercRas{};
    std::int32_t Tussenkalftijd = 0;
    float Gewicht = 0;
    std::array<float, 5> Aandeel{};
    std::array<float, 5> Melk{};
    std::array<float, 5> Vet{};
    std::array<float, 5> Eiwit{};
    std::int32_t Inschaardag = 0;
    RecVorigeSnede VorigeSnede;
    std::int32_t UrenWeidegang = 0;
    bool Ontwatering = false;
    float PerceelOpp = 0;
    std::string Grondsoort;
    std::string Systeem;
    std::string Zode;
    std::string Engelsraai;
    std::string Jaargift;
    float Grasaanbod = 0;
    float Hergroeiduur = 0;
    std::array<float, 5> KrachtvoerKlasse{};
    // Supplements (rows: Krachtvoer, Snijmais, Graskuil, Perspulp, Bierbostel, Aardappelpersvezel,
    // Overig) x values (Gift, DS, VEM, RE, RC, VOS, VW).
    std::array<std::array<float, 7>, 7> Voeders{};
    // Grazed grass: DS, VEM, RE, RC, FOS, VOS, VW.
    std::array<float, 7> Gras{};
    float Biomassa05 = 0;
    std::int32_t AantalMestflatten = 0;
    std::int32_t AantalUrinelozingen = 0;
    float OppMestflat = 0;
    float OppUrineplek = 0;
    std::array<RecAlternatief, 2> Alternatief{};
};

// Indexes into a row of Voeders and into Gras.
enum VoederWaarde { VwGift = 0, VwDS = 1, VwVEM = 2, VwRE = 3, VwRC = 4, VwVOS = 5, VwVW = 6 };
enum GrasWaarde { GrDS = 0, GrVEM = 1, GrRE = 2, GrRC = 3, GrFOS = 4, GrVOS = 5, GrVW = 6 };
enum Voeder { VdKrachtvoer = 0, VdSnijmais = 1, VdGraskuil = 2 };

// Rows of the summary, in the output record (arsam[column][row]) and in the summary table "Uitvoer"
// alike. The headings of the five groups carry no value; the rows between the groups stay blank.
enum SamRij : int {
    RijGrasaanbod = 1,
    RijWeidedagen = 2,
    RijOppervlakte = 3,
    RijWeiderest = 4,
    RijAanbodInscharen = 5,
    RijAanbodKoe = 6,
    RijGrasopname = 8,
    RijGemOpname = 9,
    RijOpnameDag1 = 10,
    RijOpnameLaatsteDag = 11,
    RijAfnameOpname = 12,
    RijVerliezen = 14,
    RijBenutting = 15,
    RijBijvoeding = 17,
    RijSnijmais = 18,
    RijGraskuil = 19,
    RijKrachtvoer = 20,
    RijVerdrongenGras = 21,
    RijVerdringing = 22,
    RijTotaleOpname = 23,
    RijMelkproductie = 25,
    RijMelkgift = 26,
    RijMelkgiftDag1 = 27,
    RijMelkgiftLaatsteDag = 28,
    RijAfnameMelkgift = 29,
    SamEersteRij = 1, // the rows shown, first and last
    SamLaatsteRij = 29,
};

// Columns of the summary: labels, units, then one per variant ("Basis", "Alternatief 1",
// "Alternatief 1+2"); the variant v stands in column KolBasis + v.
enum SamKolom : int { KolLabel = 0, KolEenheid = 1, KolBasis = 2, KolAlt1 = 3, KolAlt12 = 4 };

// Columns of the detail tables "Detailuitvoer": column 0 holds "Dag 0.0" .. "Dag 30.0", rows
// DetKopRijen.. the half-day steps 0..60, the header rows above them.
enum DetailKolom : int {
    DetBiomassa5 = 1,
    DetBiomassa0 = 2,
    DetAanbod5 = 3,
    DetAanbod0 = 4,
    DetAanbodKoe = 5,
    DetBijgroei = 6,
    DetOpnameRel = 7,
    DetOpname = 8,
    DetMestCum = 9,
    DetUrineCum = 10,
    DetMelk = 11,
    DetLaatsteKolom = 11,
};
inline constexpr int DetKopRijen = 3;

// Sward state of one step, kg DM/ha.
struct RecDagToestand {
    float Biomassa0 = 0;    // standing biomass above ground level
    float Biomassa5 = 0;    // standing biomass above the 5 cm stubble
    float Beschikbaar0 = 0; // grazeable biomass above ground level
    float Beschikbaar5 = 0; // grazeable biomass above stubble
};

// The summary columns as texts: [column][row], columns 2..4 (KolBasis and on), rows 1..30.
using TSamenvatting = std::array<std::array<std::string, 31>, 5>;

// Result texts of one calculation of the three variants. The detail arrays hold [variant][step];
// arsam is addressed like the cells of the summary table: [column][row], columns 2..4, rows 1..30.
struct TQXUitvoer {
    using Detail = std::array<std::array<std::string, AantalStappen + 1>, AantalVarianten>;
    Detail arBiomassa0;
    Detail arBiomassa5;
    Detail arBeschikbaar0;
    Detail arBeschikbaar5;
    Detail arBijgroei;
    Detail arAanbodKoe;
    Detail arOpnameRel;
    Detail arOpname;
    Detail arMestCum;
    Detail arUrineCum;
    Detail arMelk;
    TSamenvatting arsam;

    // Empties every text.
    void Leegmaken() { *this = TQXUitvoer{}; }
};

// The eleven detail arrays by name, in the order of the output record.
struct DetailVeld {
    const char* naam;
    TQXUitvoer::Detail TQXUitvoer::*veld;
};
inline constexpr std::array<DetailVeld, 11> DetailVelden{{
    {"arBiomassa0", &TQXUitvoer::arBiomassa0},
    {"arBiomassa5", &TQXUitvoer::arBiomassa5},
    {"arBeschikbaar0", &TQXUitvoer::arBeschikbaar0},
    {"arBeschikbaar5", &TQXUitvoer::arBeschikbaar5},
    {"arBijgroei", &TQXUitvoer::arBijgroei},
    {"arAanbodKoe", &TQXUitvoer::arAanbodKoe},
    {"arOpnameRel", &TQXUitvoer::arOpnameRel},
    {"arOpname", &TQXUitvoer::arOpname},
    {"arMestCum", &TQXUitvoer::arMestCum},
    {"arUrineCum", &TQXUitvoer::arUrineCum},
    {"arMelk", &TQXUitvoer::arMelk},
}};

} // namespace korvalinde
