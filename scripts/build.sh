#!/usr/bin/env bash
# Configures and builds into a build folder (default: build). Extra arguments go to cmake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${ORLAMO_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
