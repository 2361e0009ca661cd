#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. Exits non-zero on any failure.
# ORLAMO_BUILD_DIR and extra cmake arguments select another build (CI uses this for sanitizers).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$@"
build_dir=${ORLAMO_BUILD_DIR:-$root/build}
cd "$build_dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
