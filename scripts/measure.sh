#!/usr/bin/env bash
# Measures what the targets are about: a day of timers, a day of simulate, the speech figures, the
# headless and desktop programs at rest (CPU, wake-ups, RSS; SvxLink's beside them when
# installed) and `voxclock say --wav` against espeak-ng (scripts/measure-rest.sh). IDLE_SECONDS
# sets the window at rest (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DVOXCLOCK_TESTS=OFF >/dev/null
# voxclock builds the desktop program and the sound plugin too.
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

# At rest, and say against espeak-ng.
idle_seconds="${IDLE_SECONDS:-60}"
bash scripts/measure-rest.sh build-rel "$idle_seconds"
if command -v svxlink >/dev/null; then
    bash scripts/measure-svxlink-idle.sh "$PWD/build-rel/src/voxclock" "$idle_seconds"
else
    echo "svxlink is not installed: no SvxLink figures beside these"
fi

# A month of the whole station in virtual time: CPU and memory of day 1 against day 30.
cmake --build build-rel -j"$(nproc)" --target soak
./build-rel/bench/soak
