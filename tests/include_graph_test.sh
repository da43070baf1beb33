#!/usr/bin/env bash
# tests/include_graph.sh on a small made-up tree: the tree as made passes,
# and each row's change to it passes or fails as the row says, printing the
# row's line (an include against the layers, an unlisted folder, a cycle).
#
#   tests/include_graph_test.sh
set -euo pipefail
check=$(cd "$(dirname "$0")" && pwd)/include_graph.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Adds to file $1 an include of $2.
include() {
    mkdir -p "$(dirname "$1")"
    echo "#include \"$2\"" >>"$1"
}

# app/ over ui/ beside physics/a and physics/b over core/; form.h includes
# circles.h and circles.cpp shapes.h, a chain one include short of a cycle.
make_tree() {
    rm -rf "$scratch/tree"
    mkdir -p "$scratch/tree" && cd "$scratch/tree"
    mkdir -p docs app ui core physics/a physics/b tests
    printf '%s\n' '# Layers' '```layers' \
        'app/                          the program' \
        'ui/ physics/a/ physics/b/     windows and schemes, see core/' \
        'core/                         tables' '```' >docs/ARCHITECTURE.md
    : >core/table.h
    include core/table.cpp core/table.h
    include physics/a/run.h core/table.h
    include physics/b/scheme.h core/table.h
    include ui/form.h ui/circles.h
    include ui/circles.cpp ui/shapes.h
    : >ui/shapes.h
    include app/main.cpp ui/form.h
    include app/main.cpp physics/a/run.h
    include tests/anything.cpp app/main.h  # tests aside
}

# Name | change | status | a line the check prints
rows='clean | : | 0 | layers checked against docs/ARCHITECTURE.md: 3 layers, 5 folders
same layer | include physics/a/run.h ui/shapes.h | 0 | physics/a -> ui
upward | : >app/config.h; include physics/b/scheme.h app/config.h | 1 | physics/b app physics/b/scheme.h
unlisted | include physics/c/grid.h core/table.h | 1 | physics/c/
unlisted included | include app/main.cpp tools/x.h | 1 | tools/ (included by app/main.cpp)
core only core | sed -i -e "s#^ui/ #ui/ core/ #" -e "/^core\//d" docs/ARCHITECTURE.md; include core/table.h ui/shapes.h | 1 | core ui core/table.h
ui only ui and core | include ui/form.h physics/b/scheme.h | 1 | ui physics/b ui/form.h
pair | include ui/circles.cpp ui/form.h | 1 | ui/circles -> ui/form -> ui/circles
three files | include ui/shapes.cpp ui/form.h | 1 | ui/circles -> ui/shapes -> ui/form -> ui/circles
folder cycle | include physics/a/run.h physics/b/scheme.h; include physics/b/scheme.cpp physics/a/other.h | 1 | the folders include each other in a cycle:
no block | sed -i /layers/d docs/ARCHITECTURE.md | 1 | has no layers block
empty block | printf "\`\`\`layers\n\`\`\`\n" >docs/ARCHITECTURE.md | 1 | layers block in docs/ARCHITECTURE.md is empty
no document | rm docs/ARCHITECTURE.md | 1 | docs/ARCHITECTURE.md is missing'

failed=0
while IFS='|' read -r name change want line; do
    read -r name <<<"$name"
    read -r want <<<"$want"
    line=${line# }
    make_tree
    eval "$change"
    status=0
    output=$(bash "$check" .) || status=$?
    if [ "$status" -ne "$want" ] || ! grep -qF -- "$line" <<<"$output"; then
        echo "FAIL $name: status $status (want $want), no line \"$line\" in:"
        echo "$output"
        failed=1
    else
        echo "ok   $name"
    fi
done <<<"$rows"
exit "$failed"
