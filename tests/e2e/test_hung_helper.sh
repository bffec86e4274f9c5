#!/usr/bin/env bash
# The front-application helper hangs. A close request still ends the
# program once the helper's time limit has stopped it, a SIGTERM at once and
# without a word of failure; either way the preferences are saved and
# nothing of the helper is left.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_standin_running yes
# The helper and the sleep it starts note their pids.
pids=$QUILLMERE_STANDIN_DIR/hung.pids
e2e_program_copy
e2e_replace_script 169 'echo $$ >>"$QUILLMERE_STANDIN_DIR/hung.pids"
sleep 600 &
echo $! >>"$QUILLMERE_STANDIN_DIR/hung.pids"
wait'
hanging() { [ -s "$pids" ] && ! e2e_none_running "$pids"; }

# way, and how long the ending may take once asked for, in ms: the time
# limit of 5 s for the close, which waits for the helper to be stopped.
for case in "close_request 7000" "signal 1500"; do
    way=${case% *} patience=${case#* }
    : >"$pids"
    e2e_write_prefs 30 60 150 200 "$folder"
    e2e_start
    rm -f -- "$E2E_PREFS"
    e2e_poll 5 hanging || e2e_fail "$way: the helper did not start"
    asked=$(e2e_now_ms)
    if [ "$way" = signal ]; then kill -TERM "$QM_PID"; else e2e_close_request; fi
    e2e_expect_clean_exit 15
    took=$(($(e2e_now_ms) - asked))
    e2e_log "$way: ended ${took} ms after it was asked"
    [ "$took" -le "$patience" ] || e2e_fail "$way: the program took $took ms to end"
    [ "$(sed -n 1,5p "$E2E_PREFS")" = "$(printf '30\n60\n150\n200\n%s' "$folder")" ] ||
        e2e_fail "$way: preferences not saved: $(tr '\n' '|' <"$E2E_PREFS" 2>/dev/null)"
    e2e_poll 2 e2e_none_running "$pids" || e2e_fail "$way: the helper or its sleep still runs"
    # Stopped because the program ends, the helper did not fail.
    if [ "$way" = signal ] && grep -q '^quillmere:' "$E2E_TMP/quillmere.log"; then
        e2e_fail "$way: the ending was reported as a failure: $(grep '^quillmere:' "$E2E_TMP/quillmere.log")"
    fi
done
echo "PASS $E2E_NAME"
