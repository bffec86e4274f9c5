#!/usr/bin/env bash
# Saved bounds that no screen can show bring the window onto the 1024 by 768
# screen, no larger than it, and the close saves what was shown; so does a
# menu bar above the screen's top. Bounds that fit, or that reach past the
# right or bottom edge, are left as they were.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_standin_running yes

# start_with LEFT TOP WIDTH HEIGHT: starts with those saved bounds; WIN_*
# tell where the window is.
start_with() {
    e2e_write_prefs "$@" "$folder"
    e2e_start
    e2e_geometry
    e2e_shot "$E2E_OUT/$1x$3.png"
}

# close_and_read: closes the window; SAVED is the four bounds saved, one line.
close_and_read() {
    e2e_close_request
    e2e_expect_clean_exit
    SAVED=$(head -n 4 -- "$E2E_PREFS" | paste -sd ' ')
    [ "$(sed -n 5p -- "$E2E_PREFS")" = "$folder" ] || e2e_fail "the folder line changed: $(cat -- "$E2E_PREFS")"
}

start_with 40 80 150 200
[ "$WIN_X" -eq 40 ] && [ $((WIN_Y + BAR)) -eq 80 ] && [ "$WIN_W" -eq 150 ] ||
    e2e_fail "bounds that fit were shown at $WIN_X,$WIN_Y ${WIN_W}x$WIN_H"
bar=$BAR
close_and_read
[ "$SAVED" = "40 80 150 200" ] || e2e_fail "bounds that fit were saved as $SAVED"

# saved bounds -> the content area shown and saved
for fit in "40 0 150 200 -> 40 $bar 150 200" "950 700 150 200 -> 950 700 150 200"; do
    bounds=${fit% -> *} expected=${fit#* -> }
    start_with $bounds
    shown="$WIN_X $((WIN_Y + BAR)) $WIN_W $((WIN_H - BAR))"
    [ "$shown" = "$expected" ] || e2e_fail "saved $bounds: the content area was shown at $shown, not $expected"
    close_and_read
    [ "$SAVED" = "$expected" ] || e2e_fail "saved $bounds: the close saved $SAVED, not $expected"
done

for bounds in "100 100 32000 32000" "40000 40000 150 200"; do
    start_with $bounds
    [ "$WIN_X" -ge 0 ] && [ "$WIN_Y" -ge 0 ] && [ $((WIN_X + WIN_W)) -le 1024 ] && [ $((WIN_Y + WIN_H)) -le 768 ] ||
        e2e_fail "saved $bounds: the window lies at $WIN_X,$WIN_Y ${WIN_W}x$WIN_H, not inside the 1024x768 screen"
    # What is saved is the content area shown, below the menu bar.
    shown="$WIN_X $((WIN_Y + bar)) $WIN_W $((WIN_H - bar))"
    close_and_read
    [ "$SAVED" = "$shown" ] || e2e_fail "saved $bounds: the close saved $SAVED, the screen showed $shown"
    e2e_log "saved $bounds: shown and saved as $SAVED"
done
echo "PASS $E2E_NAME"
