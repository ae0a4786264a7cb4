#!/usr/bin/env bash
# How well a speech recogniser understands each installed voice, and how fast each synthesises.
#
# The sentences are the program's own: `voxclock simulate` runs an afternoon at a node with the
# sample weather folders (tests/data/weather) -- time announcements in 12 and 24 hours, greetings,
# identifications, connects and disconnects with spelled calls, DTMF replies, weather
# conditions, forecast and alerts -- and every text it spoke or read from a file is taken from
# its air log, one sentence a line. Every voice of both engines then says each of them into a
# 16 kHz mono WAV file, and pocketsphinx (Debian's, US English model) writes down what it hears.
#
# Per voice: the word error rate against the text (numbers and times compared as spoken words,
# spelled letters joined), and the synthesis speed as a multiple of real time (audio seconds per
# second of the synthesis thread's CPU time; the wall-clock figure beside it depends on what else
# the machine is doing). A machine recogniser is not a human ear on an FM channel: the figures
# compare voices repeatably, they do not measure how a listener on the air hears them.
#
#   bash scripts/measure-voices.sh [WORKDIR]     (kept when given, else a temporary folder)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
model=/usr/share/pocketsphinx/model/en-us
for tool in pocketsphinx_batch; do
    command -v "$tool" >/dev/null || { echo "needs $tool: bash scripts/deps.sh" >&2; exit 1; }
done
[ -d "$model/en-us" ] || { echo "needs pocketsphinx-en-us: bash scripts/deps.sh" >&2; exit 1; }

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target voxclock voice_bench >/dev/null
voxclock=$(find "$build" -type f -name voxclock -perm -u+x | head -1)
bench=$build/bench/voice_bench

if [ $# -ge 1 ]; then work=$1; mkdir -p "$work"; else
    work=$(mktemp -d /tmp/voxclock-voices-XXXXXX); trap 'rm -rf "$work"' EXIT; fi

# An afternoon of traffic: stations come and go, radio users ask for the time, the connected
# list and the weather.
cat >"$work/afternoon.events" <<'EVENTS'
15:41:00 connect W1AW
15:43:00 dtmf 99*
15:44:00 dtmf 44*
15:45:00 dtmf 55*
15:46:00 dtmf 33*
15:48:00 dtmf 00*
15:50:00 connect K1ABC-L
15:52:00 dtmf 77*
15:55:00 disconnect W1AW
15:58:00 connect VE3XYZ-R
16:00:05 dtmf 00*
16:03:00 disconnect K1ABC-L
16:07:00 dtmf 00*
16:09:00 connect G4ABC
16:12:00 disconnect VE3XYZ-R
16:20:00 disconnect G4ABC
16:33:00 dtmf 00*
EVENTS

# Three runs of the same afternoon: 12-hour time, 24-hour time, and calls written out for the
# other voice type. Lines of the positional settings file: 49 local connect notices, 52 the voice
# type, 62 24-hour time, 69 the time after a connect notice.
logs=()
for run in "12 0 0" "24 1 0" "att 0 1"; do
    read -r name time24 att <<<"$run"
    home=$work/home-$name
    rm -rf "$home" "$work/sim-$name"
    cp -r tests/data/weather "$home"
    sed -i -e '49s/.*/ 1 /' -e "52s/.*/ $att /" -e "62s/.*/ $time24 /" -e '69s/.*/ 1 /' \
        "$home/voxclock.ini"
    "$voxclock" simulate --home "$home" --from "2026-06-05 15:40:00" --to "2026-06-05 16:40:00" \
        --events "$work/afternoon.events" --workdir "$work/sim-$name" >"$work/air-$name.jsonl"
    logs+=("$work/air-$name.jsonl")
done
"$bench" sentences "${logs[@]}" >"$work/sentences.txt"
echo "$(wc -l <"$work/sentences.txt") sentences the program says (in $work/sentences.txt)"

"$bench" synth "$work/sentences.txt" "$work/voices" >"$work/voices.txt"
# The recogniser in one pass with narrow beams (about a tenth of real time): the same settings for
# every voice, so the comparison holds, at a few points of absolute accuracy.
recognise() {
    pocketsphinx_batch -adcin yes -cepdir "$1" -cepext .wav -ctl "$1/ctl" \
        -hmm "$model/en-us" -lm "$model/en-us.lm.bin" -dict "$model/cmudict-en-us.dict" \
        -fwdflat no -bestpath no -topn 2 -maxhmmpf 3000 -maxwpf 10 -pl_window 5 \
        -hyp "$1/hyp" >"$1/recogniser.log" 2>&1
}
export -f recognise
export model
xargs -P "$(nproc)" -I{} bash -c 'recognise "$1"' _ {} <"$work/voices.txt"

printf '\n| Voice | Word error rate | Synthesis, x real time (CPU) | (wall) |\n|---|---|---|---|\n'
while read -r dir; do
    read -r wer errors words < <("$bench" score "$work/sentences.txt" "$dir/hyp")
    read -r audio cpu wall <"$dir/speed"
    awk -v v="$(basename "$dir")" -v w="$wer" -v e="$errors" -v n="$words" -v a="$audio" \
        -v c="$cpu" -v t="$wall" 'BEGIN { printf "| %s | %.1f %% (%d of %d) | %.0fx | %.0fx |\n",
                                          v, w, e, n, a / c, a / t }'
done <"$work/voices.txt"
