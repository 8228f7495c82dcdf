#!/bin/sh
# The converter on the command line, with no display at all: one line a file,
# nothing overwritten without --force, exit 0 only when every file converted.
set -eu
program=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
cd "$work"
cp "$samples"/01_ok.vbs "$samples"/04_yes_no_cancel.vbs .
printf 'not a script\r\n' > notes.vbs
fail() { echo "convert.sh: $*" >&2; exit 1; }

"$program" --to-ps1 01_ok.vbs 04_yes_no_cancel.vbs > out.txt 2> err.txt || fail "two scripts: exit $?"
[ "$(wc -l < out.txt)" -eq 2 ] && [ ! -s err.txt ] || fail "two scripts: $(cat out.txt err.txt)"
head -c 3 01_ok.ps1 | od -An -tx1 | grep -q "ef bb bf" || fail "no byte-order mark"

status=0
"$program" --to-ps1 01_ok.vbs notes.vbs > out.txt 2> err.txt || status=$?
[ "$status" -eq 1 ] || fail "an existing .ps1 and a non-script: exit $status"
[ "$(wc -l < err.txt)" -eq 2 ] && [ ! -e notes.ps1 ] || fail "refusals: $(cat err.txt)"

printf 'mine' > 01_ok.ps1
"$program" --to-ps1 --force 01_ok.vbs > /dev/null || fail "--force: exit $?"
[ "$(head -c 3 01_ok.ps1 | od -An -tx1)" = " ef bb bf" ] || fail "--force did not replace the file"

"$program" --help | grep -q -- "--to-ps1" || fail "--help does not list --to-ps1"
status=0
"$program" --to-ps1 2> /dev/null || status=$?
[ "$status" -eq 2 ] || fail "no files: exit $status"
