#!/usr/bin/env bash
# Builds the Debian package: a Release build without tests and benchmarks in its own folder
# (default: build-deb), then `cpack -G DEB` there. Prints the package's path last.
# Extra arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${ORLAMO_BUILD_DIR:-$root/build-deb}
ORLAMO_BUILD_DIR=$build_dir "$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release -DORLAMO_BUILD_TESTS=OFF -DORLAMO_BUILD_BENCH=OFF "$@"
rm -f "$build_dir"/orlamo_*.deb
(cd "$build_dir" && cpack -G DEB >cpack.log) || { cat "$build_dir/cpack.log" >&2; exit 1; }
ls "$build_dir"/orlamo_*.deb
