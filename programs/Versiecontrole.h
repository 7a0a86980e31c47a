// Fetching the version file from the version server, and the settings that point the check at
// another server.
//
// The version file is plain text with four lines: program name, version text, version date and
// the download address. The about-box component (TZnInfoBox::VersieControleren) compares and
// reports; this module does the HTTP request and reads the lines.
#pragma once

#include "components/Programmainfo.h"

#include <QByteArray>
#include <QString>

class QSettings;

namespace korvalinde {

// How long the request may take before it counts as failed.
inline constexpr int VersieTijdlimietMs = 10000;
// The most that is read of an answer, headers and body together; a version file is a few lines.
inline constexpr qint64 VersieMaxAntwoord = qint64{64} * 1024;

// Settings-file key that points the check at another server: host[:port]/path without scheme, or
// a full http:// or https:// address. Section and key as written in the settings file.
inline constexpr char VersieInstellingSectie[] = "Versiecontrole";
inline constexpr char VersieInstellingSleutel[] = "VersieAdres";
// Settings-file key of the choice "Bij het starten op een nieuwe versie controleren" (1 or 0), in the
// same section.
inline constexpr char VersieBijStartenSleutel[] = "BijStarten";

// Reads the four lines of an answer. Each line runs up to the next CR or LF; the CR and LF
// characters after it are all skipped, so empty lines between lines do not count. A NUL
// character ends the text. Lines that are not there stay empty.
TZnVersieInfo LeesVersieInfo(const QByteArray& antwoord);

// GET of basis + pad over http or https (following up to five redirections, never from https to
// http), and LeesVersieInfo of the answer. The time limit covers the whole exchange, connecting and
// headers included, and the size limit counts headers and body together, so no answer can hold the
// program longer or fill its memory. Throws std::runtime_error with a one-line Dutch reason when the
// address is no http(s) address, when there is no connection, when the time limit passes, when the
// server answers with an error status, when the answer is larger than VersieMaxAntwoord or is no
// HTTP answer. Only user input is held back while it waits; other events go on.
TZnVersieInfo HaalVersieInfo(const QString& basis, const QString& pad, int tijdlimietMs = VersieTijdlimietMs);

// Makes HaalVersieInfo the fetch routine of every about-box component in the program.
void InstalleerVersieOphaler();

// Applies the settings file to the component: a non-empty [Versiecontrole] VersieAdres replaces
// VersieAdres. Nothing happens without settings or without the key.
void PasVersieInstellingenToe(TZnInfoBox& box, QSettings* instellingen);

// Whether the program checks for a newer version at start-up: the stored choice; without one, only
// when the settings name a version server. The built-in address is a placeholder that no one can
// reach, and a check that cannot succeed would greet every start with a failure box.
bool VersieControleBijStarten(QSettings* instellingen);
// Stores that choice in the settings file.
void ZetVersieControleBijStarten(QSettings* instellingen, bool aan);

// The menu entry "&Versiecontrole uitvoeren": the check that also reports an up-to-date program.
void VersieControle1Click(TZnInfoBox& box);

} // namespace korvalinde
