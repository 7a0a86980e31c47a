#!/bin/sh
# Makes the program's pictures as PNG, at 1x and 2x, from their SVG drawings in programs/assets/ (the
# program reads PNG only, so it needs no SVG library), and the Windows icon. Run after changing a drawing
# (needs librsvg2-bin and imagemagick) and commit the results:
#   sh scripts/plaatjes.sh
set -eu
cd "$(dirname "$0")/../programs/assets"
maak() { # naam breedte hoogte
  rsvg-convert --width "$2" --height "$3" --keep-aspect-ratio --background-color none -o "$1.png" "$1.svg"
  rsvg-convert --width $(($2 * 2)) --height $(($3 * 2)) --keep-aspect-ratio --background-color none \
    -o "$1@2x.png" "$1.svg"
}
maak ImgKorvalinde 260 169
maak ImgMakerLogo 240 64
maak ImgProjectLogo 240 64
maak ImgBedrijf 120 80
maak korvalinde 48 48
# The icon for Windows, of the two PNGs (ImageMagick).
convert korvalinde.png korvalinde@2x.png korvalinde.ico
