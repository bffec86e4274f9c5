#!/usr/bin/env bash
# The program finds its compiled scripts beside its executable wherever it
# is started from: from another working folder, and through a symbolic link
# in a folder that holds no scripts. Each start shows the window (script 168
# ran) and a double-click runs a script (script 172 ran).
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts elsewhere=$E2E_TMP/elsewhere
mkdir -p -- "$folder" "$elsewhere/bin"
: >"$folder/a.jsx"
ln -s -- "$QUILLMERE" "$elsewhere/bin/quillmere"
e2e_standin_running yes
cd -- "$elsewhere"

tab=$'\t'
ran() { [ "$(cat -- "$E2E_RAN_LOG" 2>/dev/null)" = "$1" ]; }

start_and_run() {  # start_and_run HOW PROGRAM
    e2e_log "started $1"
    rm -f -- "$E2E_RAN_LOG"
    e2e_write_prefs 20 40 150 200 "$folder"
    QUILLMERE=$2 e2e_start
    e2e_measure_rows
    e2e_double_click_row 0
    e2e_poll 5 ran "172${tab}$folder/a.jsx" || e2e_fail "started $1: a.jsx did not run"
    e2e_close_request
    e2e_expect_clean_exit
}

start_and_run "from another folder" "$QUILLMERE"
start_and_run "through a symbolic link" ./bin/quillmere
echo "PASS $E2E_NAME"
