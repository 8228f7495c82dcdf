#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARGS...]
# Runs a Windows program under Wine in the given prefix, which the first
# caller makes (the others wait for it), with a Japanese system locale (code
# page 932), and without a display, Mono or Gecko.
#
# Wine's own processes start once for the whole run: the server is started
# here, detached from the caller's output, and kept for 10 s after its last
# program, so that the next program finds it and its services ready (a start
# then takes under a second instead of several).
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
unset DISPLAY WAYLAND_DISPLAY
exec 9>"$prefix.lock"
flock 9
mkdir -p "$prefix"
wineserver -p10 </dev/null >/dev/null 2>&1 || true  # fails when one is running already
[ -f "$prefix/system.reg" ] || wineboot --init </dev/null >/dev/null 2>&1
flock -u 9
exec 9>&-
exec wine "$@"
