#!/usr/bin/env bash
# What the user sees: a window titled "Quillmere" whose content area is 150
# wide, with the list on top and the folder button along the bottom.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder"
: >"$folder/a.jsx" && : >"$folder/b.scpt"
e2e_write_prefs 20 40 150 200 "$folder"
e2e_standin_running yes
# Another program's window of the same title, away from ours: the tests'
# lookups must not take it for one of the program's.
xmessage -geometry +700+500 -title Quillmere "another program" 2>/dev/null &
other_program=$!
other_shown() { [ -n "$(xdotool search --onlyvisible --classname '^xmessage$' 2>/dev/null)" ]; }
e2e_poll 10 other_shown || e2e_fail "xmessage showed no window"
e2e_start
[ "$(e2e_visible_windows)" = "$QM_WIN" ] || e2e_fail "the program's windows: $(e2e_visible_windows | tr '\n' ' ')"

title=$(xprop -id "$QM_WIN" _NET_WM_NAME WM_NAME)
grep -qx '_NET_WM_NAME(UTF8_STRING) = "Quillmere"' <<<"$title" || e2e_fail "title: $title"

e2e_geometry
[ "$WIN_W" -eq 150 ] || e2e_fail "the window is $WIN_W wide, not 150"
[ "$BAR" -ge 0 ] && [ "$BAR" -lt 60 ] || e2e_fail "the window is $WIN_H high: no 200-high content under a menu bar"

# The list shows the two names in its first rows (row 0 at the very top)...
e2e_expect_rows 2 window.png
shot=$E2E_OUT/window.png
# ...and the button's caption sits in the button's band, 177 to 197, below
# the list's bottom at 174.
mapfile -t caption < <(e2e_bands "$shot" 10 $((BAR + 172)) 130 28 dark)
[ "${#caption[@]}" -ge 1 ] || e2e_fail "no caption at the bottom of the window"
set -- ${caption[-1]}
[ $((172 + $1)) -ge 177 ] && [ $((172 + $2)) -le 197 ] ||
    e2e_fail "the caption's text lies at y $((172 + $1))..$((172 + $2)), outside the button"

e2e_close_request
e2e_expect_clean_exit
kill "$other_program"
echo "PASS $E2E_NAME"
