#!/usr/bin/env bash
# The installer under Wine, as a user on Windows meets it:
#   installatie.sh SETUP.exe SCENARIO.kvl MAP
# In a fresh Wine prefix (MAP/wine-installatie): installs silently for the current user, checks the
# files, the Start-menu entry and the .kvl file type, opens SCENARIO.kvl through that file type in the
# installed program under Xvfb (a screenshot of its main window on "Uitvoer" in
# MAP/installatie-venster.png), closes the program, uninstalls silently and checks that nothing the
# installer or the program put there is left: the same files and registry keys as before.
set -euo pipefail
setup="$1"
scenario="$2"
map="$3"
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEPREFIX="$map/wine-installatie"
# Wine would mirror the Start-menu entries into this machine's own menus; the test keeps to the prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset WINEPATH
rm -rf "$WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1 || true
# Windows has Arial; Wine draws it with the metric-compatible Liberation Sans of the host.
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null 2>&1
/usr/lib/wine/wineserver -w

gebruiker="$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)"
lokaal="$WINEPREFIX/drive_c/users/$gebruiker/AppData/Local"
doel="$lokaal/Programs/Korvalinde"
menu="$WINEPREFIX/drive_c/users/$gebruiker/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
fout() { echo "Windows-installatie: $*" >&2; exit 1; }

# What the prefix holds, without Wine's own folder and the temporary folders: the uninstaller runs
# from a copy of itself there, which Windows removes at the next restart.
inhoud() {
  (cd "$WINEPREFIX/drive_c" && find . -path "./users/$gebruiker/Temp" -prune -o \
    -path "./users/$gebruiker/AppData/Local/Temp" -prune -o -print | grep -v '^./windows/' | LC_ALL=C sort)
}
# What the registry holds of Korvalinde: keys and values that name it or its file type. (Parent keys
# such as Software\Classes, which every Windows has and a fresh prefix lacks, may stay.)
sleutels() {
  grep -ih 'korvalinde\|\.kvl' "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg" | LC_ALL=C sort || true
}
inhoud >"$map/voor-bestanden"
sleutels >"$map/voor-sleutels"

"$wine" "$setup" /S
/usr/lib/wine/wineserver -w
[ -f "$doel/korvalinde.exe" ] || fout "korvalinde.exe staat niet in $doel"
[ -f "$doel/korvalinde-bereken.exe" ] || fout "korvalinde-bereken.exe ontbreekt"
[ -f "$doel/plugins/platforms/qwindows.dll" ] || fout "het vensterplatform van Qt ontbreekt"
[ -f "$doel/translations/qtbase_nl.qm" ] || fout "de Nederlandse teksten van Qt ontbreken"
[ -f "$doel/handleiding/handleiding.html" ] || fout "de handleiding ontbreekt"
[ -f "$menu/Korvalinde.lnk" ] || fout "het menu Start heeft geen Korvalinde"
"$wine" reg query 'HKCU\Software\Classes\.kvl' /ve 2>/dev/null | grep -q Korvalinde.Scenario ||
  fout "het bestandstype .kvl is niet geregistreerd"
"$wine" reg query 'HKCU\Software\Classes\Korvalinde.Scenario\shell\open\command' /ve 2>/dev/null |
  grep -qi 'korvalinde.exe' || fout "een .kvl opent niet in Korvalinde"
# The batch tool runs from the installation with its own DLLs.
"$wine" "$doel/korvalinde-bereken.exe" --version | tr -d '\r' | grep -qx 'korvalinde-bereken [0-9.]*' ||
  fout "korvalinde-bereken start niet uit de installatie"

# The window program, as a double click on a scenario starts it: the file type's open command with
# the scenario for "%1". (Wine does not merge the user's classes into HKEY_CLASSES_ROOT as Windows
# does, so its "start" does not find a per-user file type; the command is taken from the registry.)
cp "$scenario" "$WINEPREFIX/drive_c/users/$gebruiker/scenario.kvl"
opdracht="$("$wine" reg query 'HKCU\Software\Classes\Korvalinde.Scenario\shell\open\command' /ve |
  tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p')"
