#!/bin/bash
# What running processes cost at rest, side by side over one window: CPU (percent of one core),
# wake-ups per second and the largest resident set.
#   CPU:      time on a processor of all the process's threads, from /proc/PID/task/*/schedstat
#             (nanoseconds; /proc/PID/stat counts in whole clock ticks, too coarse for 0.05 %).
#   wake-ups: voluntary and involuntary context switches of all its threads
#             (/proc/PID/task/*/status), divided by the seconds of the window.
#   RSS:      VmRSS of /proc/PID/status, read every second; the largest reading.
#
# Usage: scripts/measure-idle.sh SECONDS NAME=PID [NAME=PID ...]
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 SECONDS NAME=PID [NAME=PID ...]" >&2; exit 2; }
SECONDS_TO_RUN="$1"
shift
names=()
pids=()
for arg in "$@"; do
  names+=("${arg%=*}")
  pids+=("${arg##*=}")
done

cpu_ns() {
  local total=0 f
  for f in /proc/"$1"/task/*/schedstat; do
    total=$((total + $(cut -d' ' -f1 "$f" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
switches() {
  local total=0 f
  for f in /proc/"$1"/task/*/status; do
    total=$((total + $(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$f" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
alive() {
  kill -0 "$1" 2>/dev/null || { echo "${names[$2]} (PID $1) has ended" >&2; exit 1; }
}

declare -a c0 s0 rmax
for i in "${!pids[@]}"; do
  alive "${pids[$i]}" "$i"
  c0[i]="$(cpu_ns "${pids[$i]}")"
  s0[i]="$(switches "${pids[$i]}")"
  rmax[i]="$(rss_kb "${pids[$i]}")"
done
t0="$(date +%s.%N)"
for _ in $(seq "$SECONDS_TO_RUN"); do
  sleep 1
  for i in "${!pids[@]}"; do
    alive "${pids[$i]}" "$i"
    r="$(rss_kb "${pids[$i]}")"
    [ "$r" -gt "${rmax[$i]}" ] && rmax[i]="$r"
  done
done
t1="$(date +%s.%N)"

printf '%-32s %10s %12s %10s\n' "idle over ${SECONDS_TO_RUN} s" "CPU %" "wake-ups/s" "RSS MB"
for i in "${!pids[@]}"; do
  c1="$(cpu_ns "${pids[$i]}")"
  s1="$(switches "${pids[$i]}")"
  awk -v name="${names[$i]}" -v c0="${c0[$i]}" -v c1="$c1" -v s0="${s0[$i]}" -v s1="$s1" \
      -v r="${rmax[$i]}" -v t0="$t0" -v t1="$t1" 'BEGIN {
    el = t1 - t0
    printf "%-32s %10.3f %12.2f %10.1f\n", name, (c1 - c0) / 1e9 / el * 100, (s1 - s0) / el, r / 1024
  }'
done
