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

# A name that is not UTF-8 reaches its own file, not the one named by its
# replacement characters, and is reported as it came.
bad=$(printf '\377\376')
replaced=$(printf '\357\277\275\357\277\275')
cp 01_ok.vbs "$bad.vbs"
cp 01_ok.vbs "$replaced.vbs"
"$program" --to-ps1 "$bad.vbs" > out.txt || fail "a name that is not UTF-8: exit $?"
[ -e "$bad.ps1" ] && [ ! -e "$replaced.ps1" ] && grep -qF "$bad.ps1" out.txt || fail "a name that is not UTF-8: $(ls)"

# Nothing overwrites another conversion or a file being converted: ARGUMENTS|EXIT|OUT LINES|ERR LINES.
cp 01_ok.vbs x.vbs
cp 04_yes_no_cancel.vbs x.VBS
cp 04_yes_no_cancel.vbs x
cp x.vbs x.orig
while IFS='|' read -r arguments code outs errs; do
    status=0
    # shellcheck disable=SC2086  # the arguments are split on purpose
    "$program" $arguments > out.txt 2> err.txt || status=$?
    [ "$status" -eq "$code" ] && [ "$(wc -l < out.txt)" -eq "$outs" ] && [ "$(wc -l < err.txt)" -eq "$errs" ] ||
        fail "$arguments: exit $status: $(cat out.txt err.txt)"
done <<'TABLE'
--to-ps1 --force x.vbs x.VBS x|1|1|2
--to-ps1 x.vbs x.vbs ./x.vbs|1|0|3
--to-ps1 --force x.vbs x.vbs ./x.vbs|0|3|0
TABLE
"$program" --to-ps1 --force x.vbs x.VBS 2> err.txt > /dev/null && fail "two files to one .ps1 were accepted"
grep -qF "x.VBS: x.vbs と同じ x.ps1 に書くことになるので、変換しません。" err.txt || fail "clash: $(cat err.txt)"
rm x.ps1
ln -s x.vbs x.ps1
"$program" --to-ps1 --force x.vbs 2> err.txt && fail "a .ps1 linked to its .vbs was written"
cmp -s x.vbs x.orig && grep -qF "x.ps1 は変換するファイル x.vbs と同じファイル" err.txt || fail "link: $(cat err.txt)"

# A lost line on standard output fails the run.
if [ -w /dev/full ]; then
    for arguments in "--to-ps1 --force 01_ok.vbs" "--version" "--help"; do
        status=0
        # shellcheck disable=SC2086
        "$program" $arguments > /dev/full 2> /dev/null || status=$?
        [ "$status" -eq 1 ] || fail "$arguments > /dev/full: exit $status"
    done
fi

# Mistakes in the arguments: exit 2, the reason in Japanese and the usage line,
# with no display; Qt's own options are set apart first. ARGUMENTS|REASON.
while IFS='|' read -r arguments reason; do
    status=0
    # shellcheck disable=SC2086
    "$program" $arguments > out.txt 2> err.txt || status=$?
    [ "$status" -eq 2 ] && grep -qF -- "$reason" err.txt && grep -q "^使い方: " err.txt && [ ! -s out.txt ] ||
        fail "$arguments: exit $status: $(cat err.txt)"
done <<'TABLE'
--bogus|不明なオプションです: --bogus
--force x.vbs|--force は --to-ps1 と一緒に使います。
--to-ps1 -x.vbs|./-x.vbs と書いてください。
--to-ps1=yes x.vbs|--to-ps1 は値を取りません
x.vbs x.VBS|開けるファイルは一つです。
-platform|-platform には値が必要です。
-platform offscreen -style Fusion --bogus|不明なオプションです: --bogus
--to-ps1|変換する .vbs ファイルを指定してください。
TABLE
