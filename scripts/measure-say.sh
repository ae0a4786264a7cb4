#!/bin/bash
# `voxclock say --wav` against the espeak-ng command line for the same text, as whole processes:
# the two run in turn (A B A B ...) after one warm-up each, bash's `time` takes each run's wall
# and CPU seconds (to the millisecond), and the medians are printed with the median of each
# pair's ratio, so a machine whose speed drifts during the runs still compares like with like.
#
# Usage: scripts/measure-say.sh VOXCLOCK_BINARY [RUNS]      (default 15 runs of each)
set -euo pipefail

VOX="${1:?usage: $0 VOXCLOCK_BINARY [RUNS]}"
RUNS="${2:-15}"
[ -x "$VOX" ] || { echo "no voxclock binary at $VOX" >&2; exit 2; }
command -v espeak-ng >/dev/null || { echo "espeak-ng is not installed" >&2; exit 2; }

WORK="$(mktemp -d "${TMPDIR:-/tmp}/voxclock-say.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
TEXT="The time is 12:20 PM. This is W one A W. Good afternoon."
mkdir -p "$WORK/home"

# One line per run: wall, user and system seconds.
TIMEFORMAT='%3R %3U %3S'
timed() { { time "${@:2}" >/dev/null 2>&1; } 2>>"$1"; }
a=(timed "$WORK/a" "$VOX" say --home "$WORK/home" --wav "$WORK/a.wav" "$TEXT")
b=(timed "$WORK/b" espeak-ng -w "$WORK/b.wav" "$TEXT")
"${a[@]}"
"${b[@]}"
: >"$WORK/a"
: >"$WORK/b"
for _ in $(seq "$RUNS"); do
  "${a[@]}"
  "${b[@]}"
done
[ -s "$WORK/a.wav" ] || { echo "voxclock say wrote no audio" >&2; exit 1; }

paste -d' ' "$WORK/a" "$WORK/b" | awk '
  function median(v, n,   i, j, t) {
    for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j - 1] > v[j]; j--) {
      t = v[j]; v[j] = v[j - 1]; v[j - 1] = t
    }
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  {
    n++
    aw[n] = $1; ac[n] = $2 + $3; bw[n] = $4; bc[n] = $5 + $6
    rw[n] = $4 > 0 ? $1 / $4 : 0; rc[n] = bc[n] > 0 ? ac[n] / bc[n] : 0
  }
  END {
    printf "say --wav against espeak-ng -w, %d runs each (medians)\n", n
    printf "%-24s %10s %10s\n", "", "wall s", "CPU s"
    printf "%-24s %10.3f %10.3f\n", "voxclock say --wav", median(aw, n), median(ac, n)
    printf "%-24s %10.3f %10.3f\n", "espeak-ng -w", median(bw, n), median(bc, n)
    printf "%-24s %10.2f %10.2f\n", "ratio, pair by pair", median(rw, n), median(rc, n)
  }'
