#!/usr/bin/env bash
# The window follows the front application, checked once a second: shown
# while Illustrator or Quillmere is in front, hidden otherwise.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_write_prefs 20 40 150 200 "$folder"
e2e_standin_running yes
e2e_start

# front text -> what the window must do within a tick and a half
while read -r line; do
    front=${line% *} state=${line##* }
    [ "$front" = '""' ] && front=""
    e2e_set_front "$front"
    e2e_poll 1.6 "e2e_is_$state" || e2e_fail "front '$front': the window is $(e2e_map_state), expected $state"
done <<'CASES'
Finder hidden
Illustrator shown
"" hidden
Quillmere shown
Adobe Photoshop hidden
CASES

e2e_set_front Illustrator
e2e_poll 1.6 e2e_is_shown || e2e_fail "the window did not come back"
e2e_close_request
e2e_expect_clean_exit
echo "PASS $E2E_NAME"
