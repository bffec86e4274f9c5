#!/usr/bin/env bash
# The display goes away under the program (the X server ends, or a logout
# ends it first). The program ends at once as a quit would: the bounds the
# window was last moved to and the folder are saved, and its exit status,
# 69, says that the display was lost. So it does with the folder dialog
# open, while a helper runs, and while a script handed to Illustrator runs,
# which goes on to its end.
#
# Each case runs in a process of its own, with a display of its own.
if [ "$#" -eq 1 ]; then
    for case in idle folder_dialog helper script; do
        bash "$0" "$1" "$case" || exit 1
    done
    echo "PASS $(basename -- "$0" .sh)"
    exit 0
fi
. "$(dirname -- "$0")/lib.sh" "$@"
case=$2

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_standin_running yes
e2e_write_prefs 30 60 150 200 "$folder"
e2e_program_copy
e2e_start

moved_to() { e2e_geometry && [ "$WIN_X" -eq "$1" ] && [ "$WIN_Y" -eq "$2" ]; }
xdotool windowmove "$QM_WIN" 500 400
e2e_poll 5 moved_to 500 400 || e2e_fail "$case: the window did not move"
saved=$(printf '500\n%s\n150\n200\n%s' $((400 + BAR)) "$folder")
sleep 0.2  # for the program to hear of it

case $case in
folder_dialog)
    e2e_click 75 187
    e2e_other_window
    ;;
helper)
    # The front-application helper, run once a second, takes a while now.
    marks=$QUILLMERE_STANDIN_DIR/helper.started
    e2e_replace_script 169 'echo >>"$QUILLMERE_STANDIN_DIR/helper.started"; sleep 2; echo Quillmere'
    e2e_poll 5 test -s "$marks" || e2e_fail "$case: the slow helper did not start"
    ;;
script)
    e2e_replace_script 172 'echo started >>"$QUILLMERE_STANDIN_DIR/script.log"; sleep 3
echo ended >>"$QUILLMERE_STANDIN_DIR/script.log"'
    e2e_measure_rows
    e2e_double_click_row 0
    e2e_poll 5 grep -q started "$QUILLMERE_STANDIN_DIR/script.log" || e2e_fail "$case: the script did not start"
    ;;
esac

kill "$XVFB_PID"
gone=$(e2e_now_ms)
e2e_wait_exit 10
took=$(($(e2e_now_ms) - gone))
e2e_log "$case: ended ${took} ms after the display, with status $QM_STATUS"
[ "$QM_STATUS" -eq 69 ] || e2e_fail "$case: exit status $QM_STATUS, expected 69"
[ "$took" -le 1500 ] || e2e_fail "$case: the program took $took ms to end"
[ "$(sed -n 1,5p -- "$E2E_PREFS")" = "$saved" ] || e2e_fail "$case: saved $(tr '\n' '|' <"$E2E_PREFS")"
if [ "$case" = script ]; then
    e2e_poll 6 grep -q ended "$QUILLMERE_STANDIN_DIR/script.log" || e2e_fail "$case: the script did not reach its end"
fi
