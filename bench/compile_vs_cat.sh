#!/usr/bin/env bash
# Times `orlamo-cli compile` of a playlist whose 245 slots hold SIZE bytes of wave data in total
# (default 1 GB) against `cat` of the same wave files into one file, and prints the ratio.
# Target: the compile takes at most 1.2 times as long as cat.
#
# Usage: bench/compile_vs_cat.sh [SIZE_BYTES]
# The compile ends with an fsync of the work file (it is renamed into place only once it is on
# disk), so cat is timed twice: alone, and followed by an fsync of its output. To show what the
# copy itself costs, the compile is also timed with fsync turned into a no-op (a small preloaded
# library, built here when a C compiler is at hand). Caches cannot be dropped here: each command
# runs twice, the second run counts.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${ORLAMO_CLI:-$root/build/bin/orlamo-cli}
total=${1:-1000000000}
slots=245
[ -x "$cli" ] || { echo "compile_vs_cat.sh: $cli is not built (run scripts/build.sh)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orlamo-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# 245 mono 16-bit 16 kHz waves of even size; the last one takes the remainder.
python3 - "$work" "$total" "$slots" <<'EOF'
import os, struct, sys
work, total, slots = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
each = (total // slots) & ~1
block = os.urandom(1 << 20)
os.makedirs(os.path.join(work, "wave"))
lines = ["[~bench]"]
for n in range(1, slots + 1):
    size = each if n < slots else total - each * (slots - 1)
    name = "v%03d.wav" % n
    with open(os.path.join(work, "wave", name), "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + size) + b"WAVEfmt " +
                struct.pack("<IHHIIHH", 16, 1, 1, 16000, 32000, 2, 16) +
                b"data" + struct.pack("<I", size))
        left = size
        while left:
            piece = min(left, len(block))
            f.write(block[:piece])
            left -= piece
    lines += ["%d.FileName=%s" % (n, name), "%d.Filepath=wave/" % n,
              "%d.VoiceName=Voice %d" % (n, n), "%d.Descripition=" % n]
with open(os.path.join(work, "bench.pla"), "w", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
EOF

waves=("$work"/wave/v*.wav)
echo "Playlist: ${#waves[@]} slots, $(du -cb "${waves[@]}" | tail -1 | cut -f1) bytes of wave files"

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }'
}

# fsync and fdatasync that return at once, for the copy-only timing.
no_fsync=
if command -v cc >/dev/null; then
    printf 'int fsync(int fd) { (void)fd; return 0; }\nint fdatasync(int fd) { (void)fd; return 0; }\n' \
        >"$work/nofsync.c"
    cc -shared -fPIC -O2 -o "$work/nofsync.so" "$work/nofsync.c" && no_fsync=$work/nofsync.so
fi

run_compile_no_fsync() {
    LD_PRELOAD=$no_fsync "$cli" compile "$work/bench.pla" -o "$work/bench.wrk" --force --allow-large
}
run_compile() { "$cli" compile "$work/bench.pla" -o "$work/bench.wrk" --force --allow-large; }
run_cat() { cat "${waves[@]}" >"$work/cat.out"; }
run_cat_fsync() { cat "${waves[@]}" >"$work/cat.out" && sync "$work/cat.out"; }

# Each run starts with nothing left to flush from the one before.
timed() {
    local first second
    sync
    first=$(seconds "$@")
    rm -f "$work/bench.wrk" "$work/cat.out"
    sync
    second=$(seconds "$@")
    printf '%-22s first %7.3f s, second %7.3f s\n' "$1" "$first" "$second" >&2
    echo "$second"
}

cat_time=$(timed run_cat)
rm -f "$work/cat.out"
cat_sync_time=$(timed run_cat_fsync)
rm -f "$work/cat.out"
if [ -n "$no_fsync" ]; then
    compile_copy_time=$(timed run_compile_no_fsync)
    rm -f "$work/bench.wrk"
fi
compile_time=$(timed run_compile)

"$cli" info "$work/bench.wrk" | sed -n '1,7p'
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "compile / cat:           $(ratio "$compile_time" "$cat_time")"
echo "compile / (cat + fsync): $(ratio "$compile_time" "$cat_sync_time")  (target: at most 1.20)"
if [ -n "$no_fsync" ]; then
    echo "compile without fsync / cat: $(ratio "$compile_copy_time" "$cat_time")  (the copy alone)"
fi
