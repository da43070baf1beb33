#!/usr/bin/env bash
# The folders of the program's own code (tests, benchmarks, tools and
# packaging aside) and the includes between them. A file's folder is its
# directory: physics/two_media, ui. Checks that
#  - every folder is placed in the layers of docs/ARCHITECTURE.md, the fenced
#    block opened by "```layers": one layer a line, top layer first, each line
#    its folders ("physics/two_media/ physics/elliptic/") then a description;
#    a folder includes only folders of its own layer or of a layer below it;
#  - the numerics (core/) include only core/, and the window layer (ui/)
#    only core/ and ui/;
#  - no folder depends on a folder that depends on it;
#  - no files include one another in a cycle, of two files or more. A header
#    and its source count as one file (single_string/window.h and .cpp), so
#    window.cpp including procedures.h while procedures.cpp includes window.h
#    is such a pair, and form.h including circles.h, circles.cpp shapes.h
#    and shapes.cpp form.h would be a cycle of three.
# Prints the offending includes, folders or cycles; when all holds, the
# folder dependencies.
#
#   tests/include_graph.sh <source folder>
set -euo pipefail
cd "$1"
document=docs/ARCHITECTURE.md

# The program's own sources, tests, benchmarks, tools and packaging aside.
sources=$(
    find . -path ./tests -prune -o -path ./bench -prune -o -path ./tools -prune -o \
        -path ./packaging -prune -o -path './build*' -prune -o -path '*/tests' -prune -o \
        \( -name '*.h' -o -name '*.cpp' \) -print |
        sed 's|^\./||' | sort
)

# Every include of another folder of the program ("from to file"), and of
# another file ("from to file", from and to without their extension).
edges=""
file_edges=""
folders=""
for file in $sources; do
    folder=${file%/*}
    [ "$folder" = "$file" ] && folder=.
    module=${file%.*}
    folders+="$folder"$'\n'
    for included in $(sed -n 's|^#include "\([a-z_0-9]*/[a-z_0-9/]*\)\.h"|\1|p' "$file"); do
        to=${included%/*}
        [ "$to" != "$folder" ] && edges+="$folder $to $file"$'\n'
        [ "$included" != "$module" ] && file_edges+="$module $included $file"$'\n'
    done
done
folders=$(echo "$folders" | awk NF | sort -u)
file_edges=$(echo "$file_edges" | awk NF | sort -u)

status=0

# The layers ("folder layer", the top layer 1), or "! why not" lines.
layers=$(
    if [ ! -f "$document" ]; then
        echo "! $document is missing"
    else
        awk -v document="$document" '
            { sub(/[ \t\r]+$/, "") }
            !open && !done && $0 == "```layers" { open = 1; next }
            open && $0 == "```" { open = 0; done = 1; next }
            open && NF {
                layer++
                for (i = 1; i <= NF && $i ~ /\/$/; i++) {
                    folder = $i
                    sub(/\/+$/, "", folder)
                    if (folder in placed)
                        print "! " folder "/ is in two layers: " placed[folder] " and " layer
                    else {
                        placed[folder] = layer
                        print folder, layer
                    }
                }
                if (i == 1) print "! a layer that names no folder: " $0
            }
            END {
                if (open) print "! the layers block in " document " is not closed by ```"
                else if (!done) print "! " document " has no layers block (a fenced block opened by ```layers)"
                else if (!layer) print "! the layers block in " document " is empty"
            }' "$document"
    fi
)
broken=$(echo "$layers" | sed -n 's/^! //p')
if [ -n "$broken" ]; then
    echo "the layers cannot be read:"
    echo "$broken"
    status=1
else
    # The folders with files or included, and the folder edges, against the layers.
    report=$(
        {
            echo "$layers" | awk '{ print "layer", $1, $2 }'
            echo "$folders" | awk '{ print "folder", $1, "-" }'
            echo "$edges" | awk 'NF { print "folder", $2, $3 }'
            echo "$edges" | awk 'NF { print "edge", $1, $2, $3 }'
        } | awk '
            $1 == "layer" { layer[$2] = $3; next }
            $1 == "folder" && !($2 in layer) && !($2 in told) {
                told[$2] = 1
                print "unlisted", $2 "/" ($3 == "-" ? "" : " (included by " $3 ")")
                next
            }
            $1 == "edge" && ($2 in layer) && ($3 in layer) && layer[$3] < layer[$2] {
                print "upward", $2, $3, $4
            }'
    )
    unlisted=$(echo "$report" | sed -n 's/^unlisted //p')
    if [ -n "$unlisted" ]; then
        echo "folders that the layers in $document do not list:"
        echo "$unlisted"
        status=1
    fi
    upward=$(echo "$report" | sed -n 's/^upward //p')
    if [ -n "$upward" ]; then
        echo "includes of a higher layer in $document (from, to, file):"
        echo "$upward"
        status=1
    fi
fi

against=$(echo "$edges" | awk '
    { from = $1; to = $2; sub(/\/.*/, "", from); sub(/\/.*/, "", to) }
    (from == "core" && to != "core") || (from == "ui" && to != "core" && to != "ui")')
