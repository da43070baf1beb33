#!/usr/bin/env bash
# Runs a test program on a virtual X display of a given size, with Qt's xcb
# platform, as a student's desktop shows the program: without a window
# manager, or under openbox.
#
#   run_on_xvfb.sh WIDTHxHEIGHT none|openbox PROGRAM [ARGUMENTS...]
set -euo pipefail

size=$1
manager=$2
shift 2

fail() {
    echo "xvfb: $*" >&2
    exit 1
}

command -v Xvfb >/dev/null || fail "Xvfb is missing; run scripts/install-deps"
if [ "$manager" = openbox ]; then
    for tool in openbox xprop; do
        command -v "$tool" >/dev/null || fail "$tool is missing; run scripts/install-deps"
    done
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/palmos-xvfb.XXXXXX")
started=()
cleanup() {
    local status=$?
    for pid in "${started[@]}"; do
        kill -TERM -- "-$pid" 2>/dev/null || true
    done
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

setsid Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
started+=($!)
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=$(head -n1 "$work/display")
for _ in $(seq 200); do
    [ -S "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done
[ -S "/tmp/.X11-unix/X$display" ] || fail "Xvfb made no socket for display :$display"
export DISPLAY=":$display"

if [ "$manager" = openbox ]; then
    setsid openbox >"$work/openbox.log" 2>&1 &
    started+=($!)
    # Ready once it names itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
        fail "openbox did not start: $(cat "$work/openbox.log")"
fi

export QT_QPA_PLATFORM=xcb PALMOS_WINDOW_MANAGER=$manager
unset QT_SCALE_FACTOR QT_QPA_PLATFORMTHEME
"$@"
