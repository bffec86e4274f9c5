#!/usr/bin/env bash
# Double-clicks on the list: a script row runs its file through the stand-in
# Illustrator, a folder row opens or closes and runs nothing, a child row
# runs the file inside its folder, an applet is launched. A child whose
# name holds the list's own separator "<>" is one row and runs itself.
. "$(dirname -- "$0")/lib.sh" "$@"

# Listed without regard to letter case, hidden entries left out:
#   0 A.jsx   1 b Tools/ (b.scpt, c<>d.jsx)   2 Batch.app   3 C.js
# A byte-wise order would put C.js before "b Tools"; a listed .DS_Store
# would come first of all.
folder=$E2E_TMP/Scripts
mkdir -p -- "$folder/b Tools"
: >"$folder/A.jsx" && : >"$folder/C.js" && : >"$folder/.DS_Store"
: >"$folder/b Tools/b.scpt" && : >"$folder/b Tools/.hidden.jsx" && : >"$folder/b Tools/c<>d.jsx"
printf '#!/bin/sh\necho launched >>"$QUILLMERE_STANDIN_DIR/launched.log"\n' >"$folder/Batch.app"
chmod +x "$folder/Batch.app"
e2e_write_prefs 20 40 150 200 "$folder"
e2e_standin_running yes
e2e_start
e2e_measure_rows

ran() { [ -f "$E2E_RAN_LOG" ] && [ "$(cat -- "$E2E_RAN_LOG")" = "$1" ]; }
expect_ran() {
    e2e_poll 5 ran "$1" || e2e_fail "$2: ran.log holds '$(cat -- "$E2E_RAN_LOG" 2>/dev/null)', expected '$1'"
}
tab=$'\t'
a="172${tab}$folder/A.jsx"
b="171${tab}$folder/b Tools/b.scpt"
cd="172${tab}$folder/b Tools/c<>d.jsx"
c="172${tab}$folder/C.js"

e2e_double_click_row 0
expect_ran "$a" "row 0"
e2e_double_click_row 1  # opens "b Tools": its listed children become rows 2 and 3
e2e_expect_rows 6 open-folder.png
e2e_double_click_row 2
expect_ran "$a"$'\n'"$b" "the child row"
e2e_double_click_row 3
expect_ran "$a"$'\n'"$b"$'\n'"$cd" "the child row whose name holds \"<>\""
e2e_double_click_row 1  # closes it: row 2 is Batch.app again
e2e_double_click_row 2
e2e_poll 5 test -s "$QUILLMERE_STANDIN_DIR/launched.log" || e2e_fail "Batch.app was not launched"
e2e_double_click_row 3
expect_ran "$a"$'\n'"$b"$'\n'"$cd"$'\n'"$c" "row 3 after the folder closed"

e2e_close_request
e2e_expect_clean_exit
echo "PASS $E2E_NAME"
