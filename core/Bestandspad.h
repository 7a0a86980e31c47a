// The one crossing of a file name from Qt to the file helpers of domain/Bestand.h.
#pragma once

#include <QString>

#include <string>

namespace korvalinde {

// The name as the file helpers take it: the file-system bytes of the name on POSIX systems (as
// QFile would use them), UTF-8 on Windows (where the helpers use the wide file functions).
std::string DomeinPad(const QString& pad);

} // namespace korvalinde
