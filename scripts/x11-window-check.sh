#!/usr/bin/env bash
# Checks the desktop program where the offscreen tests cannot look: under a real X server (Xvfb)
# with a window manager (openbox) and a system tray (wmdocker).
#   - SIGTERM ends the program with status 0 during the start-up wait, behind a first-run
#     message box, behind a setup dialog's message box, and while running with the window shown;
#   - on a fresh folder the first restore from the tray keeps the window's own place, and a
#     window dragged on the first run comes back from the tray where it was dragged;
#   - the DTMF pad opens at the main window's top-left, and a setup dialog opened again stays
#     where it was;
#   - at every start one left click on the tray icon shows the window, in the normal state;
#   - with the window shown at each exit, the stored ScrnTop/ScrnLeft stay put over restarts.
# usage: scripts/x11-window-check.sh [BUILD_DIR] [STARTS]    (defaults: build-test, 10)
# Installs the X packages it needs with apt-get when run as root. KEEP=1 keeps the logs.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-test}"
starts="${2:-10}"
exe="$build/src/voxclock"
[ -x "$exe" ] || { echo "no program at $exe: build it first" >&2; exit 2; }

need=()
for tool in Xvfb:xvfb openbox:openbox xdotool:xdotool wmdocker:wmdocker xprop:x11-utils \
            xwininfo:x11-utils; do
    command -v "${tool%%:*}" >/dev/null || need+=("${tool##*:}")
done
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages: ${need[*]} (install them, or run as root)" >&2
        exit 2
    fi
    apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
fi

tmp="$(mktemp -d)"
helpers=()
program=""
cleanup() {
    [ -n "$program" ] && kill -KILL "$program" 2>/dev/null || true
    for p in "${helpers[@]}"; do kill "$p" 2>/dev/null || true; done
    if [ -n "${KEEP:-}" ]; then echo "kept $tmp"; else rm -rf "$tmp"; fi
}
trap cleanup EXIT

display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 2; }

# A fresh per-user store and runtime folder; the real X platform whatever the caller set.
export DISPLAY="$display" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
store="$XDG_CONFIG_HOME/Voxclock/Voxclock.conf"

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
helpers+=($!)
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
# Openbox places new windows in the middle of the screen, so "the screen's corner" is never the
# window manager's own choice.
cat >"$tmp/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <placement><policy>Smart</policy><center>yes</center></placement>
</openbox_config>
EOF
openbox --config-file "$tmp/rc.xml" >"$tmp/openbox.log" 2>&1 &
helpers+=($!)
wmdocker >"$tmp/wmdocker.log" 2>&1 &
helpers+=($!)
sleep 1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

# Polls a command until it prints something, for up to $1 seconds; prints what it printed.
await() {
    local seconds="$1"; shift
    local out
    for _ in $(seq $((seconds * 5))); do
        out="$("$@" 2>/dev/null || true)"
        [ -n "$out" ] && { echo "$out"; return 0; }
        sleep 0.2
    done
    return 1
}

start() {  # start HOME LOG
    "$exe" --home "$1" >"$2" 2>&1 &
    program=$!
}
# Windows of the running program: a message box, the tray icon, the main window.
message_box() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$program" --name '^Voxclock TTS$'); do
        if xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q DIALOG; then echo "$w"; fi
    done
    true
}
# The icon as embedded in the tray (before that, a window of the same name is only Qt's).
tray_icon() {
    local dock
    dock="$(xdotool search --name '^Docker$' | head -1)"
    [ -z "$dock" ] || xwininfo -children -id "$dock" | awk '$2 == "\"voxclock\":" {print $1}' | head -1
}
main_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$program" --name '^Voxclock TTS [0-9]+[.]'); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q SPLASH || { echo "$w"; return; }
    done
    true
}
normal_main_window() {
    local w
    w="$(main_window)"
    if [ -n "$w" ] && xprop -id "$w" WM_STATE | grep -q 'window state: Normal'; then echo "$w"; fi
}
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
client_corner() {  # "left top" of the client area on the screen
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'
}
stored() {
    [ -f "$store" ] || return 0
    echo "$(sed -n 's/^ScrnLeft=//p' "$store") $(sed -n 's/^ScrnTop=//p' "$store")"
}
# SIGTERM; sets rc to the exit status, or to "hung" when the program is still there 15 s later.
stop() {
    kill -TERM "$program" 2>/dev/null || true
    for _ in $(seq 75); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$program" 2>/dev/null; then
        kill -KILL "$program"
        wait "$program" 2>/dev/null || true
        rc=hung
    else
        rc=0
        wait "$program" || rc=$?
    fi
    program=""
}

