# Sourced by the end-to-end tests, with the path of the quillmere binary:
#
#     . "$(dirname -- "$0")/lib.sh" "$@"
#
# Each test gets its own virtual X display (Xvfb), its own HOME, preferences
# folder (XDG_CONFIG_HOME), state folder and Illustrator stand-in folder
# (QUILLMERE_STANDIN_DIR), all in one temporary folder that the exit trap
# removes, after it has ended the program and the display.
#
# No window manager runs on the display, on purpose: windows are then placed
# exactly where the program asks and have no frame, so the X window IS the
# program's window (menu bar on top, then the 150 by 200 content area), and
# xwininfo tells its bounds without guessing at decorations. What a window
# manager would do, we do ourselves: give the keyboard focus
# (xdotool windowfocus, i.e. XSetInputFocus) and send the close request
# (tools/close-request.c: a WM_PROTOCOLS/WM_DELETE_WINDOW client message).
#
# Rows of the list. The list fills the content area from its top-left; its
# rows have one fixed height that depends on the font the machine has, so
# e2e_measure_rows finds it on the screen instead of assuming it: it clicks
# the first line of text in the list, which selects row 0, and takes the
# selection highlight (the only saturated blue-ish band in the list) for the
# row's top and height. Row k's centre is then top + k*height + height/2.

set -euo pipefail

E2E_NAME=$(basename -- "$0" .sh)
if [ "$#" -lt 1 ] || [ ! -x "$1" ]; then
    echo "FAIL $E2E_NAME: give the path of the quillmere binary (got '${1:-}')" >&2
    exit 1
fi
QUILLMERE=$(realpath -- "$1")
E2E_LIB_DIR=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO=$(cd -- "$E2E_LIB_DIR/../.." && pwd)
# Screenshots are kept beside the binary, where a failed run can be looked at.
E2E_OUT=$(dirname -- "$QUILLMERE")/e2e-output/$E2E_NAME
E2E_CONTENT_HEIGHT=200  # the tests keep the design height
QM_PID="" QM_WIN="" QM_STATUS="" XVFB_PID=""

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-e2e.XXXXXX")
e2e_cleanup() {
    local pid
    for pid in "$QM_PID" "$XVFB_PID"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    for pid in "$QM_PID" "$XVFB_PID"; do
        [ -n "$pid" ] || continue
        for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf -- "$E2E_TMP"
}
trap e2e_cleanup EXIT

mkdir -p -- "$E2E_OUT" "$E2E_TMP"/{home,config,state,cache,data,standin,runtime}
chmod 700 "$E2E_TMP/runtime"
export HOME=$E2E_TMP/home XDG_CONFIG_HOME=$E2E_TMP/config XDG_STATE_HOME=$E2E_TMP/state
export XDG_CACHE_HOME=$E2E_TMP/cache XDG_DATA_HOME=$E2E_TMP/data XDG_RUNTIME_DIR=$E2E_TMP/runtime
export QUILLMERE_STANDIN_DIR=$E2E_TMP/standin
export LANG=C.UTF-8 LC_ALL=C.UTF-8
# Qt on plain X with its own dialogs and styles: nothing of the desktop that
# happens to run the tests.
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_FONT_DPI \
    XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
E2E_PREFS=$XDG_CONFIG_HOME/fennic.pref
E2E_RAN_LOG=$QUILLMERE_STANDIN_DIR/ran.log

e2e_log() { printf '%s: %s\n' "$E2E_NAME" "$*" >&2; }

e2e_fail() {
    printf 'FAIL %s: %s\n' "$E2E_NAME" "$*" >&2
    if [ -s "$E2E_TMP/quillmere.log" ]; then
        echo "--- what the program wrote:" >&2
        tail -n 40 -- "$E2E_TMP/quillmere.log" >&2
    fi
    exit 1
}

e2e_now_ms() { local t=${EPOCHREALTIME/[.,]/}; echo $((t / 1000)); }

