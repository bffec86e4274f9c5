#!/usr/bin/env bash
# Without the version, front-application and JavaScript helpers the program
# keeps running: the window opens and stays, a double-click on a script says
# that it could not be run and then hands the front back to Illustrator, each
# missing helper is told once on standard error, and the preferences are
# saved at the close and on a SIGTERM while the message is open.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/Hello.jsx"
e2e_standin_running yes
e2e_program_copy
for missing in 168 169 172; do e2e_replace_script "$missing"; done
front_is() { [ "$(cat -- "$QUILLMERE_STANDIN_DIR/front" 2>/dev/null)" = "$1" ]; }

# open_message: a double-click on Hello.jsx, and the message it brings.
open_message() {
    e2e_set_front Illustrator
    e2e_measure_rows
    e2e_double_click_row 0
    e2e_other_window
    front_is Quillmere || e2e_fail "the program did not come to the front for its message"
}

for ending in close_request signal; do
    e2e_write_prefs 30 60 150 200 "$folder"
    e2e_start
    rm -f -- "$E2E_PREFS"
    if [ "$ending" = close_request ]; then
        sleep 2.5  # a few ticks of the timer, each without its helper
        e2e_alive || e2e_fail "the program ended"
        e2e_is_shown || e2e_fail "the window was hidden"
    fi
    open_message
    if [ "$ending" = close_request ]; then
        e2e_shot "$E2E_OUT/message.png" "$OTHER_WIN"
        E2E_KEY_WINDOW=$OTHER_WIN e2e_key Return
        e2e_poll 5 e2e_no_other_window || e2e_fail "the message did not go away"
        e2e_poll 3 front_is Illustrator || e2e_fail "Illustrator was not brought back to the front"
        e2e_alive || e2e_fail "the program ended after the message"
        e2e_close_request
    else
        kill -TERM "$QM_PID"
    fi
    e2e_expect_clean_exit 5
    [ "$(sed -n 1,5p "$E2E_PREFS")" = "$(printf '30\n60\n150\n200\n%s' "$folder")" ] ||
        e2e_fail "$ending: preferences not saved: $(tr '\n' '|' <"$E2E_PREFS" 2>/dev/null)"
    for missing in 168 169 172; do
        told=$(grep -c "compiled script $missing cannot be run" "$E2E_TMP/quillmere.log" || true)
        [ "$told" -eq 1 ] || e2e_fail "$ending: script $missing was told $told times on standard error"
    done
done
echo "PASS $E2E_NAME"
