#!/usr/bin/env bash
# Start-up time and memory of the program, for ./benchmark. Starts the session
# program (bench/session.cpp, which starts like app/main.cpp) several times
# and measures from just before the start to the first painted introduction
# window; then runs whole sessions (every window, every run to its end) and
# takes their peak resident memory. Prints rows of the ./benchmark table.
#
#   bench/startup.sh build-bench/bench/palmos_session [starts] [sessions]
set -euo pipefail

session=$1
starts=${2:-7}
sessions=${3:-2}

# Microseconds since the epoch, without starting a process.
now_us() { echo "${EPOCHREALTIME/./}"; }

times=()
for ((i = 0; i < starts; i++)); do
    start=$(now_us)
    painted=$("$session" --first-paint | sed -n 's/^first-paint-ns //p')
    [ -n "$painted" ] || { echo "startup.sh: no first paint reported" >&2; exit 1; }
    times+=($((painted / 1000 - start)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((starts / 2))]}
ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
verdict=yes
[ "$median" -lt 300000 ] || verdict="**no**"
echo "| First painted introduction window (median of $starts starts; $(ms "${sorted[0]}")-$(ms "${sorted[$((starts - 1))]}") ms) | $(ms "$median") ms | < 300 ms | - | - | $verdict |"

peak=0
report=""
for ((i = 0; i < sessions; i++)); do
    report=$("$session")
    rss=$(sed -n 's/^peak-rss-kb //p' <<<"$report")
    [ -n "$rss" ] || { echo "startup.sh: the session did not finish" >&2; exit 1; }
    [ "$rss" -gt "$peak" ] && peak=$rss
done
verdict=yes
[ "$peak" -lt $((80 * 1024)) ] || verdict="**no**"
echo "| Peak resident memory, whole session (largest of $sessions) | $(awk -v kb="$peak" 'BEGIN { printf "%.1f", kb / 1024 }') MB | < 80 MB | - | - | $verdict |"

# The ticks of the last session as the event loop would paint them: the
# window repainted into its backing store after every tick.
while read -r _ name _ ticks _ slowest _ mean; do
    echo "| Session, $name run: mean of $ticks ticks + repaints (slowest $slowest ms) | $mean ms | - | - | - | - |"
done < <(grep '^run ' <<<"$report")
