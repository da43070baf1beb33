#!/usr/bin/env bash
# The folders of the program's own code (tests, benchmarks and tools aside)
# and the includes between them: no folder may depend on a folder that
# depends on it, the numerics (core/) include only core/, and the window
# layer (ui/) only core/ and ui/. Nor may two files include each other: a
# header and its source count as one file (single_string/window.h and .cpp),
# so window.cpp including procedures.h while procedures.cpp includes window.h
# is such a pair. Prints the offending includes, pairs or cycle.
#
#   tests/include_graph.sh <source folder>
set -euo pipefail
cd "$1"

# The program's own sources, tests, benchmarks and tools aside.
sources=$(
    find . -path ./tests -prune -o -path ./bench -prune -o -path ./tools -prune -o \
        -path './build*' -prune -o -path '*/tests' -prune -o \
        \( -name '*.h' -o -name '*.cpp' \) -print |
        sed 's|^\./||' | sort
)

# Every include of another folder of the program ("from to file"), and of
# another file ("from to", each without its extension).
edges=""
file_edges=""
for file in $sources; do
    folder=${file%%/*}
    module=${file%.*}
    for included in $(sed -n 's|^#include "\([a-z_0-9]*/[a-z_0-9/]*\)\.h"|\1|p' "$file"); do
        [ "${included%%/*}" != "$folder" ] && edges+="$folder ${included%%/*} $file"$'\n'
        [ "$included" != "$module" ] && file_edges+="$module $included"$'\n'
    done
done
file_edges=$(echo "$file_edges" | sort -u)

status=0
mutual=$(echo "$file_edges" | awk 'NF { edge[$1 " " $2] = 1 }
    END { for (e in edge) { split(e, f, " "); if ((f[2] " " f[1]) in edge && f[1] < f[2]) print f[1], f[2] } }')
if [ -n "$mutual" ]; then
    echo "files that include each other:"
    echo "$mutual"
    status=1
fi
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
