#!/usr/bin/env bash
# A close whose save cannot be written says so on standard error, once, with
# the reason, ends with status 0 and leaves what was in the file's place.
# (A folder there fails for root too, where a read-only folder would not.)
. "$(dirname -- "$0")/lib.sh" "$@"

folder=$E2E_TMP/Scripts
mkdir -p -- "$folder" && : >"$folder/a.jsx"
e2e_write_prefs 30 60 150 200 "$folder"
e2e_standin_running yes
e2e_start

rm -f -- "$E2E_PREFS"
mkdir -p -- "$E2E_PREFS/kept"
e2e_close_request
e2e_expect_clean_exit
told=$(grep -c '^quillmere: ' "$E2E_TMP/quillmere.log" || true)
[ "$told" -eq 1 ] || e2e_fail "standard error told $told lines, not one"
grep -qxF "quillmere: could not write $E2E_PREFS: Is a directory" "$E2E_TMP/quillmere.log" ||
    e2e_fail "standard error does not say that the file could not be written, and why"
[ -d "$E2E_PREFS/kept" ] || e2e_fail "the folder in the file's place was touched"
echo "PASS $E2E_NAME"
