#!/usr/bin/env bash
# Runs the program as a screen reader meets it on a Linux desktop: on a
# virtual X display, with a D-Bus session bus of its own and the AT-SPI
# accessibility bus, and Qt's accessibility bridge switched on. The client
# (atspi_client.py, on the system's Python with pyatspi) then reads and works
# the program through that bus alone.
#
#   run_atspi_client.sh PALMOS_EXECUTABLE CLIENT_SCRIPT
#
# Every process started here runs with a marker in its environment and is
# ended on the way out, whatever happens.
set -euo pipefail

palmos=$1
client=$2
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher

fail() {
    echo "atspi: $*" >&2
    exit 1
}

for tool in Xvfb dbus-daemon; do
    command -v "$tool" >/dev/null || fail "$tool is missing; run scripts/install-deps"
done
[ -x "$launcher" ] || fail "$launcher is missing (package at-spi2-core); run scripts/install-deps"
"$python" -c 'import pyatspi' 2>/dev/null ||
    fail "$python cannot import pyatspi (package python3-pyatspi); run scripts/install-deps"
[ -x "$palmos" ] || fail "no program at $palmos"

work=$(mktemp -d "${TMPDIR:-/tmp}/palmos-atspi.XXXXXX")
marker="PALMOS_ATSPI_RUN=$work"
export PALMOS_ATSPI_RUN=$work
started=()

# Ends every process group started here, then any process still carrying the
# marker (a bus activation's child), and removes the work folder.
cleanup() {
    local status=$?
    set +e
    for pid in "${started[@]}"; do
        kill -TERM -- "-$pid" 2>/dev/null
    done
    for _ in $(seq 50); do
        local alive=0
        for pid in "${started[@]}"; do
            kill -0 -- "-$pid" 2>/dev/null && alive=1
        done
        [ $alive -eq 0 ] && break
        sleep 0.1
    done
    for pid in "${started[@]}"; do
        kill -KILL -- "-$pid" 2>/dev/null
    done
    for environ in /proc/[0-9]*/environ; do
        local pid=${environ#/proc/}
        pid=${pid%/environ}
        [ "$pid" = $$ ] && continue
        if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "$marker"; then
            kill -KILL "$pid" 2>/dev/null
        fi
    done
    if [ $status -ne 0 ] && [ -f "$work/palmos.log" ]; then
        echo "--- the program's output:" >&2
        tail -n 40 "$work/palmos.log" >&2
    fi
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Starts a command in a process group of its own, recorded for cleanup.
start() {
    local log=$1
    shift
    setsid "$@" >"$log" 2>&1 &
    started+=($!)
}

# Waits up to $1 seconds for a file to be non-empty.
wait_for_file() {
    local seconds=$1 file=$2
    for _ in $(seq $((seconds * 10))); do
        [ -s "$file" ] && return 0
        sleep 0.1
    done
    return 1
}

# The virtual display picks a free display number and writes it to fd 3.
start "$work/xvfb.log" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display"
wait_for_file 20 "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=$(head -n1 "$work/display")
export DISPLAY=":$display"
# Xvfb names its display before a client can always connect to it: wait for
# its socket too.
for _ in $(seq 200); do
    [ -S "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
[ -S "/tmp/.X11-unix/X$display" ] || fail "Xvfb made no socket for display $DISPLAY"

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
start "$work/dbus.log" dbus-daemon --session --nofork --print-address=3 3>"$work/bus"
wait_for_file 20 "$work/bus" || fail "the D-Bus session bus did not start: $(cat "$work/dbus.log")"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

# The accessibility bus, started now rather than on the program's first call.
start "$work/launcher.log" "$launcher" --launch-immediately
export NO_AT_BRIDGE=0 QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR
# A program that could not reach the display ends at once; it is started
# again, up to three times, before the client gives up on it.
for attempt in 1 2 3; do
    start "$work/palmos.log" "$palmos"
    sleep 1
    kill -0 "${started[-1]}" 2>/dev/null && break
    echo "atspi: the program ended at start (attempt $attempt): $(head -n1 "$work/palmos.log")" >&2
done

timeout 300 "$python" "$client"
