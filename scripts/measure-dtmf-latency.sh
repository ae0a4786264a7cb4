#!/usr/bin/env bash
# Measures how long a radio user waits from the node handing over a DTMF string to the
# transmitter keying: the half-second poll plus the dispatch. Runs the headless program on a
# scratch program folder (air recorder, simulated node), sends "dtmf 00*" (the time) on its
# standard input at random moments, and reads the time of the next "ptt on" from the air log.
#   BUILD_DIR=...  build directory to use (default build-rel, a Release build)
#   RUNS=N         how many commands (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-rel}"
runs="${RUNS:-10}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVOXCLOCK_DESKTOP=OFF \
        -DVOXCLOCK_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target voxclock >/dev/null
program="$build/src/voxclock"

home=$(mktemp -d)
fifo="$home/in"
mkfifo "$fifo"
cleanup() {
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    exec 3>&- 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT

"$program" --headless --home "$home" <"$fifo" >/dev/null 2>&1 &
pid=$!
exec 3>"$fifo"

# Start-up is over once the status bar exists (it takes a few seconds by design).
for _ in $(seq 1 300); do
    grep -q '"DTMF: None"' "$home/air.log" 2>/dev/null && break
    sleep 0.1
done

ms_of() { date -d "$1" +%s%3N; }
results=()
for i in $(seq 1 "$runs"); do
    # A random phase against the poll, and the previous answer well over.
    sleep "$(awk -v s="$RANDOM" 'BEGIN { srand(s); printf "%.3f", 8 + rand() }')"
    before=$(grep -c '"ev":"ptt","on":true' "$home/air.log" || true)
    sent=$(date +%s%3N)
    echo "dtmf 00*" >&3
    for _ in $(seq 1 200); do
        now=$(grep -c '"ev":"ptt","on":true' "$home/air.log" || true)
        [ "$now" -gt "$before" ] && break
        sleep 0.02
    done
    line=$(grep '"ev":"ptt","on":true' "$home/air.log" | sed -n "$((before + 1))p")
    stamp=$(sed -E 's/.*"t":"([^"]+)".*/\1/' <<<"$line")
    keyed=$(ms_of "${stamp/T/ }")
    results+=($((keyed - sent)))
    printf 'run %2d: %4d ms\n' "$i" "$((keyed - sent))"
done
printf '%s\n' "${results[@]}" | sort -n | awk '
    { v[NR] = $1 } END { printf "dtmf to PTT on: min %d ms, median %d ms, max %d ms (%d runs)\n",
                         v[1], v[int((NR + 1) / 2)], v[NR], NR }'
