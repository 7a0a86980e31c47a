// The command line of the desktop program: --help and --version, answered before any window
// opens, and the scenario file named on it.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QTextStream;

namespace korvalinde {

// Answers -h/--help (usage) and --version ("Korvalinde 2010.00 - 5 februari 2010") on `uit`.
// Returns the exit code when the program should stop there, std::nullopt when it should start.
// Other options are left to the window system. argumenten includes the program name first.
std::optional<int> BehandelOpdrachtregel(const QStringList& argumenten, QTextStream& uit);
// The same on the raw arguments of main(), writing to standard output; usable before the
// application object exists.
std::optional<int> BehandelOpdrachtregel(int argc, char** argv);

// The first argument after the program name that is no option (an option starts with "-";
// after "--" every argument counts): the scenario file to open. Empty when there is none.
QString EersteScenarioArgument(const QStringList& argumenten);

} // namespace korvalinde
