#!/usr/bin/env bash
# Checks the menu entry and the software-centre description, builds the Debian package from a
# finished build, installs it on this machine, starts the installed program and removes it again.
# Usage: bash scripts/pakket.sh [build folder]   (run as root; default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

desktop-file-validate programs/assets/korvalinde.desktop
appstreamcli validate --no-net programs/assets/nl.korvalinde.Korvalinde.metainfo.xml

rm -f "$build"/korvalinde_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(realpath "$build"/korvalinde_*.deb)"
dpkg-deb --field "$deb" Package Version Depends
# The libraries come from the programs (dpkg-shlibdeps), the workbook library among them.
dpkg-deb --field "$deb" Depends | grep -q libxlsxwriter

export DEBIAN_FRONTEND=noninteractive
trap 'apt-get remove -y -qq korvalinde >/dev/null 2>&1 || true' EXIT
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
/usr/bin/korvalinde --version
/usr/bin/korvalinde-bereken --version
# The file type and the menu entry reached the system's databases: a .kvl opens with the program.
grep -q 'application/x-korvalinde-scenario:\*\.kvl' /usr/share/mime/globs2
grep -q 'application/x-korvalinde-scenario=.*korvalinde.desktop' /usr/share/applications/mimeinfo.cache
test -f /usr/share/metainfo/nl.korvalinde.Korvalinde.metainfo.xml
test -f /usr/share/icons/hicolor/scalable/apps/korvalinde.svg
trap - EXIT
apt-get remove -y -qq korvalinde >/dev/null
test ! -e /usr/bin/korvalinde
echo "pakket: $deb installeert, start en is weer verwijderd"
