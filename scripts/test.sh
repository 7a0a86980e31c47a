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

# 3. clang-tidy with the checks of .clang-tidy over the widget-free layers (domain/ and core/), with
#    the compile commands of the build above; a finding fails the script.
#    Takes about a minute of processor time.
git ls-files 'domain/*.cpp' 'core/*.cpp' |
  xargs -P "$jobs" -n 2 clang-tidy -p build --quiet >build/clang-tidy.log 2>&1 ||
  { cat build/clang-tidy.log; echo "clang-tidy: bevindingen, zie boven" >&2; exit 1; }
echo "clang-tidy: geen bevindingen"

# 4. The byte codec, the model and the helpers again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVALINDE_SANITIZE=ON -DKORVALINDE_BENCHMARKS=OFF
cmake --build build-san -j"$jobs" --target test_scenario test_tabellen test_model test_scenario_document
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-san --output-on-failure -R "^(test_scenario|test_tabellen|test_model|test_model_lang|test_scenario_document)$"

# 5. The scenario-file reader under the fuzzer, about a minute.
bash scripts/fuzz.sh 60

# 6. The Debian package: menu entry and description checked, built, installed, started, removed.
bash scripts/pakket.sh build
