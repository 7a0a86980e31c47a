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
// The largest answer read; a version file is a few lines.
inline constexpr qint64 VersieMaxAntwoord = 64 * 1024;

// Settings-file key that points the check at another server: host[:port]/path without scheme, or
// a full http:// or https:// address. Section and key as written in the settings file.
inline constexpr char VersieInstellingSectie[] = "Versiecontrole";
inline constexpr char VersieInstellingSleutel[] = "VersieAdres";

// Reads the four lines of an answer. Each line runs up to the next CR or LF; the CR and LF
// characters after it are all skipped, so empty lines between lines do not count. A NUL
// character ends the text. Lines that are not there stay empty.
TZnVersieInfo LeesVersieInfo(const QByteArray& antwoord);

// GET of basis + pad over http or https, waiting at most tijdlimietMs, and LeesVersieInfo of the
// answer. Throws std::runtime_error with a Dutch message when the address is no http(s) address,
// when there is no connection, when the server answers with an error status, when the answer is
// larger than VersieMaxAntwoord or when the time limit passes. Only user input is held back while
// it waits; other events (painting, timers, sockets) go on.
TZnVersieInfo HaalVersieInfo(const QString& basis, const QString& pad, int tijdlimietMs = VersieTijdlimietMs);

// Makes HaalVersieInfo the fetch routine of every about-box component in the program.
void InstalleerVersieOphaler();

// Applies the settings file to the component: a non-empty [Versiecontrole] VersieAdres replaces
// VersieAdres. Nothing happens without settings or without the key.
void PasVersieInstellingenToe(TZnInfoBox& box, QSettings* instellingen);

// The menu entry "&Versiecontrole uitvoeren": the check that also reports an up-to-date program.
void VersieControle1Click(TZnInfoBox& box);

} // namespace korvalinde