programma="$(printf '%s' "$opdracht" | sed -n 's/^"\([^"]*\)" "%1"$/\1/p')"
[ -n "$programma" ] || fout "onverwacht opencommando: $opdracht"
scherm=:97
Xvfb "$scherm" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY="$scherm"
sleep 1
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & }
"$wine" "$programma" "C:\\users\\$gebruiker\\scenario.kvl" >"$map/installatie-programma.log" 2>&1 &
zoek() { # window title (a pattern), seconds
  local w=""
  for _ in $(seq 1 "$2"); do
    w="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)"
    [ -n "$w" ] && break
    sleep 1
  done
  echo "$w"
}
# First the start window ("Korvalinde"); its OK shows the main window with the scenario.
start="$(zoek '^Korvalinde$' 60)"
[ -n "$start" ] || fout "het startvenster verscheen niet binnen 60 s"
sleep 2
xdotool windowactivate --sync "$start" key --clearmodifiers Return 2>/dev/null || true
venster="$(zoek '^Korvalinde - scenario.kvl' 30)"
[ -n "$venster" ] || fout "het hoofdvenster met het scenario verscheen niet binnen 30 s"
# The product-support window comes up over it at the first start; its OK closes it.
steun="$(zoek '^Produktondersteuning$' 10)"
[ -n "$steun" ] && xdotool windowactivate --sync "$steun" key --clearmodifiers Return 2>/dev/null
sleep 3
if command -v import >/dev/null; then
  import -window root "$map/installatie-venster.png"
  echo "Windows-installatie: schermafdruk $map/installatie-venster.png ($(xdotool getwindowname "$venster"))"
fi
# Closing the window stores the settings; the question whether to save the scenario (opened, so not
# saved yet) is answered "Nee".
xdotool windowactivate --sync "$venster" key --clearmodifiers alt+F4 2>/dev/null || true
sleep 3
xdotool key --clearmodifiers n 2>/dev/null || true
for _ in $(seq 1 20); do
  pgrep -f 'Korvalinde.korvalinde\.exe' >/dev/null || break
  sleep 1
done
pgrep -f 'Korvalinde.korvalinde\.exe' >/dev/null && fout "het programma sloot niet"
/usr/lib/wine/wineserver -w
[ -f "$lokaal/Korvalinde/korvalinde.ini" ] || fout "geen instellingen in $lokaal/Korvalinde"
rm -f "$WINEPREFIX/drive_c/users/$gebruiker/scenario.kvl"

"$wine" "$doel/verwijderen.exe" /S
/usr/lib/wine/wineserver -w
[ -e "$doel" ] && fout "$doel bestaat nog: $(find "$doel" | head -5)"
inhoud >"$map/na-bestanden"
sleutels >"$map/na-sleutels"
diff "$map/voor-bestanden" "$map/na-bestanden" >&2 || fout "na het verwijderen blijven bestanden achter (zie boven)"
if ! diff "$map/voor-sleutels" "$map/na-sleutels" >&2; then
  fout "na het verwijderen blijven registersleutels achter (zie boven)"
fi

# For every user (/AllUsers, as the prefix's administrator): Program Files, the machine's file type and
# uninstall entry, and again nothing left after its uninstaller.
"$wine" "$setup" /S /AllUsers
/usr/lib/wine/wineserver -w
alle="$WINEPREFIX/drive_c/Program Files/Korvalinde"
[ -f "$alle/korvalinde.exe" ] || fout "/AllUsers: korvalinde.exe staat niet in $alle"
[ -e "$doel" ] && fout "/AllUsers: ook in $doel geïnstalleerd"
"$wine" reg query 'HKLM\Software\Classes\.kvl' /ve 2>/dev/null | grep -q Korvalinde.Scenario ||
  fout "/AllUsers: het bestandstype .kvl is niet voor iedereen geregistreerd"
"$wine" "C:\\Program Files\\Korvalinde\\verwijderen.exe" /S /AllUsers
/usr/lib/wine/wineserver -w
[ -e "$alle" ] && fout "/AllUsers: $alle bestaat nog"
inhoud >"$map/na-bestanden"
sleutels >"$map/na-sleutels"
diff "$map/voor-bestanden" "$map/na-bestanden" >&2 || fout "/AllUsers: na het verwijderen blijven bestanden achter"
diff "$map/voor-sleutels" "$map/na-sleutels" >&2 || fout "/AllUsers: na het verwijderen blijven registersleutels achter"
echo "Windows-installatie: geïnstalleerd, gestart met een scenario, verwijderd zonder resten, ook voor alle gebruikers"
