#!/usr/bin/env bash
# Qt (qtbase) and libxlsxwriter for 64-bit Windows, built once with Debian's MinGW-w64 and kept.
#
# Both come from Debian's source packages of the versions this machine's Linux build uses; apt checks
# each .dsc against the signed archive index and dpkg-source checks every tarball against the hashes in
# its .dsc, so a changed or damaged source stops the build. Only what the programs use is built: Core,
# Gui, Widgets, PrintSupport, Network (TLS through Windows' own Schannel), Test, the windows, offscreen
# and minimal platform plugins and the Windows style; PNG is built into QtGui. Debian's own Qt tools
# (moc, rcc, uic) serve as host tools. libxlsxwriter becomes one DLL with zlib linked in.
#
# The result goes to a folder outside the source tree, named by the source versions and a hash of the
# build options, so a second run only finds it. The build folders stay there until the build is done,
# so an interrupted build resumes where it stopped.
#
#   scripts/qt-windows.sh          builds if needed, then prints the install folder (with bin/, lib/,
#                                  include/, plugins/) on its last line
#   scripts/qt-windows.sh --pad    prints that folder only, whether built or not
#
# KORVALINDE_WINDOWS_CACHE chooses the cache folder (default /var/cache/korvalinde); KORVALINDE_JOBS
# the number of parallel compilers (default: all processors). Needs root for the apt source entry, and
# the packages of scripts/pakketten.sh (g++-mingw-w64-x86-64-posix, libz-mingw-w64-dev, qt6-base-dev,
# dpkg-dev).
set -euo pipefail
boom="$(cd "$(dirname "$0")/.." && pwd)"
toolchain="$boom/cmake/MinGW.cmake"
jobs="${KORVALINDE_JOBS:-$(nproc)}"

# The host Qt's version: moc and rcc of the host must match the libraries they generate code for.
qt_bron=qt6-base
qt_versie=6.4.2+dfsg-10
xlsx_bron=libxlsxwriter
xlsx_versie=1.1.4-2
mingw=/usr/x86_64-w64-mingw32

qt_opties=(
  -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  # Everything of the target is found in MinGW's folder or built from Qt's own copies, never on the host.
  -DFEATURE_pkg_config=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_system_libb2=OFF -DFEATURE_zstd=OFF
  # Modules and plugins the programs do not use.
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_openssl=OFF -DFEATURE_direct2d=OFF -DFEATURE_tuiotouch=OFF
  -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  # Debian's source lacks the tablet header wintab.h. OpenGL stays on: the Windows platform plugin of
  # this version does not compile without it, and Windows brings opengl32 itself.
  -DFEATURE_tabletevent=OFF
  # DirectWrite's font engine is built only with Direct2D (off), yet PrintSupport of this version calls
  # it whenever DirectWrite is on, and does not link. Qt 6.4 draws text with GDI by default anyway.
  -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF
)
xlsx_opties=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DZLIB_INCLUDE_DIR="$mingw/include" -DZLIB_LIBRARY="$mingw/lib/libz.a"
  # MinGW's own printf, as C99 and glibc print numbers, rather than the older Windows runtime's
  # (three-digit exponents), so the workbooks hold the same number texts as on Linux.
  -DCMAKE_C_FLAGS=-D__USE_MINGW_ANSI_STDIO=1
)

kenmerk="$( {
  printf '%s\n' "$qt_versie" "$xlsx_versie" "${qt_opties[@]}" "${xlsx_opties[@]}"
  cat "$toolchain"
} | sha256sum | cut -c1-12)"
cache="${KORVALINDE_WINDOWS_CACHE:-/var/cache/korvalinde}"
map="$cache/qt-windows-${qt_versie}-${kenmerk}"
prefix="$map/prefix"

if [ "${1:-}" = --pad ]; then
  echo "$prefix"
  exit 0
fi
if [ -f "$map/klaar" ]; then
  echo "$prefix"
  exit 0
fi

begin=$(date +%s)
mkdir -p "$cache/bronnen" "$map"

# A deb-src entry for Debian 12, unless the machine has one already.
if ! apt-cache showsrc "$qt_bron" 2>/dev/null | grep -q "^Version: $qt_versie$"; then
  cat >/etc/apt/sources.list.d/korvalinde-bronnen.sources <<'EOF'
# Debian's source packages, for building Qt and libxlsxwriter for Windows (scripts/qt-windows.sh).
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt-get update -qq
fi

# apt checks the .dsc against the signed index (and fetches again what does not match); dpkg-source
# refuses a tarball whose size or SHA-256 differs from the .dsc.
(cd "$cache/bronnen" && apt-get source --download-only -qq "$qt_bron=$qt_versie" "$xlsx_bron=$xlsx_versie")
pak_uit() { # source package, version, folder
  if [ ! -f "$3.uitgepakt" ]; then
    rm -rf "$3"
    dpkg-source --no-copy -x "$cache/bronnen/${1}_${2}.dsc" "$3"
    touch "$3.uitgepakt"
  fi
}
pak_uit "$qt_bron" "$qt_versie" "$map/bron-qt"
pak_uit "$xlsx_bron" "$xlsx_versie" "$map/bron-xlsx"

if [ ! -f "$map/bouw-qt/build.ninja" ]; then
  cmake -S "$map/bron-qt" -B "$map/bouw-qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_opties[@]}"
fi
cmake --build "$map/bouw-qt" -j"$jobs"
cmake --install "$map/bouw-qt" >/dev/null

if [ ! -f "$map/bouw-xlsx/build.ninja" ]; then
  cmake -S "$map/bron-xlsx" -B "$map/bouw-xlsx" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" "${xlsx_opties[@]}"
fi
cmake --build "$map/bouw-xlsx" -j"$jobs"
cmake --install "$map/bouw-xlsx" >/dev/null

# Qt's DLLs need MinGW's C++ runtime; beside them, every program that uses them finds it.
for dll in libstdc++-6.dll libgcc_s_seh-1.dll; do
  cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$prefix/bin/"
done
cp "$mingw/lib/libwinpthread-1.dll" "$prefix/bin/"
# Qt's Dutch texts of the same version (Debian's qt6-translations-l10n; the catalogues are the same on
# every platform), where Qt for Windows looks for them.
mkdir -p "$prefix/translations"
cp /usr/share/qt6/translations/qtbase_nl.qm /usr/share/qt6/translations/qt_nl.qm "$prefix/translations/"

rm -rf "$map/bron-qt" "$map/bron-xlsx" "$map/bouw-qt" "$map/bouw-xlsx" "$map"/*.uitgepakt
echo "qtbase $qt_versie, libxlsxwriter $xlsx_versie, $(($(date +%s) - begin)) s" >"$map/klaar"
echo "Qt voor Windows gebouwd in $(($(date +%s) - begin)) s: $map" >&2
echo "$prefix"
