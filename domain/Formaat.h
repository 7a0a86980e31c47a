// Number texts of the program: patterns such as "0", "0.0", "0.00" and "0.#", always with a point as
// decimal separator, rounded half away from zero (2.25 with "0.0" gives "2.3"), never "-0".
#pragma once

#include <string>
#include <string_view>

namespace korvalinde {

// Formats waarde with a pattern of the form "0", "0." followed by '0' (fixed) and/or '#' (optional)
// decimals. A value that is not finite gives an empty text.
std::string FormatFloat(std::string_view patroon, long double waarde);

// The text of the pattern "0" (decimalen 0), "0.0" (1), "0.00" (2) and so on, written into `uit`
// without a new string where its room suffices: the model writes its many result texts this way.
// Gives exactly the text of FormatFloat with that pattern.
void FormatVast(int decimalen, long double waarde, std::string& uit);

// FormatVast for a single-precision value (most of the model's results are stored as float): the
// same text, computed in double precision where that is exact.
void FormatVastFloat(int decimalen, float waarde, std::string& uit);

// The same text, always computed from the decimal digits of the value (the slower route that
// FormatFloat takes near a rounding tie). Exposed so that both routes can be checked against each other.
std::string FormatFloatViaCijfers(std::string_view patroon, long double waarde);

} // namespace korvalinde
