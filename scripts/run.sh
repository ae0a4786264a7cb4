#!/usr/bin/env bash
# Builds Voxclock and starts it. Arguments go to the program (try: --headless, simulate --help).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOXCLOCK_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target voxclock
exec ./build/src/voxclock "$@"
