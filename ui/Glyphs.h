// Glyphs of the tool buttons, drawn with QPainter so that they are the program's own and stay sharp
// at any screen scale: a blank sheet (new), an opened folder (open), a diskette (save), a sheet
// under a magnifying glass (preview), a printer (print), an information mark (product support) and
// a book (manual).
#pragma once

#include <QIcon>
#include <QImage>

namespace korvalinde {

enum class TGlyph { Nieuw, Openen, Opslaan, Afdrukvoorbeeld, Afdrukken, ProduktOndersteuning, Handleiding };

// Side of a glyph in device-independent pixels.
inline constexpr int GlyphMaat = 20;

// The glyph drawn on a transparent square of `pixels` pixels.
QImage TekenGlyph(TGlyph glyph, int pixels);
// The glyph at its normal size and at twice that size (for high-density screens).
QIcon KnopGlyph(TGlyph glyph);

} // namespace korvalinde
