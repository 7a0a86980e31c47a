#!/usr/bin/env bash
# Set-up, clean build and every test. Used by CI (.ci/run) and by developers alike.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakketten.sh
jobs="$(nproc)"

# 1. The layout of the sources: every tracked .cpp and .h as .clang-format writes it. A file that
#    differs is named with its first differing lines; `clang-format -i FILE` puts it right.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

# 2. The program and all its tests; every compiler warning of cmake/Strikt.cmake fails the build.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALINDE_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
# 2b. The fast and window tests again as on a Dutch desktop (a decimal comma): every test, and every
#     program a test starts without a locale of its own, with LC_ALL=nl_NL.UTF-8.
LC_ALL=nl_NL.UTF-8 KORVALINDE_TEST_LOCALE=nl_NL.UTF-8 \
  ctest --test-dir build --output-on-failure -j"$jobs" -L 'fast|window'

# 3. clang-tidy with the checks of .clang-tidy over every layer, with the compile commands of the
#    build above; a finding fails the script. About five minutes of processor time.
git ls-files 'domain/*.cpp' 'core/*.cpp' 'report/*.cpp' 'components/*.cpp' 'ui/*.cpp' 'programs/*.cpp' \
  'programs/*/*.cpp' | grep -v 'Windows.cpp$' |
  xargs -P "$jobs" -n 2 clang-tidy -p build --quiet >build/clang-tidy.log 2>&1 ||
  { cat build/clang-tidy.log; echo "clang-tidy: bevindingen, zie boven" >&2; exit 1; }
echo "clang-tidy: geen bevindingen"

# 4. Every fast and window test again with AddressSanitizer and UndefinedBehaviorSanitizer (the slow
#    model comparison is left out: the fast tests hold its 40-scenario version), and the batch tests
#    that run on several threads (-j with several files, sweeps, ordered output) with ThreadSanitizer.
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVALINDE_SANITIZE=ON -DKORVALINDE_BENCHMARKS=OFF
cmake --build build-san -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-san --output-on-failure -j"$jobs" -L fast
# Leak checking stays off for the window tests: the windowing and font libraries keep what they load.
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-san --output-on-failure -j"$jobs" -L window
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVALINDE_TSAN=ON -DKORVALINDE_BENCHMARKS=OFF
cmake --build build-tsan -j"$jobs" --target korvalinde-bereken test_bereken test_batch
tsan=(env "TSAN_OPTIONS=halt_on_error=1 suppressions=$PWD/tests/tsan.supp" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8)
"${tsan[@]}" build-tsan/tests/test_bereken parallelGelijk reeks invoerBestanden
"${tsan[@]}" build-tsan/tests/test_batch geordend

# 4b. Windows (scripts/windows.sh): Qt for Windows from the cache (built once, about 20–25 minutes
#     on a fresh machine), both programs and the test programs built with MinGW-w64, the model texts and
#     the batch tool's output equal to Linux byte for byte, the fast and window tests under Wine,
#     and the installer installed, started and removed in a fresh Wine prefix.
bash scripts/windows.sh

# 5. The scenario-file reader under the fuzzer, about a minute.
bash scripts/fuzz.sh 60

# 6. The Debian package: menu entry and description checked, built, installed, started, removed.
bash scripts/pakket.sh build
