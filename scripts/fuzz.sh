#!/usr/bin/env bash
# Fuzzes the scenario-file reader with libFuzzer for a bounded time (default 60 s), starting from a
# seed corpus of valid files. Needs clang (installed by scripts/pakketten.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
seconden="${1:-60}"
CXX=clang++ cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
rm -rf build-fuzz/corpus && mkdir -p build-fuzz/corpus
build-fuzz/maak_corpus build-fuzz/corpus
build-fuzz/fuzz_scenario -max_total_time="$seconden" -rss_limit_mb=1024 -timeout=5 -print_final_stats=1 \
  build-fuzz/corpus 2>&1 | tail -n 15
echo "fuzz_scenario: geen fouten gevonden in ${seconden} s"