if [ -n "$against" ]; then
    echo "includes against core/ including only core/, ui/ only core/ and ui/ (from, to, file):"
    echo "$against"
    status=1
fi

if ! loop=$(echo "$edges" | awk 'NF { print $1, $2 }' | sort -u | tsort 2>&1 >/dev/null) ||
    [ -n "$loop" ]; then
    echo "the folders include each other in a cycle:"
    echo "$loop"
    echo "the includes between them (from, to, file):"
    { echo "$loop" | sed -n "s/^tsort: \([^ ]*\)$/loop \1/p"; echo "$edges"; } |
        awk '$1 == "loop" { looped[$2] = 1; next } NF && ($1 in looped) && ($2 in looped)' | sort -u
    status=1
fi

# The files that include one another in a cycle: each strongly connected
# component of the file graph, with its shortest cycle through its first file
# and every include inside it (each of which lies on some cycle).
cycles=$(echo "$file_edges" | awk '
    function connect(v,    k, w, n) {
        number[v] = low[v] = ++counter
        stack[++top] = v
        onstack[v] = 1
        for (k = 1; k <= degree[v]; k++) {
            w = next_[v, k]
            if (!(w in number)) {
                connect(w)
                if (low[w] < low[v]) low[v] = low[w]
            } else if (onstack[w] && number[w] < low[v])
                low[v] = number[w]
        }
        if (low[v] == number[v]) {
            ++components
            n = 0
            do {
                w = stack[top--]
                onstack[w] = 0
                component[w] = components
                member[components, ++n] = w
            } while (w != v)
            size[components] = n
        }
    }
    # The shortest way from first back to itself inside component c.
    function shortest_cycle(first, c,    head, tail, v, k, w, way) {
        delete seen
        delete parent
        head = 1
        tail = 0
        queue[++tail] = first
        seen[first] = 1
        while (head <= tail) {
            v = queue[head++]
            for (k = 1; k <= degree[v]; k++) {
                w = next_[v, k]
                if (component[w] != c) continue
                if (w == first) {
                    way = first
                    for (; v != first; v = parent[v]) {
                        on_cycle[v, w] = 1
                        way = v " -> " way
                        w = v
                    }
                    on_cycle[first, w] = 1
                    return first " -> " way
                }
                if (!(w in seen)) {
                    seen[w] = 1
                    parent[w] = v
                    queue[++tail] = w
                }
            }
        }
    }
    NF {
        if (!(($1, $2) in by)) {
            next_[$1, ++degree[$1]] = $2
            by[$1, $2] = $3
        } else
            by[$1, $2] = by[$1, $2] ", " $3
        if (!($1 in known)) { known[$1] = 1; node[++nodes] = $1 }
        if (!($2 in known)) { known[$2] = 1; node[++nodes] = $2 }
    }
    END {
        for (i = 1; i <= nodes; i++)
            if (!(node[i] in number)) connect(node[i])
        for (c = 1; c <= components; c++) {
            if (size[c] < 2) continue
            first = member[c, 1]
            for (n = 2; n <= size[c]; n++)
                if (member[c, n] < first) first = member[c, n]
            print (size[c] == 2 ? "files that include each other:" \
                                : "files that include one another in a cycle:")
            print "  " shortest_cycle(first, c)
            rest = ""
            for (n = 1; n <= size[c]; n++) {
                v = member[c, n]
                for (k = 1; k <= degree[v]; k++) {
                    w = next_[v, k]
                    if (component[w] != c) continue
                    line = "    " by[v, w] " includes " w ".h"
                    if ((v, w) in on_cycle) cycle_lines[v] = line
                    else rest = rest line "\n"
                }
            }
            for (v = first; ; ) {
                print cycle_lines[v]
                for (k = 1; k <= degree[v]; k++)
                    if ((v, next_[v, k]) in on_cycle) { w = next_[v, k]; break }
                v = w
                if (v == first) break
            }
            if (rest != "") printf "  and among the same files:\n%s", rest
        }
    }')
if [ -n "$cycles" ]; then
    echo "$cycles"
    status=1
fi

if [ "$status" -eq 0 ]; then
    echo "folder dependencies:"
    echo "$edges" | awk 'NF { print "  " $1 " -> " $2 }' | sort -u
    echo "layers checked against $document: $(echo "$layers" | awk '{ print $2 }' | sort -u | wc -l) layers, $(echo "$layers" | wc -l) folders"
fi
exit "$status"
