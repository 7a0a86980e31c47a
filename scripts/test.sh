#!/usr/bin/env bash
# Set-up, clean build and every test. Used by CI (.ci/run) and by developers alike.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakketten.sh
jobs="$(nproc)"

# 1. The program and all its tests.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# 2. The byte codec, the model and the helpers again with AddressSanitizer and UndefinedBehaviorSanitizer.
cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVALINDE_SANITIZE=ON -DKORVALINDE_BENCHMARKS=OFF
cmake --build build-san -j"$jobs" --target test_scenario test_tabellen test_model test_scenario_document
ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-san --output-on-failure -R "^(test_scenario|test_tabellen|test_model|test_model_lang|test_scenario_document)$"

# 3. The scenario-file reader under the fuzzer, about a minute.
bash scripts/fuzz.sh 60

# 4. The Debian package: menu entry and description checked, built, installed, started, removed.
bash scripts/pakket.sh build
