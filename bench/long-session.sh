#!/usr/bin/env bash
# The peak resident memory of a long random session (the random user's
# actions, instruments and zoom among them) as rows of ./benchmark's table:
# at the fitted zoom of a 1920 x 1080 screen, zoom keys included, and on a
# 3840 x 2160 screen with the zoom held at 4x.
#   bench/long-session.sh PROGRAM ACTIONS
set -euo pipefail
cd "$(dirname "$0")/.."
program=$1
actions=$2
row() {
    local screen=$1 target=$2 label=$3
    shift 3
    local out
    out=$(QT_QPA_PLATFORM="offscreen:configfile=$PWD/bench/offscreen-$screen.json" \
        "$program" --actions "$actions" "$@")
    local peak after end
    peak=$(awk '/^peak-rss-kb/ { printf "%.1f", $2 / 1024 }' <<<"$out")
    after=$(awk '/^rss-after-1000-kb/ { printf "%.0f", $2 / 1024 }' <<<"$out")
    end=$(awk '/^end-rss-kb/ { printf "%.0f", $2 / 1024 }' <<<"$out")
    [ -n "$peak" ] || { echo "long-session.sh: the session did not finish" >&2; exit 1; }
    local verdict=yes
    awk -v p="$peak" -v t="$target" 'BEGIN { exit !(p >= t) }' && verdict='**no**'
    echo "| Peak resident memory, $actions random actions, $label (after 1000: $after MB, end: $end MB) | $peak MB | < $target MB | - | - | $verdict |"
}
row 1920x1080 150 "1920 x 1080 from the fitted zoom"
row 3840x2160 300 "3840 x 2160 at zoom 4" --zoom 4
