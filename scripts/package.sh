#!/usr/bin/env bash
# Builds the Debian package voxclock_VERSION_ARCH.deb into the repository's root.
#   bash scripts/package.sh [BUILD_DIR]
# BUILD_DIR: a configured build tree to reuse (scripts/test.sh passes its own); without one,
# a release build without the tests in build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
bash scripts/deps.sh
build="$(realpath -m "${1:-build-package}")"
if [ $# -eq 0 ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVOXCLOCK_TESTS=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB -B "$build/cpack" >/dev/null)
deb="$(ls -t "$build"/cpack/voxclock_*.deb | head -1)"
cp "$deb" "$root/"
echo "$root/$(basename "$deb")"
