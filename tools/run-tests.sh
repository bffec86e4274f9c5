#!/usr/bin/env bash
# Builds Quillmere twice and runs every test in each build: a normal build
# (build/) and one with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/). Exits non-zero when a build or a test fails.
#   BUILD_DIR, ASAN_BUILD_DIR: other build folders; JOBS: parallel jobs.
set -euo pipefail
cd -- "$(dirname -- "$0")/.."
build=${BUILD_DIR:-build}
asan_build=${ASAN_BUILD_DIR:-build-asan}
jobs=${JOBS:-8}

bash tools/install-dependencies.sh

# Unit tests run in parallel; the end-to-end ones are marked RUN_SERIAL.
# A test without a time limit of its own gets 300 s.
ctest_args=(--output-on-failure --no-tests=error -j"$jobs" --timeout 300)
failed=()

# run_build NAME DIR CMAKE-OPTIONS...: configure, build, test.
run_build() {
    local name=$1 dir=$2
    shift 2
    echo "=== $name build in $dir"
    if ! cmake -S . -B "$dir" "$@" || ! cmake --build "$dir" -j"$jobs"; then
        failed+=("$name build")
        return
    fi
    echo "=== $name tests"
    ctest --test-dir "$dir" "${ctest_args[@]}" || failed+=("$name tests")
}

run_build normal "$build" -DCMAKE_BUILD_TYPE=Release

# A leak fails a test. What the libraries under Qt keep until the process
# ends, the Qt backend itself tells the leak checker to pass over.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:detect_stack_use_after_return=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=print_suppressions=0
run_build sanitized "$asan_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMERE_SANITIZE=ON -DQUILLMERE_BENCHMARKS=OFF

if [ "${#failed[@]}" -gt 0 ]; then
    printf 'run-tests: FAILED: %s\n' "${failed[@]}" >&2
    exit 1
fi
echo "run-tests: all builds and tests passed"
