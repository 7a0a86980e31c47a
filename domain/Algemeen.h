// General helpers shared by the whole program: safe division, rounding, day and date texts,
// the day-to-month mapping of the grass tables, the FPCM factor, straight-line interpolation,
// removing spaces from choice texts and the yes/no conversion.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvalinde {

// Division that yields 0 when the divisor is exactly 0 (a tiny non-zero divisor divides normally).
long double VeiligDelen(long double teller, long double noemer);

// Rounds to the nearest whole number, a half to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t Round(long double x);

// Text "dd mm" (day, one space, month, each with two digits) of a day-count date
// (whole days since 30 December 1899). The year is dropped.
std::string DatumTekst(double datum);

// Text "dd mm" of day-of-year n, read in a year without 29 February (1 -> "01 01", 365 -> "31 12").
std::string DagTekst(std::int32_t dag);

// Month 1..12 of a day-of-year in a non-leap year; 0 for days outside 1..365.
std::int32_t DagNaarMaand(std::int32_t dag);

// Factor that turns kg milk into kg fat- and protein-corrected milk.
float FpcmFactor(float vet, float eiwit);

// Value at x of the straight line through (x1, y1) and (x2, y2); no clamping.
float Interpoleer(float x1, float x2, float x, float y1, float y2);

// Copy of the text with every space (code 32) removed; tabs and other characters stay.
std::string ZonderSpaties(std::string_view tekst);

// Upper-case / lower-case of plain ASCII letters; other bytes (UTF-8 included) stay as they are.
std::string NaarHoofdletters(std::string_view tekst);
std::string NaarKleineLetters(std::string_view tekst);

// "JA" -> true; "NEE" and "NVT" -> false; anything else -> false, and `melding` (when given) gets the
// line for the user ("Onbekende ajn in JNTOBOOL ..."); it stays as it was for a known code. No state is
// kept, so several threads may convert at once.
bool JNTOBOOL(std::string_view code, std::string* melding = nullptr);

// Reads a number written with a point as decimal separator (optional sign and exponent,
// surrounding spaces allowed), whatever the user's locale. False when the text is no number.
bool LeesGetal(std::string_view tekst, long double& waarde);

} // namespace korvalinde
