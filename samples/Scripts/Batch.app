#!/bin/sh
# Stands in for an applet: on Linux an executable is launched by running it.
# It only notes that it ran.
dir=${QUILLMERE_STANDIN_DIR:-${XDG_STATE_HOME:-$HOME/.local/state}/quillmere-standin}
mkdir -p -- "$dir" && printf 'Batch.app launched %s\n' "$(date '+%Y-%m-%d %H:%M:%S')" >>"$dir/launched.log"
