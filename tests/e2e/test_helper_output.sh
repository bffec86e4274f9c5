#!/usr/bin/env bash
# A front-application helper that writes without end, at every tick: the
# program keeps only the first part of what it writes, so its memory stays
# small, and the helper is still stopped at its time limit.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_standin_running yes
e2e_program_copy
e2e_replace_script 169 'exec yes Illustrator'
e2e_write_prefs 30 60 150 200 "$folder"
e2e_start
# A tick's helper runs into its 5 s limit, and the next one starts.
sleep 7
e2e_alive || e2e_fail "the program ended"
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$QM_PID/status")
e2e_log "peak memory: $((peak_kb / 1024)) MB"
[ "$peak_kb" -lt $((300 * 1024)) ] || e2e_fail "the program took $((peak_kb / 1024)) MB"
# None of the helpers has outlived its limit.
for pid in $(pgrep -f '^yes Illustrator$' || true); do
    age=$(ps -o etimes= -p "$pid" | tr -d ' ')
    [ -z "$age" ] || [ "$age" -le 6 ] || e2e_fail "a helper has run for $age s"
done
e2e_close_request
e2e_expect_clean_exit 10
echo "PASS $E2E_NAME"
