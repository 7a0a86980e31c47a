#!/usr/bin/env bash
# Set-up, clean build and every test. Used by CI (.ci/run) and by developers alike.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakketten.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
