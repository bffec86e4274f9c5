#!/usr/bin/env bash
# The program ends cleanly both ways a user ends it, the quit shortcut and
# the window's close button, and saves its preferences each time.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_standin_running yes

for way in quit_shortcut close_request; do
    e2e_write_prefs 30 60 150 200 "$folder"
    e2e_start
    # Whatever is there after the close was written by the close.
    rm -f -- "$E2E_PREFS"
    "e2e_$way"
    e2e_expect_clean_exit
    [ -f "$E2E_PREFS" ] || e2e_fail "$way: no preferences file after the close"
    lines=$(wc -l <"$E2E_PREFS")
    [ "$lines" -eq 5 ] || e2e_fail "$way: the preferences file has $lines lines, not 5"
    [ "$(sed -n 3,5p "$E2E_PREFS")" = "$(printf '150\n200\n%s' "$folder")" ] ||
        e2e_fail "$way: size and folder not saved: $(tr '\n' '|' <"$E2E_PREFS")"
done
echo "PASS $E2E_NAME"
