#!/usr/bin/env bash
# The preferences file brings back the window's bounds and the listed folder
# (a path in Japanese), and a close writes the same five lines back.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/スクリプト集
mkdir -p -- "$folder/道具"
: >"$folder/書き出し.jsx" && : >"$folder/a.scpt" && : >"$folder/道具/x.js"
e2e_write_prefs 40 80 150 200 "$folder"
cp -- "$E2E_PREFS" "$E2E_TMP/written.pref"
e2e_standin_running yes
e2e_start

# The bounds are those of the content area, below the menu bar.
e2e_geometry
[ "$WIN_X" -eq 40 ] && [ "$WIN_W" -eq 150 ] && [ $((WIN_Y + BAR)) -eq 80 ] && [ "$BAR" -ge 0 ] ||
    e2e_fail "content at $WIN_X,$((WIN_Y + BAR)) ${WIN_W}x$((WIN_H - BAR)) (menu bar $BAR), expected 40,80 150x200"

e2e_expect_rows 3 window.png

e2e_close_request
e2e_expect_clean_exit
cmp -s -- "$E2E_TMP/written.pref" "$E2E_PREFS" ||
    e2e_fail "the file changed: $(od -c "$E2E_PREFS" | head -n 8)"
echo "PASS $E2E_NAME"
