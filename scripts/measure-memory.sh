#!/usr/bin/env bash
# Shows that the station's memory stays flat over a long stream of node events: the resident set
# after 1,000 chat lines and after 100,000 (with connects and disconnects), and the peak of a whole
# run of each length. A station that keeps something per event grows by about 25 MB here.
#   BUILD_DIR=...  build directory to use (default build-rel, a Release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build-rel}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVOXCLOCK_DESKTOP=OFF \
        -DVOXCLOCK_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target node_events_memory_bench >/dev/null
bench="$build/bench/node_events_memory_bench"

# Both figures from one process: growth between them is memory held per event.
timeout 600 "$bench" 100000

# Peak resident set of whole runs, as the kernel counts it.
for lines in 1000 100000; do
    peak=$( { /usr/bin/time -v timeout 600 "$bench" "$lines" >/dev/null; } 2>&1 |
        awk -F': ' '/Maximum resident set size/ {print $2}')
    printf 'peak resident, %6d chat lines: %s kB\n' "$lines" "$peak"
done
