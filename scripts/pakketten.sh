#!/usr/bin/env bash
# Installs what building, running and testing Korvalinde needs on Debian 12 (run as root).
# Only packages that are missing are installed, so a second run is quick.
set -euo pipefail

pakketten=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-qpa-plugins librsvg2-bin
  libxlsxwriter-dev python3-openpyxl
  gnumeric # its ssconvert reads the workbooks of the tests as a spreadsheet program does
  libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  fonts-liberation2 poppler-utils xvfb xauth locales
  qt6-translations-l10n
  dpkg-dev desktop-file-utils appstream shared-mime-info
  g++-mingw-w64-x86-64-posix wine64
  libz-mingw-w64-dev # zlib for libxlsxwriter built for Windows (scripts/qt-windows.sh)
  nsis python3-markdown # the Windows installer and its manual (scripts/windows.sh)
  xdotool openbox imagemagick # the installed Windows program started and looked at under Xvfb
)

ontbreekt=()
for p in "${pakketten[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || ontbreekt+=("$p")
done
if [ ${#ontbreekt[@]} -gt 0 ]; then
  echo "Installeren: ${ontbreekt[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${ontbreekt[@]}"
fi

# A comma locale, so the tests can show that numbers keep their decimal point.
if ! locale -a 2>/dev/null | grep -qi '^nl_NL.utf8$'; then
  sed -i 's/^# *nl_NL.UTF-8 UTF-8/nl_NL.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^nl_NL.UTF-8 UTF-8' /etc/locale.gen || echo 'nl_NL.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
