#!/usr/bin/env bash
# A short headless tour of orlamo-cli on the example library: list the archive and the playlist,
# compile the playlist into a work file, check it and unpack it again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${ORLAMO_CLI:-$root/build/bin/orlamo-cli}
examples=$root/examples
[ -x "$cli" ] || { echo "demo.sh: $cli is not built (run scripts/build.sh)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orlamo-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT

step() {
    printf '\n==> %s\n' "$*"
    "$@"
}

step "$cli" list "$examples/station.arh"
step "$cli" list "$examples/station.pla"
step "$cli" compile "$examples/station.pla" -o "$work/station.wrk"
step "$cli" info "$work/station.wrk"
step "$cli" extract "$work/station.wrk" -d "$work/extracted"
step "$cli" inspect "$work/extracted/slot-001.wav" "$work/extracted/slot-245.wav"
printf '\nDemo finished; the work file and the extracted waves were written to %s and removed again.\n' "$work"
