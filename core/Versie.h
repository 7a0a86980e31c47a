// The program's name and version text, and VersieTekst, which cuts the version text into name,
// version and date. Widget-free, so that the batch calculator prints the same version as the window.
#pragma once

#include <QString>

namespace korvalinde {

inline constexpr char ProgrammaNaam[] = "Korvalinde";
// Product name, one space, version, " - ", version date with the Dutch month name.
inline constexpr char ProgrammaVersieTekst[] = "Korvalinde 2010.00 - 5 februari 2010";

// Builds a text from the version text. Per character of formaat (upper-cased): "P" the product
// name; "V" the version part (between the name and the first "-"); "D" the date part (after the
// first "-"), preceded by "-" unless "D" is the first character; other characters add nothing.
// The result is trimmed of spaces and control characters at both ends.
// "V" -> "2010.00", "D" -> "5 februari 2010", "VD" -> "2010.00 - 5 februari 2010".
QString VersieTekst(const QString& formaat);

} // namespace korvalinde
