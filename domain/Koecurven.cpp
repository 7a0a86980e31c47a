#include "domain/Koecurven.h"

#include "domain/Algemeen.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace korvalinde {

using Ext = long double;

float Leeftijd(Word pariteit, Word dag) {
    return static_cast<float>(static_cast<Ext>(static_cast<int>(pariteit) - 1) + dag / 365.0L);
}

float LeeftijdsCurve(Word pariteit, Word dag, float c, float a, float b, float k) {
    const Ext t = Leeftijd(pariteit, dag);
    return static_cast<float>(c + (1.0L - std::exp(-k * t)) * (a - static_cast<Ext>(b) * dag));
}

float LactatieVorm(Word dag, float a, float k, float n) {
    return static_cast<float>(std::exp(a * (1.0L - std::exp(-static_cast<Ext>(k) * dag)) / n));
}

float AfnameCurve(Word pariteit, Word dag, float a, float b, float k) {
    const Ext t = Leeftijd(pariteit, dag);
    return static_cast<float>(std::exp(-static_cast<Ext>(k) * dag) * (a + b * t));
}

float OpnameCapaciteit(Word pariteit, Word dag, Word g, float rasfactor) {
    const Ext vorm = LactatieVorm(dag, 0.3156f, 0.05889f, 1.0f);
    const Ext leeftijd = LeeftijdsCurve(pariteit, dag, 8.743f, 3.563f, 0.0f, 1.14f);
    return static_cast<float>(vorm * leeftijd * (1.0L - 0.05529L * g / 220.0L) * rasfactor);
}

float MelkKg(Word pariteit, Word dag, Word g) {
    const Ext leeftijd = LeeftijdsCurve(pariteit, dag, 17.153f, 10.459f, 0.0254f, 1.8099f);
    const Ext vorm = LactatieVorm(dag, 0.635f, 0.05245f, static_cast<float>(1.0L + 0.01044L * dag));
    const Ext drachtig = g == 0 ? 0.0L : std::pow(g / 220.0L, 2.493L);
    return static_cast<float>(leeftijd * vorm * (1.0L - 0.1869L * drachtig));
}

float VetPct(Word pariteit, Word dag, Word /*g*/) {
    const Ext t = Leeftijd(pariteit, dag);
    const float a = static_cast<float>(-0.2917L * (1.0L - std::exp(-1.711L * t)));
    const float n = static_cast<float>(1.0L + std::exp(4.824L * (std::log(static_cast<Ext>(dag)) - 5.6342L)));
    const Ext vorm = LactatieVorm(dag, a, 0.0556f, n);
    return static_cast<float>(vorm * LeeftijdsCurve(pariteit, dag, 4.4966f, 1.3466f, 0.0f, 0.9635f));
}

float EiwitPct(Word pariteit, Word dag, Word g) {
    const Ext t = Leeftijd(pariteit, dag);
    const float a = static_cast<float>(-(0.2945L + 0.2517L * (1.0L - std::exp(-0.763L * t))));
    const float n =
        static_cast<float>(1.0L + std::exp(1.6561L * (std::log(static_cast<Ext>(dag)) - 5.7994L)));
    const Ext vorm = LactatieVorm(dag, a, 0.11357f, n);
    const Ext leeftijd = LeeftijdsCurve(pariteit, dag, 4.3421f, 0.9691f, 0.0f, 0.763f);
    return static_cast<float>(vorm * leeftijd * (1.0L + 0.01657L * g / 220.0L));
}

float FpcmKg(Word pariteit, Word dag, Word g) {
    const Ext melk = MelkKg(pariteit, dag, g);
    return static_cast<float>(melk * FpcmFactor(VetPct(pariteit, dag, g), EiwitPct(pariteit, dag, g)));
}

float VemBasis(Word pariteit, Word dag) {
    return LeeftijdsCurve(pariteit, dag, 7361.5f, 1896.0f, 0.0f, 0.2703f);
}

float VemBasisCorrectie(Word pariteit, Word dag) {
    return static_cast<float>(static_cast<Ext>(VemBasis(pariteit, dag)) *
                              AfnameCurve(pariteit, dag, 0.7444f, 0.06025f, 0.015564f));
}

float VemPerKgFpcm() {
    return 442.0f;
}

float VemMelk(Word pariteit, Word dag, Word g) {
    return static_cast<float>(static_cast<Ext>(FpcmKg(pariteit, dag, g)) * VemPerKgFpcm());
}

float VemBehoefteMet(Word pariteit, Word dag, float fpcmKg) {
    const Ext basis = VemBasis(pariteit, dag);
    const float melk = static_cast<float>(static_cast<Ext>(fpcmKg) * VemPerKgFpcm());
    return static_cast<float>((basis - VemBasisCorrectie(pariteit, dag)) + melk);
}

