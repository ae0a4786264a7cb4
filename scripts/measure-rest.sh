#!/usr/bin/env bash
# The programs at rest and say against espeak-ng, for the figures the targets name:
#   - RSS and wake-ups per second of `voxclock --headless` on the simulated node (a fresh
#     program folder), and of the desktop program under Xvfb (a prepared program folder, so that
#     no first-run message box waits), each over the same window from the moment the station
#     shows its panels (scripts/measure-idle.sh);
#   - `voxclock say --wav` against `espeak-ng -w` for the same text (scripts/measure-say.sh).
# Both programs get a scratch HOME, per-user store and runtime folder.
# Usage: scripts/measure-rest.sh [BUILD_DIR] [SECONDS]     (defaults: build-rel, 60 s)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-rel}"
seconds="${2:-60}"
exe="$PWD/$build/src/voxclock"
[ -x "$exe" ] || { echo "no program at $exe: build it first" >&2; exit 2; }

work="$(mktemp -d "${TMPDIR:-/tmp}/voxclock-rest.XXXXXX")"
pid=""
stop() {
    [ -n "$pid" ] || return 0
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
    pid=""
}
trap 'stop; wait 2>/dev/null || true; rm -rf "$work"' EXIT

# Waits for the station's panels in the air log of program folder $1 (start-up waits are over),
# then measures process $pid as $2.
at_rest() {
    for _ in $(seq 600); do
        grep -q '"ev":"status"' "$1/air.log" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null || { cat "$work/err" >&2; exit 1; }
        sleep 0.1
    done
    sleep 2
    bash scripts/measure-idle.sh "$seconds" "$2=$pid"
}

scratch_env() {
    mkdir -p "$work/$1/config" && mkdir -m 700 -p "$work/$1/run"
    echo "HOME=$work/$1 XDG_CONFIG_HOME=$work/$1/config XDG_RUNTIME_DIR=$work/$1/run"
}

# The headless program.
mkdir -p "$work/headless/home"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $(scratch_env headless) \
    "$exe" --headless --home "$work/headless/home" </dev/null >/dev/null 2>"$work/err" &
pid=$!
at_rest "$work/headless/home" "voxclock --headless"
stop

# The desktop program, on an X server of its own.
# (voxclock-desktop.so: a tree from before the desktop became an executable of its own.)
if [ -x "$build/src/voxclock-desktop" ] || [ -f "$build/src/voxclock-desktop.so" ]; then
    if command -v xvfb-run >/dev/null; then
        mkdir -p "$work/desktop"
        cp -r tests/data/simulate/home "$work/desktop/home"
        env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb $(scratch_env desktop) \
            xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
            sh -c 'echo $$ >"$0"; exec "$@"' "$work/desktop/pid" \
            "$exe" --home "$work/desktop/home" </dev/null >/dev/null 2>"$work/err" &
        xvfb=$!
        for _ in $(seq 100); do [ -s "$work/desktop/pid" ] && break; sleep 0.1; done
        pid="$(cat "$work/desktop/pid")"
        at_rest "$work/desktop/home" "voxclock desktop (Xvfb)"
        stop
        wait "$xvfb" 2>/dev/null || true
    else
        echo "xvfb-run is not installed: no desktop figures"
    fi
else
    echo "built without the desktop: no desktop figures"
fi

bash scripts/measure-say.sh "$exe"
