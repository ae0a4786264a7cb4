#!/usr/bin/env bash
# Builds Voxclock twice, plain and under AddressSanitizer + UndefinedBehaviorSanitizer, and runs
# every test in both builds, checks the Debian package, then runs the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs="$(nproc)"

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVOXCLOCK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The Debian package from the plain build: installed with apt-get, run from /usr/bin, removed.
bash scripts/package-check.sh build-test

# Every parser under libFuzzer for a few seconds each; skipped with a note where clang is missing.
bash scripts/fuzz.sh 5
