#!/bin/bash
# Idle cost of the pair: starts a throw-away SvxLink node (tests/data/svxlink/start_node.sh)
# and `voxclock --headless` on it, lets both idle, and prints CPU (percent of one core), wake-ups
# per second and RSS of each side by side (scripts/measure-idle.sh). Both are stopped by their
# PIDs on the way out.
#
# Usage: scripts/measure-svxlink-idle.sh [VOXCLOCK_BINARY] [SECONDS]
#   default binary: build/src/voxclock; default 60 s.
set -euo pipefail

HERE="$(cd "$(dirname "$0")/.." && pwd)"
VOX="${1:-$HERE/build/src/voxclock}"
SECONDS_TO_RUN="${2:-60}"
[ -x "$VOX" ] || { echo "no voxclock binary at $VOX (give its path)" >&2; exit 2; }
command -v svxlink >/dev/null || { echo "svxlink is not installed" >&2; exit 2; }

WORK="$(mktemp -d "${TMPDIR:-/tmp}/voxclock-idle.XXXXXX")"
NODE="$WORK/node"
HOME_DIR="$WORK/home"
SVX_PID=""
VOX_PID=""
cleanup() {
  for pid in $VOX_PID $SVX_PID; do
    kill -TERM "$pid" 2>/dev/null || continue
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  done
  rm -rf "$WORK"
}
trap cleanup EXIT

bash "$HERE/tests/data/svxlink/start_node.sh" "$NODE" "$HERE/packaging/svxlink/voxclock.tcl" \
  >"$WORK/node.out" 2>&1 || { cat "$WORK/node.out" >&2; exit 1; }
# shellcheck disable=SC1091
. "$NODE/node.env"
SVX_PID="$SVXLINK_PID"

mkdir -p "$HOME_DIR"
cat >"$HOME_DIR/voxclock.conf" <<EOF
[node]
backend = svxlink

[svxlink]
state_pty = $NODE/$STATE_PTY
dtmf_ctrl_pty = $NODE/$DTMF_CTRL_PTY
squelch_pty = $NODE/$ANN_SQL_PTY
echolink_command_pty = ${ECHOLINK_CMD_PTY:+$NODE/$ECHOLINK_CMD_PTY}
audio_port = $ANN_RX_UDP
sample_rate = $SAMPLE_RATE
channels = $CHANNELS
own_codes_file = $NODE/voxclock_codes
EOF
"$VOX" --headless --home "$HOME_DIR" </dev/null >"$WORK/vox.out" 2>"$WORK/vox.err" &
VOX_PID=$!

# Idle from the moment the station shows its panels (its start-up waits are over).
for _ in $(seq 300); do
  grep -q '"ev":"status"' "$HOME_DIR/air.log" 2>/dev/null && break
  kill -0 "$VOX_PID" 2>/dev/null || { cat "$WORK/vox.err" >&2; exit 1; }
  sleep 0.1
done

sleep 2
bash "$HERE/scripts/measure-idle.sh" "$SECONDS_TO_RUN" "svxlink=$SVX_PID" \
  "voxclock --headless (SvxLink)=$VOX_PID"
