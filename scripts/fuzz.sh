#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) into
# build-fuzz and runs each for SECONDS on a scratch copy of its corpus, one after the other.
# Prints one line per target; exits 1 on any crash, hang, leak or sanitizer report, naming where
# the reproducer was kept. Skips (exit 0) when clang or its fuzzer runtime is missing.
#   scripts/fuzz.sh SECONDS [TARGET...]
# FUZZ_BUILD_DIR names another build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
    exit 2
fi
shift
wanted=("$@")

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
    echo "fuzz: skipped, clang is not installed (scripts/deps.sh installs it)"
    exit 0
fi
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" \
    >/dev/null 2>&1; then
    echo "fuzz: skipped, clang has no libFuzzer runtime here (libclang-rt-dev)"
    exit 0
fi

build="${FUZZ_BUILD_DIR:-build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$build" -DVOXCLOCK_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" >"$probe/build.log" 2>&1 || {
    cat "$probe/build.log"
    exit 1
}

# The targets write scratch files, some through the program's own fsync'ed writes: a memory file
# system keeps a busy disk from setting the pace.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
findings="$build/findings"
scratch="$probe/run"
failed=0
while read -r name max_len seeds; do
    [[ -z "$name" || "$name" == \#* ]] && continue
    if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$name"; then
        continue
    fi
    binary="$build/fuzz/fuzz_$name"
    corpus="$scratch/$name/corpus"
    artifacts="$scratch/$name/artifacts"
    mkdir -p "$corpus" "$artifacts"
    # Seeds: the fixtures named in targets.txt and what fuzz/corpus keeps (findings included).
    for pattern in $seeds; do
        for f in tests/data/$pattern; do
            [ -f "$f" ] && cp "$f" "$corpus/seed-$(echo "${f#tests/data/}" | tr / _)"
        done
    done
    if [ -d "fuzz/corpus/$name" ]; then
        for f in "fuzz/corpus/$name"/*; do
            [ -f "$f" ] && cp "$f" "$corpus/kept-$(basename "$f")"
        done
    fi
    dict=()
    [ -f "fuzz/dict/$name.dict" ] && dict=(-dict="fuzz/dict/$name.dict")
    log="$scratch/$name/log"
    rm -rf "${findings:?}/$name"
    status=0
    "$binary" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 \
        -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$artifacts/" \
        </dev/null >"$log" 2>&1 || status=$?

    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)"
    added="$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -n1)"
    cov="$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | cut -d' ' -f2 || true)"
    artifact="$(find "$artifacts" -type f | head -n1)"
    if [ "$status" -eq 0 ] && [ -z "$artifact" ]; then
        result="ok"
    else
        failed=1
        kept="$findings/$name"
        mkdir -p "$kept"
        cp "$log" "$kept/log.txt"
        if [ -n "$artifact" ]; then
            cp "$artifact" "$kept/"
            kind="$(basename "$artifact" | cut -d- -f1)"
            result="FAILED ($kind) reproducer: $kept/$(basename "$artifact"), log: $kept/log.txt"
        else
            result="FAILED (exit $status) log: $kept/log.txt"
        fi
    fi
    printf '%-16s runs %9s  cov %5s  new inputs %5s  %s\n' \
        "$name" "${runs:-?}" "${cov:-?}" "${added:-?}" "$result"
done <fuzz/targets.txt

if [ "$failed" -ne 0 ]; then
    echo "fuzz: failures found; reproduce with $build/fuzz/fuzz_NAME REPRODUCER"
    exit 1
fi