# e2e_poll SECONDS COMMAND...: runs COMMAND until it succeeds, every 50 ms;
# 1 when SECONDS (which may have a fraction) have passed first.
e2e_poll() {
    local deadline
    deadline=$(($(e2e_now_ms) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000 }')))
    shift
    until "$@"; do
        [ "$(e2e_now_ms)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# --- the display ---------------------------------------------------------

command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed (tools/install-dependencies.sh)"
# -displayfd: Xvfb takes a free display number and writes it once it serves.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
XVFB_PID=$!
e2e_display_ready() { [ -s "$E2E_TMP/display" ] && grep -q '^[0-9]' "$E2E_TMP/display"; }
e2e_poll 15 e2e_display_ready || { cat "$E2E_TMP/xvfb.log" >&2; e2e_fail "Xvfb did not start"; }
export DISPLAY=:$(head -n 1 "$E2E_TMP/display")

E2E_CLOSE_REQUEST=$E2E_TMP/close-request
cc -O2 -o "$E2E_CLOSE_REQUEST" "$E2E_REPO/tools/close-request.c" -lX11 \
    || e2e_fail "cannot build tools/close-request.c (libx11-dev)"

# --- fixtures --------------------------------------------------------------

# e2e_write_prefs LEFT TOP WIDTH HEIGHT FOLDER: the preferences file.
e2e_write_prefs() {
    printf '%s\n' "$@" >"$E2E_PREFS"
}

# e2e_standin_running yes|no: whether the stand-in Illustrator runs.
e2e_standin_running() {
    if [ "$1" = yes ]; then : >"$QUILLMERE_STANDIN_DIR/running"; else rm -f -- "$QUILLMERE_STANDIN_DIR/running"; fi
}

# e2e_set_front NAME: what the stand-in reports as the front application;
# replaced whole, so that the program never reads half of it.
e2e_set_front() {
    printf '%s' "$1" >"$QUILLMERE_STANDIN_DIR/.front.e2e"
    mv -f -- "$QUILLMERE_STANDIN_DIR/.front.e2e" "$QUILLMERE_STANDIN_DIR/front"
}

# e2e_program_copy: a copy of the program beside a copy of the scripts/
# folder that it runs its helpers from; from now on QUILLMERE names the copy.
e2e_program_copy() {
    local copy=$E2E_TMP/program
    mkdir -p -- "$copy"
    cp -- "$QUILLMERE" "$copy/quillmere"
    cp -R -- "$(dirname -- "$QUILLMERE")/scripts" "$copy/scripts"
    QUILLMERE=$copy/quillmere
}

# e2e_replace_script NAME [BODY]: the copy's script NAME (168 to 172,
# appleevent) becomes the sh BODY; without BODY it is missing.
e2e_replace_script() {
    local file
    file=$(dirname -- "$QUILLMERE")/scripts/$1
    rm -f -- "$file"
    [ "$#" -ge 2 ] || return 0
    printf '#!/bin/sh\n%s\n' "$2" >"$file"
    chmod +x -- "$file"
}

# e2e_process_running PID: whether the process runs (a zombie does not).
e2e_process_running() {
    local state
    state=$(sed -n 's/^.*) \(.\).*$/\1/p' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

# e2e_none_running FILE: none of the pids listed in FILE runs.
e2e_none_running() {
    local pid
    while read -r pid; do
        if e2e_process_running "$pid"; then return 1; fi
    done <"$1"
}

# --- the program -------------------------------------------------------------

e2e_alive() { [ -n "$QM_PID" ] && kill -0 "$QM_PID" 2>/dev/null; }
e2e_ended() { ! e2e_alive; }

# The lookups below give --all: without it xdotool takes a window that meets
# any one of the conditions, such as another program's window of that name.

# e2e_visible_windows: the program's mapped top-level windows, one id a line.
e2e_visible_windows() {
    xdotool search --all --onlyvisible --pid "$QM_PID" --class . 2>/dev/null || true
}

e2e_find_main_window() {
    QM_WIN=$(xdotool search --all --onlyvisible --pid "$QM_PID" --name '^Quillmere$' 2>/dev/null | head -n 1) || true
    [ -n "$QM_WIN" ]
}

# e2e_start: starts quillmere and waits for its window (QM_WIN), focused
# and painted.
e2e_start() {
    : >"$E2E_TMP/quillmere.log"
    # As from a terminal: a shell's background job would start with SIGINT
    # ignored, and a Ctrl+C would never reach it.
    env --default-signal=INT "$QUILLMERE" >>"$E2E_TMP/quillmere.log" 2>&1 </dev/null &
    QM_PID=$! QM_WIN="" QM_STATUS=""
    local deadline=$((SECONDS + 40))
    until e2e_find_main_window; do
        e2e_alive || { wait "$QM_PID" || true; e2e_fail "the program ended before its window appeared"; }
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "no window titled Quillmere appeared"
        sleep 0.1
    done
    e2e_focus "$QM_WIN"
    e2e_settle
}

e2e_focus() {
    timeout 10 xdotool windowfocus --sync "$1" || e2e_fail "cannot focus window $1"
}

# e2e_settle [WINDOW]: waits until the window (the main one by default) looks
# the same twice in a row, so that a screenshot or a key finds it drawn and
# ready, not half-painted.
e2e_settle() {
    local a=$E2E_TMP/settle-a.png b=$E2E_TMP/settle-b.png window=${1:-$QM_WIN}
    import -window "$window" "$a" 2>/dev/null || true
    local i
    for i in $(seq 1 40); do
        sleep 0.1
        import -window "$window" "$b" 2>/dev/null || continue
        if cmp -s <(convert "$a" rgb:-) <(convert "$b" rgb:-); then return 0; fi
        mv -f -- "$b" "$a"
    done
    e2e_log "the window kept changing; going on"
}

# e2e_geometry [WINDOW]: WIN_X WIN_Y WIN_W WIN_H of the X window, and
# BAR, the height of the menu bar above the content area.
e2e_geometry() {
    local info
    info=$(xwininfo -id "${1:-$QM_WIN}") || e2e_fail "xwininfo failed"
    WIN_X=$(awk -F: '/Absolute upper-left X/ { print $2 + 0 }' <<<"$info")
    WIN_Y=$(awk -F: '/Absolute upper-left Y/ { print $2 + 0 }' <<<"$info")
    WIN_W=$(awk -F: '/^ *Width:/ { print $2 + 0 }' <<<"$info")
    WIN_H=$(awk -F: '/^ *Height:/ { print $2 + 0 }' <<<"$info")
    BAR=$((WIN_H - E2E_CONTENT_HEIGHT))
}

e2e_map_state() {
    xwininfo -id "$QM_WIN" 2>/dev/null | awk -F': *' '/Map State/ { print $2 }'
}
e2e_is_shown() { [ "$(e2e_map_state)" = IsViewable ]; }
e2e_is_hidden() { [ "$(e2e_map_state)" = IsUnMapped ]; }

# e2e_shot FILE [WINDOW]: a screenshot of the window.
e2e_shot() {
    import -window "${2:-$QM_WIN}" "$1" || e2e_fail "screenshot of window ${2:-$QM_WIN} failed"
}

# e2e_click X Y [COUNT]: clicks COUNT times (2: a double-click) at X,Y of the
# main window's content area.
e2e_click() {
    e2e_geometry
    xdotool mousemove --window "$QM_WIN" "$1" $(($2 + BAR)) click --repeat "${3:-1}" --delay 80 1
}

# e2e_key KEYS...: keys pressed in the main window, or in the window
# E2E_KEY_WINDOW names, after focusing it.
e2e_key() {
    e2e_focus "${E2E_KEY_WINDOW:-$QM_WIN}"
    xdotool key --clearmodifiers "$@"
}

e2e_quit_shortcut() { e2e_key ctrl+q; }

e2e_close_request() {
    "$E2E_CLOSE_REQUEST" "${1:-$QM_WIN}" || e2e_fail "cannot send the close request"
}

# e2e_wait_exit [SECONDS]: waits for the program to end; QM_STATUS is its
# exit status. What a sanitizer reported counts as a failure.
e2e_wait_exit() {
    e2e_poll "${1:-15}" e2e_ended || e2e_fail "the program did not end"
    QM_STATUS=0
    wait "$QM_PID" || QM_STATUS=$?
    QM_PID=""
    if grep -qE 'runtime error:|Sanitizer' "$E2E_TMP/quillmere.log"; then
        e2e_fail "a sanitizer reported a fault"
    fi
}

# e2e_expect_clean_exit: the program ended with status 0.
e2e_expect_clean_exit() {
    e2e_wait_exit "$@"
    [ "$QM_STATUS" -eq 0 ] || e2e_fail "exit status $QM_STATUS, expected 0"
}

# e2e_other_window [SECONDS]: waits for a mapped window of the program other
# than the main one (a dialog or a message box) and sets OTHER_WIN to it,
# once it is drawn.
e2e_find_other_window() {
    OTHER_WIN=$(e2e_visible_windows | grep -vx "$QM_WIN" | head -n 1) || true
    [ -n "$OTHER_WIN" ]
}
e2e_other_window() {
    OTHER_WIN=""
    e2e_poll "${1:-10}" e2e_find_other_window || e2e_fail "no dialog or message window appeared"
    e2e_settle "$OTHER_WIN"
}
e2e_no_other_window() { ! e2e_find_other_window; }

# --- reading the screen --------------------------------------------------------

# e2e_line_hits FILE X Y W H dark|highlight|any: for each pixel line of the
# region (y relative to Y), "y count" of its pixels that are text (dark),
# selection highlight (a saturated, blue-dominant colour) or either.
e2e_line_hits() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -depth 8 txt:- | awk -v mode="$6" -v height="$5" '
        /^[0-9]/ {
            split($1, xy, /[,:]/); y = xy[2] + 0
            rgb = $2; gsub(/[()]/, "", rgb); split(rgb, c, ",")
            r = c[1] + 0; g = c[2] + 0; b = c[3] + 0
            dark = (0.3 * r + 0.59 * g + 0.11 * b < 90)
            highlight = (b - r > 60 && b > 120)
            if (mode == "dark" ? dark : mode == "highlight" ? highlight : dark || highlight) count[y]++
        }
        END { for (y = 0; y < height; y++) print y, count[y] + 0 }'
}

# e2e_bands FILE X Y W H dark|highlight: the bands of lines that hold text,
# or the highlight across most of the width, one "top bottom" a line. Gaps of
# up to one line inside a band are closed, so a dotted letter stays one band.
e2e_bands() {
    local need=1
    [ "$6" = highlight ] && need=$(($4 * 2 / 5))
    e2e_line_hits "$@" | awk -v need="$need" '
        $2 >= need { if (top < 0) top = $1; bottom = $1; next }
        top >= 0 && $1 - bottom > 1 { print top, bottom; top = -1 }
        BEGIN { top = -1 }
        END { if (top >= 0) print top, bottom }'
}

# The list's area, in content coordinates: inside its one-pixel border and
# left of where a vertical scroll bar would be.
E2E_LIST_X=2 E2E_LIST_Y=1 E2E_LIST_W=128 E2E_LIST_H=172

# e2e_list_bands FILE dark|highlight: bands in the list, in content y.
e2e_list_bands() {
    e2e_geometry
    e2e_bands "$1" "$E2E_LIST_X" $((BAR + E2E_LIST_Y)) "$E2E_LIST_W" "$E2E_LIST_H" "$2" |
        awk -v off="$E2E_LIST_Y" '{ print $1 + off, $2 + off }'
}

# e2e_measure_rows: ROW_TOP and ROW_H of the list (see the top of this file).
# It leaves row 0 selected.
e2e_measure_rows() {
    local shot=$E2E_TMP/rows.png text highlight
    e2e_shot "$shot"
    text=$(e2e_list_bands "$shot" dark | head -n 1)
    [ -n "$text" ] || e2e_fail "the list shows no text to measure rows by"
    local text_top=${text% *} text_bottom=${text#* }
    # A few lines into the first text: inside row 0 whatever the glyphs.
    e2e_click 60 $((text_top + 3))
    e2e_poll 5 e2e_has_highlight "$shot" || e2e_fail "clicking the first row selected nothing"
    highlight=$(e2e_list_bands "$shot" highlight | head -n 1)
    ROW_TOP=${highlight% *}
    ROW_H=$((${highlight#* } - ROW_TOP + 1))
    [ "$ROW_TOP" -le "$text_top" ] && [ "$text_bottom" -le $((ROW_TOP + ROW_H)) ] ||
        e2e_fail "the selection ($highlight) is not the row of the first text ($text)"
    [ "$ROW_TOP" -lt 8 ] || e2e_fail "row 0 begins $ROW_TOP pixels below the list's top"
    e2e_log "rows: top $ROW_TOP, height $ROW_H"
}
e2e_has_highlight() {
    e2e_shot "$1"
    [ -n "$(e2e_list_bands "$1" highlight)" ]
}

# e2e_row_y K: the content y of the centre of row K.
e2e_row_y() { echo $((ROW_TOP + $1 * ROW_H + ROW_H / 2)); }

# e2e_rows_shown FILE: how many rows, from the top, show something (text or
# the selection) in their middle; needs e2e_measure_rows.
e2e_rows_shown() {
    e2e_geometry
    e2e_line_hits "$1" "$E2E_LIST_X" $((BAR + E2E_LIST_Y)) "$E2E_LIST_W" "$E2E_LIST_H" any |
        awk -v top=$((ROW_TOP - E2E_LIST_Y)) -v h="$ROW_H" '
            $1 >= top {
                k = int(($1 - top) / h); inside = $1 - top - k * h
                # a descender may reach into the next row: look inside only
                if ($2 > 0 && inside >= 3 && inside < h - 3) shown[k] = 1
                if (k > last) last = k
            }
            END { n = 0; while (n <= last && shown[n]) n++; print n }'
}

# e2e_expect_rows N PICTURE: saves a screenshot of the window as PICTURE in
# the test's output folder and checks that the list shows N rows.
e2e_expect_rows() {
    local shot=$E2E_OUT/$2 shown
    e2e_shot "$shot"
    e2e_measure_rows
    shown=$(e2e_rows_shown "$shot")
    [ "$shown" -eq "$1" ] || e2e_fail "the list shows $shown rows, not $1 (see $shot)"
}

# e2e_double_click_row K: a double-click on row K, then a pause longer than
# the double-click interval, so that the next click starts afresh.
e2e_double_click_row() {
    e2e_click 60 "$(e2e_row_y "$1")" 2
    sleep 0.5
}
