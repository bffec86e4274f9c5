#!/usr/bin/env bash
# A script handed to Illustrator takes as long as it takes. While it runs the
# window lives on: it follows the front application and is repainted, and a
# second double-click is dropped. A close, the quit entry or a SIGTERM ends
# the program at once, with the preferences saved, and the script goes on to
# its end; one longer than any time limit runs to its end with no message.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/batch.jsx"
e2e_standin_running yes
e2e_program_copy
# The stand-in JavaScript helper takes as many seconds as its `duration`
# file said when it started, and notes its start and its end.
log=$QUILLMERE_STANDIN_DIR/long.log
# At its end it writes to its standard output, which the program that
# started it may have stopped reading.
e2e_replace_script 172 'seconds=$(cat "$QUILLMERE_STANDIN_DIR/duration")
echo "start $$" >>"$QUILLMERE_STANDIN_DIR/long.log"
sleep "$seconds"
echo done
echo "end $$" >>"$QUILLMERE_STANDIN_DIR/long.log"'
count() { grep -c "^$1 " "$log" 2>/dev/null || true; }
started() { [ "$(count start)" -ge "$1" ]; }
ended() { [ "$(count end)" -ge "$1" ]; }

# run_batch N: a double-click on batch.jsx, the program's Nth script.
run_batch() {
    e2e_set_front Illustrator
    e2e_measure_rows
    e2e_double_click_row 0
    e2e_poll 5 started "$1" || e2e_fail "the script did not start"
}

# 1. Ended 2 s into a 20 s script: at once, saved, and the script runs on.
echo 20 >"$QUILLMERE_STANDIN_DIR/duration"
n=0
for way in close_request quit_entry signal; do
    n=$((n + 1))
    e2e_write_prefs 30 60 150 200 "$folder"
    e2e_start
    rm -f -- "$E2E_PREFS"
    run_batch "$n"
    sleep 2
    asked=$(e2e_now_ms)
    case $way in
        close_request) e2e_close_request ;;
        quit_entry) e2e_quit_shortcut ;;
        signal) kill -TERM "$QM_PID" ;;
    esac
    e2e_expect_clean_exit 15
    took=$(($(e2e_now_ms) - asked))
    e2e_log "$way 2 s into the script: ended ${took} ms after it was asked"
    [ "$took" -le 1000 ] || e2e_fail "$way: the program took $took ms to end"
    [ "$(sed -n 1,5p "$E2E_PREFS")" = "$(printf '30\n60\n150\n200\n%s' "$folder")" ] ||
        e2e_fail "$way: preferences not saved: $(tr '\n' '|' <"$E2E_PREFS" 2>/dev/null)"
    [ "$(count end)" -eq 0 ] || e2e_fail "$way: a script ended early"
    if grep -q '^quillmere:' "$E2E_TMP/quillmere.log"; then
        e2e_fail "$way: an ending was reported as a failure"
    fi
done

# 2. A script longer than 30 s, while the window lives on.
echo 32 >"$QUILLMERE_STANDIN_DIR/duration"
e2e_write_prefs 30 60 150 200 "$folder"
e2e_start
run_batch 4
began=$(e2e_now_ms)
e2e_double_click_row 0
e2e_set_front Finder
e2e_poll 3 e2e_is_hidden || e2e_fail "the window did not hide while the script ran"
e2e_set_front Illustrator
e2e_poll 3 e2e_is_shown || e2e_fail "the window did not come back while the script ran"
e2e_settle
e2e_shot "$E2E_OUT/while-running.png"
[ "$(e2e_rows_shown "$E2E_OUT/while-running.png")" -eq 1 ] ||
    e2e_fail "the window was not repainted while the script ran (see $E2E_OUT/while-running.png)"
[ "$(count start)" -eq 4 ] || e2e_fail "a double-click during the script started another"
e2e_poll 40 ended 4 || e2e_fail "the long script did not reach its end"
took=$(($(e2e_now_ms) - began))
e2e_log "the 32 s script ended ${took} ms after it started"
e2e_no_other_window || e2e_fail "a message came with the long script"
e2e_alive || e2e_fail "the program ended with the long script"
if grep -q '^quillmere:' "$E2E_TMP/quillmere.log"; then
    e2e_fail "the long script was reported on standard error"
fi

# The three scripts of part 1, left running by their program, ended too.
[ "$(count end)" -eq 4 ] || e2e_fail "only $(count end) of the 4 scripts reached their end"
e2e_close_request
e2e_expect_clean_exit
echo "PASS $E2E_NAME"
