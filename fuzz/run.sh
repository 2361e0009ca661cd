#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60), starting from the
# seed corpus in fuzz/corpus/<target>/. Exits non-zero when any target finds a crash, a hang, a
# leak or a sanitizer report; the input that did it is kept in the build folder's artifacts/.
#   fuzz/run.sh [SECONDS] [TARGET...]
# ORLAMO_FUZZ_BUILD_DIR selects the build folder (default: build-fuzz).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
seconds=${1:-60}
shift || true
build_dir=${ORLAMO_FUZZ_BUILD_DIR:-$root/build-fuzz}

# The core's own build needs, then clang and its fuzzer runtime.
"$root/scripts/install-deps.sh"
"$here/install-deps.sh"
cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for source in "$here"/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

# Readers that take a path get their files here; tmpfs keeps the many small writes cheap.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for target in "${targets[@]}"; do
    seeds="$here/corpus/${target#fuzz_}"
    # New inputs go to a working corpus in the build folder; the seeds in the tree stay as they are.
    work="$build_dir/corpus/$target"
    artifacts="$build_dir/artifacts/$target/"
    mkdir -p "$work" "$artifacts"
    log="$build_dir/$target.log"
    echo "== $target: ${seconds}s (log: $log)"
    if "$build_dir/bin/$target" "$work" "$seeds" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$artifacts" -print_final_stats=1 >"$log" 2>&1; then
        grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units)' "$log" | tail -n 2 || true
    else
        echo "!! $target failed; the last lines of its log:"
        tail -n 40 "$log"
        ls -1 "$artifacts" || true
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}"
    exit 1
fi
echo "Fuzzing: ${#targets[@]} targets ran ${seconds}s each without a fault"
