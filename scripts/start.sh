#!/usr/bin/env bash
# Set-up, build, and start the program. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/pakketten.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec build/programs/korvalinde "$@"
