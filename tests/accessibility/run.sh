#!/usr/bin/env bash
# Runs the accessibility check (walk.py) against a Boxwright binary on a private
# virtual display, session bus and accessibility bus, and removes them afterwards.
#
#   tests/accessibility/run.sh build/boxwright
#
# Needs: xvfb, dbus (dbus-run-session), libglib2.0-bin (gdbus), at-spi2-core,
# python3-pyatspi. Exit status is walk.py's: 0 good, 1 problems, 2 could not run.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
deadline=30  # seconds for the display and the buses to come up

# Second stage, inside dbus-run-session: the accessibility bus, then the check.
if [[ "${1:-}" == --in-session ]]; then
    binary=$2
    launcher=""
    for candidate in "${AT_SPI_BUS_LAUNCHER:-}" /usr/libexec/at-spi-bus-launcher \
        /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [[ -n "$candidate" && -x "$candidate" ]] && { launcher=$candidate; break; }
    done
    [[ -n "$launcher" ]] || { echo "at-spi-bus-launcher not found (apt-get install at-spi2-core)" >&2; exit 2; }

    # The launcher owns org.a11y.Bus on the session bus and starts the
    # accessibility bus at once; the registry daemon is started by D-Bus
    # activation on that bus when the first application registers.
    "$launcher" --launch-immediately --a11y=1 &
    launcher_pid=$!
    trap 'kill "$launcher_pid" 2>/dev/null || true; wait "$launcher_pid" 2>/dev/null || true' EXIT
    if ! gdbus wait --session --timeout "$deadline" org.a11y.Bus; then
        echo "the accessibility bus launcher did not come up within $deadline s" >&2
        exit 2
    fi
    # Qt asks the bus whether accessibility is on; these make it register regardless.
    export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
    status=0
    /usr/bin/python3 "$here/walk.py" "$binary" || status=$?
    exit "$status"
fi

[[ $# -eq 1 && -x "$1" ]] || { echo "usage: $0 BOXWRIGHT_BINARY" >&2; exit 2; }
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "pyatspi is missing: apt-get install python3-pyatspi" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [[ -n "$xvfb_pid" ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to the pipe once it accepts
# clients; reading the pipe is the wait (end of file if Xvfb fails to start).
mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
if ! read -r -t "$deadline" display_number <"$work/displayfd"; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 2
fi
export DISPLAY=":$display_number"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
echo "display $DISPLAY"

status=0
dbus-run-session -- bash "$here/run.sh" --in-session "$binary" || status=$?
exit "$status"
