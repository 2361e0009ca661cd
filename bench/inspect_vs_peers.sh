#!/usr/bin/env bash
# Times `orlamo-cli inspect` against two peers that read the same wave headers, over the same
# generated files: soxi (from sox) and Python's wave module. Each peer runs as one process over
# all files, as ours does. Prints each time and the ratio peer time / our time (best of several
# runs). Builds nothing: it expects a built orlamo-cli.
#
# Usage: bench/inspect_vs_peers.sh [--cli PATH] [--runs N] [COUNT]
#   COUNT   number of wave files to generate (default 2000)
#   --cli   the orlamo-cli binary (default $ORLAMO_CLI, else build/bin/orlamo-cli)
#   --runs  timed runs per tool; the best is kept (default 5)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=${ORLAMO_CLI:-$root/build/bin/orlamo-cli}
count=2000
runs=5

usage() { sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; }
while [ $# -gt 0 ]; do
    case $1 in
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --runs) runs=${2:?--runs needs a number}; shift 2 ;;
    -h | --help) usage; exit 0 ;;
    -*) echo "inspect_vs_peers: unknown option $1" >&2; usage >&2; exit 2 ;;
    *) count=$1; shift ;;
    esac
done
for number in "$count" "$runs"; do
    case $number in '' | *[!0-9]* | 0) echo "inspect_vs_peers: COUNT and --runs take a number above 0" >&2; exit 2 ;; esac
done

for tool in sox soxi python3; do
    command -v "$tool" >/dev/null || { echo "inspect_vs_peers: $tool is missing" >&2; exit 2; }
done
[ -x "$cli" ] || { echo "inspect_vs_peers: no orlamo-cli at $cli (build it, or pass --cli)" >&2; exit 2; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/orlamo-peers.XXXXXX")
trap 'rm -rf "$dir"' EXIT

# Six short mono tones written by sox, one per kind of accepted format, copied COUNT times.
formats=("-r 8000 -b 8 -e unsigned-integer" "-r 8000 -b 16" "-r 11025 -b 16" "-r 16000 -b 16"
    "-r 22050 -b 16" "-r 44100 -b 16")
mkdir "$dir/base" "$dir/waves"
for i in "${!formats[@]}"; do
    # shellcheck disable=SC2086
    sox -V1 -n ${formats[$i]} -c 1 "$dir/base/$i.wav" synth 0.2 sine 440
done
python3 - "$dir/base" "$dir/waves" "$count" <<'PY'
import shutil, sys
base, waves, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
for i in range(count):
    shutil.copyfile(f"{base}/{i % 6}.wav", f"{waves}/voice {i:06d}.wav")
PY
files=("$dir"/waves/*.wav)

python_reader='
import sys, wave
for path in sys.argv[1:]:
    with wave.open(path, "rb") as w:
        print(f"{path}: {w.getframerate()} Hz, {w.getsampwidth() * 8} bit, "
              f"{w.getnchannels()} ch, {w.getnframes()} frames")
'

# Best wall time in microseconds of `runs` runs of the command, output discarded.
best_time() {
    local best=0 start end elapsed
    for ((run = 0; run < runs; run++)); do
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        elapsed=$(((end - start) / 1000))
        if [ "$best" -eq 0 ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    done
    echo "$best"
}

# Warm the page cache, and check that every tool reads every file.
"$cli" inspect "${files[@]}" >/dev/null || { echo "inspect_vs_peers: orlamo-cli refused a file" >&2; exit 1; }
soxi "${files[@]}" >/dev/null
python3 -c "$python_reader" "${files[@]}" >/dev/null

ours=$(best_time "$cli" inspect "${files[@]}")
soxi_time=$(best_time soxi "${files[@]}")
python_time=$(best_time python3 -c "$python_reader" "${files[@]}")

report() { # name, microseconds
    awk -v name="$1" -v t="$2" -v n="$count" -v ours="$ours" 'BEGIN {
        printf "%-22s %9.1f ms  %7.2f us/file", name, t / 1000, t / n
        if (t != ours) printf "  ratio %5.1fx%s", t / ours, (t / ours >= 5 ? "" : "  (below the 5x target)")
        printf "\n" }'
}
echo "Inspecting $count wave files, best of $runs runs each"
report "orlamo-cli inspect" "$ours"
report "soxi" "$soxi_time"
report "python3 wave" "$python_time"
