#!/usr/bin/env bash
# Korvalinde for Windows: both programs and every test program built with MinGW-w64 against Qt for
# Windows (scripts/qt-windows.sh, kept in a cache outside the tree), the tests run under Wine, the
# batch tool's output compared with the Linux build's byte for byte, the installer made with NSIS
# and installed, started and removed in a fresh Wine prefix.
#
#   scripts/windows.sh            all of it (scripts/test.sh runs it); needs the Linux build in build/
#   scripts/windows.sh installer  only the build and the installer, build-win/Korvalinde-VERSIE-setup.exe
#
# Needs the packages of scripts/pakketten.sh (MinGW-w64, wine64, nsis, xvfb, xdotool, imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
boom="$PWD"
jobs="$(nproc)"
wine=/usr/lib/wine/wine64
uit="${KORVALINDE_BUILD_WIN:-$boom/build-win}"
export WINEDEBUG=-all WINEPREFIX="$uit/wine"

# 1. Qt and libxlsxwriter for Windows: built once, then found in the cache.
qt="$(bash scripts/qt-windows.sh | tail -1)"
# The folder of Qt's DLLs (and MinGW's runtime beside them) as Wine names it.
dllmap="Z:${qt//\//\\}\\bin"
export WINEPATH="$dllmap"

# 2. Both programs and the test programs, with the same CMake files as on Linux; -O2 as on Linux
#    (at -O3 GCC 12 warns falsely of overlapping copies inside std::string).
cmake -S . -B "$uit" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DKORVALINDE_WERROR=ON -DKORVALINDE_BENCHMARKS=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake -DCMAKE_PREFIX_PATH="$qt" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
  -DKORVALINDE_WINDOWS_DLL_MAP="$dllmap" >/dev/null
if [ "${1:-}" = installer ]; then
  cmake --build "$uit" -j"$jobs" --target korvalinde korvalinde-bereken
else
  cmake --build "$uit" -j"$jobs"
fi
versie="$(sed -n 's/^KORVALINDE_VERSIE:INTERNAL=//p' "$uit/CMakeCache.txt")"
[ -n "$versie" ] || versie="$(grep -o 'Korvalinde [0-9]*\.[0-9]*' core/Versie.h | cut -d' ' -f2)"

# Wine's first start makes its settings folder; no window system is needed.
"$wine" wineboot --init >/dev/null 2>&1 || true

# 3. The installer: the install folder with Qt's DLLs and plugins, Qt's Dutch texts and the manual,
#    then makensis with the list of its files.
installatie="$uit/installatie"
rm -rf "$installatie"
cmake --install "$uit" --prefix "$installatie" >/dev/null
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport Qt6Network libxlsxwriter libstdc++-6 libgcc_s_seh-1 \
  libwinpthread-1; do
  cp "$qt/bin/$dll.dll" "$installatie/"
done
mkdir -p "$installatie/plugins"
for map in platforms styles tls networkinformation imageformats; do
  [ -d "$qt/plugins/$map" ] && cp -r "$qt/plugins/$map" "$installatie/plugins/"
done
mkdir -p "$installatie/translations"
cp "$qt"/translations/*_nl.qm "$installatie/translations/"
cp programs/windows/qt.conf programs/assets/korvalinde.ico "$installatie/"
mkdir -p "$installatie/handleiding/docs"
/usr/bin/python3 scripts/handleiding.py README.md "$installatie/handleiding/handleiding.html"
cp docs/*.png "$installatie/handleiding/docs/"
find "$installatie" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded
lijst="$uit/nsis"
mkdir -p "$lijst"
(
  cd "$installatie"
  find . -type f | sed 's#^\./##' | LC_ALL=C sort >"$lijst/bestanden"
  : >"$lijst/installeren.nsh"
  : >"$lijst/verwijderen.nsh"
  while read -r bestand; do
    map="$(dirname "$bestand")"
    win="${bestand//\//\\}"
    if [ "$map" = . ]; then echo "SetOutPath \"\$INSTDIR\""; else echo "SetOutPath \"\$INSTDIR\\${map//\//\\}\""; fi >>"$lijst/installeren.nsh"
    echo "File \"$installatie/$bestand\"" >>"$lijst/installeren.nsh"
    echo "Delete \"\$INSTDIR\\$win\"" >>"$lijst/verwijderen.nsh"
  done <"$lijst/bestanden"
  echo 'SetOutPath "$INSTDIR"' >>"$lijst/installeren.nsh"
  # Folders deepest first, each only when empty.
  find . -mindepth 1 -type d | sed 's#^\./##' | awk -F/ '{print NF "\t" $0}' | sort -rn | cut -f2 |
    while read -r map; do echo "RMDir \"\$INSTDIR\\${map//\//\\}\""; done >>"$lijst/verwijderen.nsh"
)
setup="$uit/Korvalinde-$versie-setup.exe"
makensis -V2 -DVERSIE="$versie" -DBRON="$installatie" -DLIJST="$lijst" -DUIT="$setup" programs/windows/korvalinde.nsi
echo "Windows: installatieprogramma $setup ($(du -k "$setup" | cut -f1) KiB)"
[ "${1:-}" = installer ] && exit 0

# 4. The model's texts and the safe write, as before: equal to Linux and to the stored digests.
build/tests/modeltekst/modelteksten --uit "$uit/modelteksten-linux.txt"
(cd "$uit" && "$wine" ./modelteksten.exe --uit modelteksten-windows.txt)
if ! cmp "$uit/modelteksten-linux.txt" "$uit/modelteksten-windows.txt"; then
  diff "$uit/modelteksten-linux.txt" "$uit/modelteksten-windows.txt" | head -20
  echo "Windows: de modelteksten wijken af van Linux" >&2
  exit 1
fi
(cd "$uit" && "$wine" ./modelteksten.exe --controleer "$boom/tests/golden/modelteksten.txt")
(cd "$uit" && "$wine" ./modelteksten.exe --bestanden bestand_veilig)

# 5. The batch tool: the same bytes as on Linux (results on standard output with LF line ends, as on
#    Linux) for the golden scenarios, the default file and 500 seeded random records.
bash tests/windows/vergelijk.sh "$boom/build/programs/korvalinde-bereken" "$uit/korvalinde-bereken.exe" \
  "$uit/vergelijking"

# 6. The fast and window test programs under Wine (offscreen).
ctest --test-dir "$uit" --output-on-failure -j"$jobs" -L 'fast|window'

# 7. The installer in a fresh prefix: silent install, the window program started under Xvfb with a
#    scenario (it opens on "Uitvoer"; build-win/installatie-venster.png), the uninstaller, and
#    nothing left behind.
bash tests/windows/installatie.sh "$setup" "$boom/tests/golden/gras_op.kvl" "$uit"
echo "Windows: programma's, tests, rekenuitvoer en installatie in orde"
