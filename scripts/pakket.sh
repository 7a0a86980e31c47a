#!/usr/bin/env bash
# Checks the menu entry and the software-centre description, builds the Debian package from a
# finished build, installs it on this machine, starts the installed program as root and closes it,
# and removes it again; no file may stay behind in the system's folders.
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
# Qt's base modules only: no chart or SVG library.
! dpkg-deb --field "$deb" Depends | grep -Eq 'libqt6(charts|svg)'

export DEBIAN_FRONTEND=noninteractive
werk="$(mktemp -d)"
trap 'apt-get remove -y -qq korvalinde >/dev/null 2>&1 || true; rm -rf "$werk"' EXIT
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
/usr/bin/korvalinde --version
/usr/bin/korvalinde-bereken --version
# The file type and the menu entry reached the system's databases: a .kvl opens with the program.
grep -q 'application/x-korvalinde-scenario:\*\.kvl' /usr/share/mime/globs2
grep -q 'application/x-korvalinde-scenario=.*korvalinde.desktop' /usr/share/applications/mimeinfo.cache
test -f /usr/share/metainfo/nl.korvalinde.Korvalinde.metainfo.xml
test -f /usr/share/icons/hicolor/scalable/apps/korvalinde.svg

# Started as root and closed as the session would close it, the installed program keeps its settings
# in the user's configuration folder and writes nothing into its own folders.
dpkg -L korvalinde | sort >"$werk/lijst-voor"
touch "$werk/stempel"
sleep 1
XDG_CONFIG_HOME="$werk/config" QT_QPA_PLATFORM=offscreen /usr/bin/korvalinde >"$werk/uitvoer" 2>&1 &
pid=$!
# Ready once it catches the request to end (SIGTERM is bit 15 of the caught signals).
for _ in $(seq 1 300); do
  vang="$(awk '/^SigCgt:/ {print $2}' /proc/$pid/status 2>/dev/null || true)"
  [ -n "$vang" ] && (( (16#$vang >> 14) & 1 )) && break
  sleep 0.1
done
sleep 1
kill -TERM "$pid"
wait "$pid" || { cat "$werk/uitvoer"; echo "pakket: het programma eindigde niet netjes" >&2; exit 1; }
test -f "$werk/config/Korvalinde/korvalinde.ini" ||
  { cat "$werk/uitvoer"; echo "pakket: geen instellingen in de map van de gebruiker" >&2; exit 1; }
nieuw="$(find /usr /etc /opt -xdev -newer "$werk/stempel" \( -iname '*korvalinde*' -o -name '*.ini' \) 2>/dev/null || true)"
[ -z "$nieuw" ] || { echo "pakket: het programma schreef in het systeem: $nieuw" >&2; exit 1; }
dpkg -L korvalinde | sort >"$werk/lijst-na"
diff "$werk/lijst-voor" "$werk/lijst-na"

trap 'rm -rf "$werk"' EXIT
apt-get remove -y -qq korvalinde >/dev/null
test ! -e /usr/bin/korvalinde
# Nothing of the package stays behind in the prefix.
over="$(while read -r pad; do [ -f "$pad" ] && echo "$pad"; done <"$werk/lijst-voor"; \
  find /usr -xdev -iname '*korvalinde*' 2>/dev/null || true)"
[ -z "$over" ] || { echo "pakket: na verwijderen staat er nog: $over" >&2; exit 1; }
echo "pakket: $deb installeert, start als root, sluit en is weer verwijderd zonder resten"
