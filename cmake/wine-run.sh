#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARGS...]
# Runs a Windows program under Wine in the given prefix, which the first
# caller makes (the others wait for it), with a Japanese system locale (code
# page 932), and without a display, Mono or Gecko.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=ja_JP.UTF-8
unset DISPLAY WAYLAND_DISPLAY
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/system.reg" ] || wineboot --init
flock -u 9
exec 9>&-
exec wine "$@"
