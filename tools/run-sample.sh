#!/usr/bin/env bash
# Builds Quillmere (Release, in build/) and runs it on the sample scripts
# folder samples/Scripts, with its own preferences and a running stand-in
# Illustrator. On a usable $DISPLAY the window stays until you close it;
# without one the program runs on a virtual display, a screenshot is saved
# and the window is closed again.
set -euo pipefail
cd -- "$(dirname -- "$0")/.."
repo=$PWD
build=${BUILD_DIR:-build}

bash tools/install-dependencies.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)" --target quillmere
binary=$(realpath -- "$build/quillmere")
samples=$repo/samples/Scripts

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    state=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-sample.XXXXXX")
    trap 'rm -rf -- "$state"' EXIT
    mkdir -p -- "$state/config" "$state/standin"
    printf '%s\n' 100 100 150 200 "$samples" >"$state/config/fennic.pref"
    : >"$state/standin/running"
    echo "run-sample: Quillmere is open on $DISPLAY; close its window to end."
    echo "run-sample: what the stand-in Illustrator is given lands in $state/standin"
    XDG_CONFIG_HOME=$state/config QUILLMERE_STANDIN_DIR=$state/standin "$binary"
    exit
fi

# No display: the end-to-end harness brings a virtual one and a private home.
. "$repo/tests/e2e/lib.sh" "$binary"
e2e_write_prefs 100 100 150 200 "$samples"
e2e_standin_running yes
e2e_start
screenshot=$(dirname -- "$binary")/sample-screenshot.png
e2e_shot "$screenshot"
e2e_close_request
e2e_expect_clean_exit
echo "run-sample: no display; the window ran on a virtual one. Screenshot: $screenshot"
