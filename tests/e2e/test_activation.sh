#!/usr/bin/env bash
# The folder button. With the stand-in Illustrator not running, a cancelled
# dialog is followed by the request to start Illustrator. With it running, a
# folder typed into the dialog is listed at once and saved at the close.
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts chosen=$E2E_TMP/Chosen
mkdir -p -- "$folder" "$chosen/Sub"
: >"$folder/a.jsx"
: >"$chosen/x.jsx" && : >"$chosen/y.scpt" && : >"$chosen/Sub/z.js"
e2e_write_prefs 20 40 150 200 "$folder"
e2e_standin_running no
e2e_start

press_button() {
    e2e_click 75 187
    e2e_other_window
    dialog=$OTHER_WIN
    title=$(xprop -id "$dialog" _NET_WM_NAME)
    # Checked at the end, so that a wrong title does not hide the rest.
    [ "$title" = '_NET_WM_NAME(UTF8_STRING) = "スクリプトフォルダ指定"' ] || wrong_title=$title
}
wrong_title=""

press_button
E2E_KEY_WINDOW=$dialog e2e_key Escape
e2e_other_window
message=$OTHER_WIN
[ "$message" != "$dialog" ] || e2e_fail "the dialog did not close"
message_title=$(xprop -id "$message" _NET_WM_NAME)
[ "$message_title" = '_NET_WM_NAME(UTF8_STRING) = "Quillmere"' ] || e2e_fail "the message's title: $message_title"
e2e_shot "$E2E_OUT/message.png" "$message"
E2E_KEY_WINDOW=$message e2e_key Return
e2e_poll 5 e2e_no_other_window || e2e_fail "the message did not go away"
[ ! -e "$E2E_RAN_LOG" ] || e2e_fail "something ran"

# dismiss_all: Escape on the dialog and on what it opened over itself (its
# "directory not found" warning), the newest first, till none is left.
dismiss_all() {
    local window
    for _ in 1 2 3 4 5; do
        window=$(e2e_visible_windows | grep -vx -e "$QM_WIN" -e "$dialog" | tail -n 1) || true
        E2E_KEY_WINDOW=${window:-$dialog} e2e_key Escape
        e2e_poll 1 e2e_no_other_window && return 0
    done
    e2e_fail "the dialog does not go away"
}

# choose_folder PATH: presses the button, types PATH into the dialog's field
# and presses Return. A key typed just as the field's completion list opens
# is now and then lost. So the path is typed without its leading "/" first,
# which names nothing and opens no list, and the "/" is put before it last;
# should the dialog still refuse the folder, cancel everything and retry.
choose_folder() {
    local try
    for try in 1 2 3; do
        press_button
        e2e_focus "$dialog"
        xdotool type --delay $((20 * try)) "${1#/}"
        xdotool key Home slash
        xdotool key Return
        e2e_poll 3 e2e_no_other_window && return 0
        e2e_shot "$E2E_OUT/dialog-left-open.png" "$dialog"
        e2e_log "the dialog did not take $1 (try $try; see dialog-left-open.png)"
        dismiss_all
        sleep 0.5  # the handler ends after the dialog: let it
    done
    e2e_fail "the dialog did not take the folder $1"
}

e2e_standin_running yes
choose_folder "$chosen"
front_is() { [ "$(cat -- "$QUILLMERE_STANDIN_DIR/front")" = "$1" ]; }
e2e_poll 3 front_is Illustrator || e2e_fail "Illustrator was not brought to the front"
e2e_poll 2 e2e_is_shown || e2e_fail "the window is not shown after the dialog"
e2e_settle
e2e_expect_rows 3 chosen.png

e2e_close_request
e2e_expect_clean_exit
[ "$(sed -n 5p "$E2E_PREFS")" = "$chosen" ] || e2e_fail "saved folder: '$(sed -n 5p "$E2E_PREFS")'"
[ -z "$wrong_title" ] || e2e_fail "the dialog's title: $wrong_title"
echo "PASS $E2E_NAME"
