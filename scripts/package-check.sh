#!/usr/bin/env bash
# Builds the Debian package, installs it with apt-get, runs the installed programs from their
# installed paths, and removes the package again.
#   bash scripts/package-check.sh [BUILD_DIR]     (BUILD_DIR: a build tree to reuse)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
apt_get() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@"; }

deb="$(bash scripts/package.sh "$@" | tail -1)"
echo "package: $deb ($(dpkg-deb -f "$deb" Installed-Size) KiB installed)"
if command -v lintian >/dev/null; then
    lintian --allow-root --fail-on error "$deb"
fi

if dpkg-query -W -f='${Status}' voxclock 2>/dev/null | grep -q "install ok installed"; then
    echo "voxclock is installed already: not touching it" >&2
    exit 1
fi
apt_get install --no-install-recommends "$deb" >/dev/null
scratch="$(mktemp -d)"
cleanup() {
    apt_get remove voxclock >/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() { echo "package check: $*" >&2; exit 1; }
/usr/bin/voxclock --version | grep -q "^Voxclock TTS " || fail "voxclock --version"
/usr/bin/voxclock --help 2>&1 | grep -qx "The manual: /usr/share/voxclock/manual.html" ||
    fail "the installed program does not find its manual"
# Two minutes of a fresh node, in virtual time; it ends with the transmitter off.
/usr/bin/voxclock simulate --home "$scratch/home" --from "2026-12-10 11:59:00" \
    --to "2026-12-10 12:01:00" >"$scratch/air.log" 2>"$scratch/err" || fail "voxclock simulate"
tail -1 "$scratch/air.log" | grep -q '"ev":"ptt","on":false' || fail "simulate's air log"
# The voice and its data from the packages the dependencies brought.
/usr/bin/voxclock say --home "$scratch/home" --wav "$scratch/said.wav" "The time is 12:00" ||
    fail "voxclock say"
[ "$(stat -c %s "$scratch/said.wav")" -gt 44 ] || fail "voxclock say wrote no sound"
getent passwd voxclock >/dev/null || fail "the service's user voxclock was not made"
if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify /usr/lib/systemd/system/voxclock.service || fail "systemd-analyze verify"
fi
cleanup
trap - EXIT
[ ! -e /usr/bin/voxclock ] || fail "voxclock is still there after its removal"
echo "package check: installed, ran and removed $(basename "$deb")"