float VemBehoefte(Word pariteit, Word dag, Word g) {
    return VemBehoefteMet(pariteit, dag, FpcmKg(pariteit, dag, g));
}

namespace {

std::atomic<bool> melkResponsAltijdUitgebreid{false};

// The milk response in extended precision: r^0.5719 times e^-0.04743, stored as float. This is the
// defining evaluation; the fast path below must give the same float.
float MelkResponsUitgebreid(float r) {
    static const Ext schaal = std::exp(-0.04743L);
    const Ext macht = r == 0.0f ? 0.0L : std::pow(static_cast<Ext>(r), 0.5719L);
    return static_cast<float>(macht * schaal);
}

// The same value from the double-precision pow, which is many times faster than the extended one.
// Only the float that is stored counts, so the double result is good enough unless it lies close
// to the boundary between two floats. Relative error of the double value against the exact
// product of r^0.5719 (exponent in extended precision) and the extended scale factor: pow within
// 1 ulp (2^-52), the exponent 0.5719 in double instead of extended precision at most
// |ln r| * 2^-54 <= 104 * 2^-54 < 2^-47 for any float r, the scale factor rounded to double and
// the product 2^-53 each; the extended value it must match is within a few of its own ulps
// (2^-63) of that exact product. All together below 2^-46. With a margin of 2^-40 around the double
// value: when both ends round to the same float, every value in between does too, the extended
// value included, and that float is returned. Otherwise (about one r in 45,000, and NaN) the
// extended evaluation decides.
float MelkResponsSnel(float r) {
    static const double schaal = static_cast<double>(std::exp(-0.04743L));
    constexpr double marge = 0x1p-40;
    const double a = std::pow(static_cast<double>(r), 0.5719) * schaal;
    const float laag = static_cast<float>(a * (1.0 - marge));
    const float hoog = static_cast<float>(a * (1.0 + marge));
    if (laag == hoog) return laag;
    return MelkResponsUitgebreid(r);
}

} // namespace

void MelkResponsAltijdUitgebreid(bool aan) {
    melkResponsAltijdUitgebreid.store(aan, std::memory_order_relaxed);
}

float MelkRespons(float r) {
    if (r < 0.0f) throw RekenFout("Rekenfout: negatieve energieopname in de melkrespons");
    if (r == 0.0f || melkResponsAltijdUitgebreid.load(std::memory_order_relaxed))
        return MelkResponsUitgebreid(r);
    return MelkResponsSnel(r);
}

float FpcmBijVemMet(float vemBehoefte, float fpcmKg, float vem) {
    const float r = static_cast<float>(static_cast<Ext>(vem) / vemBehoefte);
    return static_cast<float>(static_cast<Ext>(MelkRespons(r)) * fpcmKg);
}

float FpcmBijVem(Word pariteit, Word dag, Word g, float vem) {
    return FpcmBijVemMet(VemBehoefte(pariteit, dag, g), FpcmKg(pariteit, dag, g), vem);
}

namespace {
Ext Begrens(Ext x, Ext laag, Ext hoog) {
    return std::min(hoog, std::max(laag, x));
}
} // namespace

float VwGras(float rc, float vos, float factor) {
    const Ext drc = static_cast<Ext>(rc) - 230.0L;
    const Ext x = 0.01419L * (drc * drc) / 1000.0L - 0.206L * drc / 1000.0L - 0.08334L -
                  0.7443L * (static_cast<Ext>(vos) - 705.0L) / 1000.0L;
    return static_cast<float>(Begrens(std::exp(x), 0.8845L, 1.0991L) * factor);
}

float VwGraskuil(float ds, float re, float rc, float factor) {
    const Ext d = static_cast<Ext>(ds) / 10.0L - 45.0L;
    const Ext x = 0.0991L * (d * d) / 1000.0L - 1.613L * d / 1000.0L -
                  0.3321L * (static_cast<Ext>(re) - 170.0L) / 1000.0L +
                  1.551L * (static_cast<Ext>(rc) - 240.0L) / 1000.0L;
    return static_cast<float>(Begrens(std::exp(x), 0.9091L, 1.1612L) * factor);
}

float VwSnijmais(float ds, float vos, float factor) {
    const Ext d = static_cast<Ext>(ds) / 10.0L - 33.0L;
    const Ext x = 2.962L * (d * d) / 1000.0L - 2.737L * d / 1000.0L - 0.21658L -
                  0.559L * (static_cast<Ext>(vos) - 695.0L) / 1000.0L;
    return static_cast<float>(Begrens(std::exp(x), 0.7862L, 1.0426L) * factor);
}

float VwKrachtvoer(float rc) {
    return static_cast<float>(std::exp(1.335L * (static_cast<Ext>(rc) - 140.0L) / 1000.0L - 1.1483L));
}

} // namespace korvalinde
