// The program's settings file: an INI file named like the program with ".ini". It lives in the
// user's configuration folder, and next to the program only when the program runs from its build
// tree or when a settings file already stands there (a portable copy), and that folder may be
// written. An installed program never writes into its own folder. One settings object serves
// the whole program: the recent-files list, the show-at-start-up choice of the product-support
// window and the version server's address.
#pragma once

#include <QString>

#include <cstddef>
#include <memory>

class QSettings;

namespace korvalinde {

// Sections of the settings file.
inline constexpr char BestandHistorieSectie[] = "BestandHistorie";

// "korvalinde.ini" for the program file ".../korvalinde" (or "korvalinde.exe").
QString InstellingenNaam(const QString& programmaBestand);

// True when a file can be created (or the existing settings file written) in `map`; tried by
// creating a scratch file there, which also catches folders on a read-only disk.
bool MapBeschrijfbaar(const QString& map, const QString& bestandsnaam = QString());

// True for an installed program: one under /usr (so also /usr/local), or one the package
// manager's file list of the package names.
bool Geinstalleerd(const QString& programmaBestand);
// True when `programmaMap` lies in a build tree: a CMakeCache.txt in it or up to three folders above.
bool InBouwmap(const QString& programmaMap);

// Where the settings file of `programmaBestand` lives: in the program's folder when the program is
// not installed, runs from its build tree or has a settings file beside it, and that folder may be
// written; otherwise in `gebruikersMap` (created when missing).
QString InstellingenPad(const QString& programmaBestand, const QString& gebruikersMap);
// The same for the running program and the user's configuration folder of the application.
QString InstellingenPad();

// The largest settings file that is read; a settings file holds a few lines.
inline constexpr std::size_t InstellingenMaxGrootte = std::size_t{1024} * 1024;

// Opens the settings file in INI format. The settings live in memory from then on; only
// SchrijfInstellingen writes them to the file. The file is read once, bounded, and only when it is a
// regular file, so opening never waits (a FIFO). A missing file reads as empty (every key its
// default). A file larger than InstellingenMaxGrootte, or one that cannot be read as a settings file
// (no UTF-8 text, a NUL byte, lines the INI reader refuses), counts as damaged: it reads as empty,
// and saving replaces it whole with a good one and says once that its content was not kept. A path
// that is no regular file (a FIFO, a device, or a link to one) or a read-only file is never written:
// the settings then hold for this session only (a read-only file's values read first).
std::unique_ptr<QSettings> OpenInstellingen(const QString& pad);

// Writes the settings to their file, never more than InstellingenMaxGrootte bytes; empty when that
// worked, else why not. Each reason is given once: a second write that fails for the same reason
// returns empty.
QString SchrijfInstellingen(QSettings& instellingen);

} // namespace korvalinde
