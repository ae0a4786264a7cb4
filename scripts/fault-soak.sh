#!/usr/bin/env bash
# Randomized fault injection: N dry runs from random seeds, each mixing a station's activity with
# node, voice and file faults, checked on their air log (PTT ends off and never outlasts the
# transmit time-out, the program exits 0 without hanging, the settings file is whole).
# Prints the seed of every failing run; replay one with
#   build-faults/tests/fault_soak --voxclock build-faults/src/voxclock --data tests/data --keep --seeds SEED
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-100}"
if ! [[ "$runs" =~ ^[0-9]+$ ]] || [ "$runs" -lt 1 ]; then
    echo "usage: scripts/fault-soak.sh N   (N random seeds)" >&2
    exit 2
fi
bash scripts/deps.sh
cmake -S . -B build-faults -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOXCLOCK_DESKTOP=OFF >/dev/null
cmake --build build-faults -j"$(nproc)" --target fault_soak voxclock
exec build-faults/tests/fault_soak --voxclock build-faults/src/voxclock --data tests/data \
    --random "$runs"
