# Sourced by the Illustrator stand-in scripts: where their state lives, and
# how they read and write it. Script 169 runs every second, so reading starts
# no other program; only writing may need mkdir and mv.
standin_dir=${QUILLMERE_STANDIN_DIR:-${XDG_STATE_HOME:-$HOME/.local/state}/quillmere-standin}

standin_make_dir() {
    [ -d "$standin_dir" ] || mkdir -p -- "$standin_dir" || exit 1
}

# standin_read FILE: prints FILE as it is, its last line with or without
# its line break.
standin_read() {
    standin_line=
    while IFS= read -r standin_line; do
        printf '%s\n' "$standin_line"
    done < "$standin_dir/$1"
    printf '%s' "$standin_line"
}

# standin_write FILE TEXT: replaces FILE whole, so that a reader never sees
# it half written.
standin_write() {
    standin_make_dir
    standin_tmp="$standin_dir/.$1.$$"
    printf '%s' "$2" > "$standin_tmp" && mv -f -- "$standin_tmp" "$standin_dir/$1"
}

# standin_log NUMBER PATH: one line of ran.log, the path as it came.
standin_log() {
    standin_make_dir
    printf '%s\t%s\n' "$1" "$2" >> "$standin_dir/ran.log"
}

# standin_one_argument NUMBER COUNT: the path scripts take exactly one.
standin_one_argument() {
    if [ "$2" -ne 1 ]; then
        printf 'compiled script %s takes one path, not %s arguments\n' "$1" "$2" >&2
        exit 2
    fi
}
