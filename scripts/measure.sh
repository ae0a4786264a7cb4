#!/usr/bin/env bash
# Measures what the targets are about: a day of timers, a day of simulate, the speech figures, the
# headless program at rest (CPU, wake-ups, RSS; SvxLink's beside it when installed) and
# `voxclock say --wav` against espeak-ng. IDLE_SECONDS sets the window at rest (default 60).
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

# At rest: the headless program on the simulated node, in a scratch program folder and HOME.
idle_seconds="${IDLE_SECONDS:-60}"
work="$(mktemp -d "${TMPDIR:-/tmp}/voxclock-measure.XXXXXX")"
mkdir -p "$work/home"
HOME="$work" ./build-rel/src/voxclock --headless --home "$work/home" </dev/null >/dev/null \
    2>"$work/err" &
vox_pid=$!
trap 'kill -TERM "$vox_pid" 2>/dev/null || true; wait "$vox_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
# Idle from the moment the station shows its panels (its start-up waits are over).
for _ in $(seq 300); do
    grep -q '"ev":"status"' "$work/home/air.log" 2>/dev/null && break
    kill -0 "$vox_pid" 2>/dev/null || { cat "$work/err" >&2; exit 1; }
    sleep 0.1
done
sleep 2
bash scripts/measure-idle.sh "$idle_seconds" "voxclock --headless (simulated)=$vox_pid"
kill -TERM "$vox_pid"
wait "$vox_pid" || true
if command -v svxlink >/dev/null; then
    bash scripts/measure-svxlink-idle.sh "$PWD/build-rel/src/voxclock" "$idle_seconds"
else
    echo "svxlink is not installed: no SvxLink figures beside these"
fi

bash scripts/measure-say.sh ./build-rel/src/voxclock
# A month of the whole station in virtual time: CPU and memory of day 1 against day 30.
cmake --build build-rel -j"$(nproc)" --target soak
./build-rel/bench/soak
