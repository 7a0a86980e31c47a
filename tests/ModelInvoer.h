// Input records for the model tests: the default scenario of a new file and random scenarios
// within the ranges of the input pages.
#pragma once

#include "domain/Records.h"

#include <cstdint>

namespace korvalinde::testdata {

// The scenario every new file starts with (turn-in 15 September, 50 cows on 2.3 ha).
inline TQXInvoer StandaardInvoer() {
    TQXInvoer in;
    in.AantalKoeien = 50;
    in.Melknivo = 8000;
    in.PercPar = {25, 20, 55};
    in.PercRas = {26, 74};
    in.Tussenkalftijd = 365;
    in.Gewicht = 650;
    in.Aandeel = {21, 25, 28, 20, 6};
    in.Melk = {33.1f, 31.2f, 27.2f, 25.6f, 22.6f};
    in.Vet = {4.22f, 4.23f, 4.44f, 4.52f, 4.89f};
    in.Eiwit = {3.02f, 3.31f, 3.41f, 3.52f, 3.66f};
    in.Inschaardag = 258;
    in.VorigeSnede = {"MAAIEN", true, 0, 0};
    in.UrenWeidegang = 20;
    in.Ontwatering = true;
    in.PerceelOpp = 2.3f;
    in.Grondsoort = "ZAND";
    in.Systeem = "OMWEID";
    in.Zode = "NORM";
    in.Engelsraai = ">50";
    in.Jaargift = "400";
    in.Grasaanbod = 1300;
    in.Hergroeiduur = 28;
    in.KrachtvoerKlasse = {6.0f, 5.8f, 4.6f, 3.0f, 1.1f};
    in.Voeders = {{{4.20f, 900, 1045, 167, 140, 0, 0.32f},
                   {0, 337, 937, 79, 180, 697, 0.80f},
                   {0, 445, 880, 178, 235, 705, 0.99f},
                   {0, 218, 1062, 98, 199, 803, 0.70f},
                   {0, 221, 943, 245, 179, 598, 0.55f},
                   {0, 162, 1038, 75, 194, 801, 0.55f},
                   {0, 0, 0, 0, 0, 0, 0}}};
    in.Gras = {140, 1002, 256, 226, 605, 723, 0.91f};
    in.Biomassa05 = 1000;
    in.AantalMestflatten = 13;
    in.AantalUrinelozingen = 13;
    in.OppMestflat = 1.0f;
    in.OppUrineplek = 0.68f;
    in.Alternatief = {{{AltSnijmais, 0}, {AltSnijmais, 0}}};
    return in;
}

// A random scenario: every number within the range of its input, values with the few decimals a
// user types, all kinds of alternative. The generator is its own (SplitMix64) and draws with plain
// integer and double arithmetic, so a seed gives the same scenarios with every compiler and library.
class WillekeurigeInvoer {
  public:
    explicit WillekeurigeInvoer(unsigned zaad) : toestand_(zaad) {}

    TQXInvoer Volgende() {
        TQXInvoer in = StandaardInvoer();
        in.AantalKoeien = Geheel(1, 300);
        const float p1 = Geheel(0, 100), p2 = Geheel(0, 100 - static_cast<int>(p1));
        in.PercPar = {p1, p2, 100 - p1 - p2};
        in.PercRas[0] = Geheel(0, 100);
        in.PercRas[1] = Kans(0.9) ? 100 - in.PercRas[0] : Geheel(0, 100);
        in.Tussenkalftijd = static_cast<std::int32_t>(Geheel(300, 500));
        for (auto& a : in.Aandeel) a = Geheel(0, 40);
        in.Inschaardag = static_cast<std::int32_t>(Geheel(1, 365));
        in.VorigeSnede.Dagen = Kans(0.5) ? 0 : Geheel(0, 20);
        in.VorigeSnede.Rest = Kans(0.6) ? 0 : Geheel(0, 1500);
        in.UrenWeidegang = static_cast<std::int32_t>(Geheel(1, 20));
        in.PerceelOpp = Decimaal(0.1, 50, 1);
        in.Systeem = Kans(0.5) ? "OMWEID" : (Kans(0.9) ? "STAND" : "Rotatie");
        in.Jaargift = Kans(0.33) ? "200" : (Kans(0.5) ? "300" : "400");
        in.Grasaanbod = Geheel(1, 40) * 100.0f;
        in.Hergroeiduur = Geheel(10, 100);
        for (auto& k : in.KrachtvoerKlasse) k = Kans(0.05) ? 0 : Decimaal(0, 12, 1);
        for (std::size_t f = 0; f < 7; ++f) {
            in.Voeders[f][VwGift] = Kans(0.5) ? 0 : Decimaal(0, 8, 2);
            in.Voeders[f][VwVEM] = Geheel(500, 1500);
            in.Voeders[f][VwVW] = Decimaal(0, 2, 2);
        }
        in.Gras[GrVEM] = Geheel(600, 1100);
        in.Gras[GrVW] = Decimaal(0.7, 1.3, 2);
        in.Biomassa05 = Geheel(0, 40) * 100.0f;
        in.AantalMestflatten = static_cast<std::int32_t>(Geheel(0, 30));
        in.AantalUrinelozingen = static_cast<std::int32_t>(Geheel(0, 30));
        in.OppMestflat = Decimaal(0, 2, 2);
        in.OppUrineplek = Decimaal(0, 2, 2);
        for (auto& alt : in.Alternatief) {
            alt.Soort = static_cast<std::int32_t>(Geheel(0, 7));
            switch (alt.Soort) {
            case AltWeidedagen:
                alt.Waarde = Geheel(0, 40) * 0.5f;
                break;
            case AltOppervlakte:
                alt.Waarde = Kans(0.05) ? 0 : Decimaal(0.1, 20, 1);
                break;
            case AltWeiderest:
                alt.Waarde = Geheel(0, 300) * 10.0f;
                break;
            case AltAanbod:
                alt.Waarde = Geheel(0, 30) * 100.0f;
                break;
            default:
                alt.Waarde = Geheel(0, 40) * 0.5f;
                break;
            }
        }
        return in;
    }

  private:
    std::uint64_t Volgend() {
        std::uint64_t z = (toestand_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // A whole number van..tot, both included.
    std::int64_t Tussen(std::int64_t van, std::int64_t tot) {
        return van + static_cast<std::int64_t>(Volgend() % static_cast<std::uint64_t>(tot - van + 1));
    }
    float Geheel(int van, int tot) { return static_cast<float>(Tussen(van, tot)); }
    float Decimaal(double van, double tot, int decimalen) {
        double schaal = 1;
        for (int i = 0; i < decimalen; ++i) schaal *= 10;
        const std::int64_t n = Tussen(static_cast<std::int64_t>(van * schaal + 0.5),
                                      static_cast<std::int64_t>(tot * schaal + 0.5));
        return static_cast<float>(static_cast<double>(n) / schaal);
    }
    bool Kans(double p) { return static_cast<double>(Volgend() >> 11) * 0x1.0p-53 < p; }

    std::uint64_t toestand_;
};

} // namespace korvalinde::testdata
