// The program's settings file: an INI file named like the program with ".ini". It lives next to the
// program when that folder may be written (a program unpacked into a folder of the user's own),
// otherwise in the user's configuration folder (an installed program). One settings object serves
// the whole program: the recent-files list, the show-at-start-up choice of the product-support
// window and the version server's address.
#pragma once

#include <QString>

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

// Where the settings file of `programmaBestand` lives: in the program's folder when writable,
// otherwise in `gebruikersMap` (created when missing).
QString InstellingenPad(const QString& programmaBestand, const QString& gebruikersMap);
// The same for the running program and the user's configuration folder of the application.
QString InstellingenPad();

// Opens the settings file in INI format. A missing or damaged file reads as empty (every key its
// default); the file is written when something is saved into it. A path that is no regular file (a
// FIFO, a device, or a link to one) or a read-only file is never written: the settings then live
// in memory only (a read-only file's values read first).
std::unique_ptr<QSettings> OpenInstellingen(const QString& pad);

// Writes the settings to their file; empty when that worked, else why not.
QString SchrijfInstellingen(QSettings& instellingen);

} // namespace korvalinde
