#!/usr/bin/env bash
# The folders of the program's own code (tests, benchmarks and tools aside)
# and the includes between them: no folder may depend on a folder that
# depends on it, the numerics (core/) include only core/, and the window
# layer (ui/) only core/ and ui/. Prints the offending includes or the cycle.
#
#   tests/include_graph.sh <source folder>
set -euo pipefail
cd "$1"

# Every include of another folder of the program: "from to file".
edges=$(
    find . -path ./tests -prune -o -path ./bench -prune -o -path ./tools -prune -o \
        -path './build*' -prune -o -path '*/tests' -prune -o \
        \( -name '*.h' -o -name '*.cpp' \) -print |
        sed 's|^\./||' | sort |
        while read -r file; do
            from=${file%%/*}
            sed -n 's|^#include "\([a-z_0-9]*\)/.*"|\1|p' "$file" |
                while read -r to; do
                    [ "$to" != "$from" ] && echo "$from $to $file"
                done
        done
)

status=0
upward=$(echo "$edges" | awk '($1 == "core") || ($1 == "ui" && $2 != "core")')
if [ -n "$upward" ]; then
    echo "includes against the layers (from, to, file):"
    echo "$upward"
    status=1
fi
if ! loop=$(echo "$edges" | awk 'NF { print $1, $2 }' | sort -u | tsort 2>&1 >/dev/null) ||
    [ -n "$loop" ]; then
    echo "the folders include each other in a cycle:"
    echo "$loop"
    echo "$edges"
    status=1
fi
if [ "$status" -eq 0 ]; then
    echo "folder dependencies:"
    echo "$edges" | awk 'NF { print "  " $1 " -> " $2 }' | sort -u
fi
exit "$status"
