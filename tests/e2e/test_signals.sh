#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP (a logout, a Ctrl+C, a closed terminal) end the
# program as its quit entry does: the window's new place is saved and the
# exit status is 0.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_standin_running yes
moved_to() { e2e_geometry && [ "$WIN_X" -eq "$1" ] && [ "$WIN_Y" -eq "$2" ]; }

for signal in TERM INT HUP; do
    e2e_write_prefs 30 60 150 200 "$folder"
    e2e_start
    xdotool windowmove "$QM_WIN" 210 160
    e2e_poll 5 moved_to 210 160 || e2e_fail "SIG$signal: the window did not move"
    sleep 0.3  # for the program to hear of it
    kill -s "$signal" "$QM_PID"
    e2e_expect_clean_exit 5
    [ "$(sed -n 1,5p "$E2E_PREFS")" = "$(printf '210\n%s\n150\n200\n%s' $((160 + BAR)) "$folder")" ] ||
        e2e_fail "SIG$signal: saved $(tr '\n' '|' <"$E2E_PREFS")"
done
echo "PASS $E2E_NAME"
