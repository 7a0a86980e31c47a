// Response curves of the dairy cow (intake capacity, milk and its composition, energy requirement,
// milk at a given energy intake) and the fill-value formulas of the feeds. All pure functions;
// results are single precision, intermediate arithmetic is done in extended precision.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace korvalinde {

using Word = std::uint16_t;

// Arithmetic that cannot give a meaningful number (division by a zero fill value, a negative
// energy intake). It ends the calculation like any other model error.
class RekenFout : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Building blocks; t = Leeftijd(pariteit, dag) is the age index.
float Leeftijd(Word pariteit, Word dag);
float LeeftijdsCurve(Word pariteit, Word dag, float c, float a, float b, float k);
float LactatieVorm(Word dag, float a, float k, float n);
float AfnameCurve(Word pariteit, Word dag, float a, float b, float k);

// Cow curves; g is the number of days pregnant.
float OpnameCapaciteit(Word pariteit, Word dag, Word g, float rasfactor);
float MelkKg(Word pariteit, Word dag, Word g);
float VetPct(Word pariteit, Word dag, Word g = 0);
float EiwitPct(Word pariteit, Word dag, Word g);
float FpcmKg(Word pariteit, Word dag, Word g);
float VemBasis(Word pariteit, Word dag);
float VemBasisCorrectie(Word pariteit, Word dag);
float VemPerKgFpcm();
float VemMelk(Word pariteit, Word dag, Word g);
float VemBehoefte(Word pariteit, Word dag, Word g);
// VemBehoefte from the cow's potential FPCM, for callers that already have it.
float VemBehoefteMet(Word pariteit, Word dag, float fpcmKg);
float MelkRespons(float r);
// Makes MelkRespons use its extended-precision evaluation for every value (the way it was computed
// before the fast path), so a benchmark can measure both. Gives the same results either way; the
// program never switches it on.
void MelkResponsAltijdUitgebreid(bool aan);
float FpcmBijVem(Word pariteit, Word dag, Word g, float vem);
// FpcmBijVem from a cow's energy requirement and potential FPCM, for callers that keep those two
// per cow class.
float FpcmBijVemMet(float vemBehoefte, float fpcmKg, float vem);

// Fill values (VW per kg dry matter) of the feeds.
float VwGras(float rc, float vos, float factor);
float VwGraskuil(float ds, float re, float rc, float factor);
float VwSnijmais(float ds, float vos, float factor);
float VwKrachtvoer(float rc);

} // namespace korvalinde
