# Sourced by the Illustrator stand-in scripts: where their state lives, and
# how they write it.
standin_dir=${QUILLMERE_STANDIN_DIR:-${XDG_STATE_HOME:-$HOME/.local/state}/quillmere-standin}
mkdir -p -- "$standin_dir" || exit 1

# standin_write FILE TEXT: replaces FILE whole, so that a reader never sees
# it half written.
standin_write() {
    standin_tmp="$standin_dir/.$1.$$"
    printf '%s' "$2" > "$standin_tmp" && mv -f -- "$standin_tmp" "$standin_dir/$1"
}

# standin_log NUMBER PATH: one line of ran.log, the path as it came.
standin_log() {
    printf '%s\t%s\n' "$1" "$2" >> "$standin_dir/ran.log"
}

# standin_one_argument NUMBER COUNT: the path scripts take exactly one.
standin_one_argument() {
    if [ "$2" -ne 1 ]; then
        printf 'compiled script %s takes one path, not %s arguments\n' "$1" "$2" >&2
        exit 2
    fi
}