echo "X server $display, openbox, wmdocker; program $exe; $starts starts"

# --- Stop signals in the start-up states ---
start "$tmp/early" "$tmp/early.log"
sleep 1
stop
[ "$rc" = 0 ] && pass "SIGTERM during the start-up wait: exit 0" ||
    fail "SIGTERM during the start-up wait: $rc"

home="$tmp/home"
start "$home" "$tmp/first.log"
if box="$(await 40 message_box)"; then
    sleep 1
    stop
    [ "$rc" = 0 ] && pass "SIGTERM behind the first-run message box: exit 0" ||
        fail "SIGTERM behind the first-run message box: $rc"
else
    fail "no first-run message box on a fresh program folder"
    stop
fi
[ -f "$home/voxclock.ini" ] || fail "the shutdown after SIGTERM wrote no settings file"
[ -z "$(stored)" ] || fail "a position was stored although the window was never shown"

# Without that settings file the next starts would stop at the first-run boxes: answer them.
if [ ! -f "$home/voxclock.ini" ]; then
    start "$home" "$tmp/prepare.log"
    for _ in $(seq 40); do
        [ -n "$(tray_icon)" ] && break
        box="$(message_box | head -1)"
        [ -z "$box" ] || xdotool windowactivate --sync "$box" key Return
        sleep 1
    done
    stop
    [ -f "$home/voxclock.ini" ] || fail "could not prepare a program folder"
fi

