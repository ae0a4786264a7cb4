#!/usr/bin/env bash
# Measures what the targets are about: a day of timers, a day of simulate, and the speech figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DVOXCLOCK_DESKTOP=OFF -DVOXCLOCK_TESTS=OFF >/dev/null
cmake --build build-rel -j"$(nproc)" --target voxclock timer_day_bench speech_bench
./build-rel/bench/timer_day_bench
home="$(mktemp -d)"
TIMEFORMAT="simulate, 24 h with the defaults: %U s user + %S s system CPU"
time ./build-rel/src/voxclock simulate --home "$home/new" --from "2026-12-10 00:00:00" \
    --to "2026-12-11 00:00:00" >/dev/null 2>&1
TIMEFORMAT="simulate, 24 h with announcements and identification: %U s user + %S s system CPU"
time ./build-rel/src/voxclock simulate --home tests/data/simulate/home --from "2026-12-10 00:00:00" \
    --to "2026-12-11 00:00:00" >/dev/null
rm -rf "$home"
./build-rel/bench/speech_bench
# A month of the whole station in virtual time: CPU and memory of day 1 against day 30.
cmake --build build-rel -j"$(nproc)" --target soak
./build-rel/bench/soak
