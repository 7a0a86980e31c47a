// The one crossing of a file name from Qt to the file helpers of domain/Bestand.h and to the
// standard library's file system.
#pragma once

#include <QString>

#include <filesystem>
#include <string>

namespace korvalinde {

// The name as the file helpers take it: the file-system bytes of the name on POSIX systems (as
// QFile would use them), UTF-8 on Windows (where the helpers use the wide file functions).
std::string DomeinPad(const QString& pad);

// The name as the standard library's file system takes it: the same bytes on POSIX systems, the
// wide name on Windows.
std::filesystem::path BestandssysteemPad(const QString& pad);

} // namespace korvalinde