# --- One run with nothing stored: places, the pad, the setup dialogs and a box behind OK ---
[ -z "$(stored)" ] || fail "a position was stored before the first shown run"
start "$home" "$tmp/places.log"
if icon="$(await 40 tray_icon)"; then
    sleep 1
    xdotool mousemove --window "$icon" 10 10 click 1
    if win="$(await 5 normal_main_window)"; then
        sleep 0.5
        # The owner drags the window; to the tray and back, it must come back there.
        xdotool windowmove --sync "$win" 150 120
        sleep 0.5
        dragged="$(client_corner "$win")"
        xdotool mousemove --window "$icon" 10 10 click 3
        sleep 0.5
        xdotool mousemove --window "$icon" 10 10 click 1
        win="$(await 5 normal_main_window)" || true
        sleep 0.5
        back="$(client_corner "$win")"
        [ "$back" = "$dragged" ] &&
            pass "first run: back from the tray where it was dragged ($back)" ||
            fail "first run: dragged to ($dragged), back from the tray at ($back)"

        # The DTMF pad opens at the window's top-left (Alt+P is its menu item).
        xdotool windowactivate --sync "$win" key alt+p
        if pad="$(await 5 xdotool search --onlyvisible --pid "$program" --name '^DTMF Pad $')"; then
            sleep 0.5
            [ "$(client_corner "$pad")" = "$(client_corner "$win")" ] &&
                pass "the DTMF pad opens at the main window's top-left" ||
                fail "the DTMF pad at ($(client_corner "$pad")), the window at ($(client_corner "$win"))"
            xdotool windowactivate --sync "$pad" key Escape
        else
            fail "Alt+P opened no DTMF pad"
        fi

        # A setup dialog opened again stays where it was (Setup > WX Setup is Alt+S, W).
        wx_dialog() { xdotool search --onlyvisible --pid "$program" --name '^WX Setup$' | head -1; }
        corners=()
        for _ in 1 2 3; do
            xdotool windowactivate --sync "$win" key alt+s
            sleep 0.3
            xdotool key w
            if dialog="$(await 5 wx_dialog)"; then
                sleep 0.5
                corners+=("$(client_corner "$dialog")")
                xdotool windowactivate --sync "$dialog" key Escape
                sleep 0.5
            fi
        done
        if [ ${#corners[@]} = 3 ] && [ "${corners[0]}" = "${corners[1]}" ] &&
            [ "${corners[1]}" = "${corners[2]}" ]; then
            pass "WX Setup opened three times at one place (${corners[0]})"
        else
            fail "WX Setup opened at: ${corners[*]:-nowhere}"
        fi

        # OK without Weather Exchange opens a box; SIGTERM behind it still ends the program.
        xdotool windowactivate --sync "$win" key alt+s
        sleep 0.3
        xdotool key w
        if dialog="$(await 5 wx_dialog)"; then
            xdotool windowactivate --sync "$dialog" key Return
            if await 5 message_box >/dev/null; then
                stop
                [ "$rc" = 0 ] && pass "SIGTERM behind WX Setup's message box: exit 0" ||
                    fail "SIGTERM behind WX Setup's message box: $rc"
            else
                fail "WX Setup's OK showed no message box"
            fi
        else
            fail "Alt+S, W opened no WX Setup"
        fi
    else
        fail "first run: one tray click did not show the window"
    fi
else
    fail "first run: no tray icon"
fi
[ -n "$program" ] && stop
# The starts below begin with nothing stored again.
rm -f "$store"

# --- Tray click and window position over restarts ---
first_corner=""
previous="$(stored)"
clicks_shown=0
for i in $(seq "$starts"); do
    start "$home" "$tmp/run$i.log"
    if ! icon="$(await 40 tray_icon)"; then
        fail "start $i: no tray icon"; stop; continue
    fi
    # The icon comes just before start-up hides the window and starts the timers.
    sleep 1
    [ -z "$(message_box)" ] || fail "start $i: a message box on a prepared folder"
    xdotool mousemove --window "$icon" 10 10 click 1
    if ! win="$(await 5 normal_main_window)"; then
        w="$(xdotool search --pid "$program" --name '^Voxclock TTS [0-9]' | head -1)"
        fail "start $i: one tray click did not show the window (state: $(wm_state "$w" || true))"
        stop
        continue
    fi
    clicks_shown=$((clicks_shown + 1))
    sleep 0.5  # let the window manager finish placing it
    corner="$(client_corner "$win")"
    if [ -z "$first_corner" ]; then
        first_corner="$corner"
        read -r x y <<<"$corner"
        if [ "$x" -ge 50 ] && [ "$y" -ge 50 ]; then
            pass "first restore with nothing stored keeps the window's own place ($corner)"
        else
            fail "first restore with nothing stored went to the screen's corner ($corner)"
        fi
    elif [ "$corner" != "$first_corner" ]; then
        fail "start $i: the window came back at $corner, not at $first_corner"
    fi
    stop
    [ "$rc" = 0 ] || fail "start $i: SIGTERM while running: $rc"
    now="$(stored)"
    if [ -z "$now" ]; then
        fail "start $i: no position stored with the window shown at exit"
    elif [ -n "$previous" ] && [ "$now" != "$previous" ]; then
        fail "start $i: stored position moved from ($previous) to ($now) (ScrnLeft ScrnTop)"
    fi
    previous="$now"
done
[ "$clicks_shown" = "$starts" ] && pass "one tray click showed the window at each of $starts starts"
[ -n "$previous" ] && pass "stored position after $starts starts: ScrnLeft ScrnTop = $previous"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
