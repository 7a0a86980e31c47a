#!/usr/bin/env bash
# The Windows check: the C++-only layer (domain/) and the text program tests/modeltekst built with
# MinGW-w64 and run under Wine. The model's texts must equal those of the Linux build byte for byte
# and the stored digests of tests/golden/modelteksten.txt; the safe-write checks must pass with the
# Windows file functions. Needs the Linux build in build/ (scripts/test.sh makes it) and the packages
# g++-mingw-w64-x86-64-posix and wine64 (scripts/pakketten.sh). Takes about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEPREFIX="$PWD/build-win/wine"

cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALINDE_ALLEEN_DOMEIN=ON \
  -DKORVALINDE_WERROR=ON -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake >/dev/null
cmake --build build-win -j"$jobs" --target modelteksten
cmake --build build -j"$jobs" --target modelteksten

# Wine's first start makes its settings folder; no window system is needed.
"$wine" wineboot --init >/dev/null 2>&1 || true

build/tests/modeltekst/modelteksten --uit build-win/modelteksten-linux.txt
(cd build-win && "$wine" tests/modeltekst/modelteksten.exe --uit modelteksten-windows.txt)
if ! cmp build-win/modelteksten-linux.txt build-win/modelteksten-windows.txt; then
  diff build-win/modelteksten-linux.txt build-win/modelteksten-windows.txt | head -20
  echo "Windows: de modelteksten wijken af van Linux" >&2
  exit 1
fi
(cd build-win && "$wine" tests/modeltekst/modelteksten.exe --controleer ../tests/golden/modelteksten.txt)
(cd build-win && "$wine" tests/modeltekst/modelteksten.exe --bestanden bestand_veilig)
echo "Windows: modelteksten gelijk aan Linux, veilig schrijven in orde"
