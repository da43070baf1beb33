#!/usr/bin/env bash
# Checks what a teacher gets: installs the program into a temporary prefix,
# validates the desktop entry and the AppStream metadata, builds the Debian
# package and checks its files, its declared dependencies, that Debian's
# lintian finds neither an error nor a warning in it, and that the packaged
# program starts.
#
# Usage: check-package.sh BUILD_DIR VERSION APP_ID
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 BUILD_DIR VERSION APP_ID" >&2
    exit 2
fi
build=$(realpath "$1")
version=$2
id=$3
arch=$(dpkg --print-architecture)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
step() { echo "--- $*"; }

# Regular files in a tree, one relative path a line, sorted.
files_in() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); }

expected_files=$(LC_ALL=C sort <<EOF
usr/bin/palmos
usr/share/applications/$id.desktop
usr/share/doc/palmos/changelog.gz
usr/share/doc/palmos/copyright
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/man/el/man1/palmos.1.gz
usr/share/man/man1/palmos.1.gz
usr/share/metainfo/$id.metainfo.xml
EOF
)

# ---------------------------------------------------------------------------
step "cmake --install into a temporary prefix"
root=$work/root
cmake --install "$build" --prefix "$root/usr" >"$work/install.log" \
    || { cat "$work/install.log" >&2; fail "cmake --install failed"; exit 1; }

installed=$(files_in "$root")
if [ "$installed" != "$expected_files" ]; then
    fail "installed files differ from the expected ones"
    diff <(echo "$expected_files") <(echo "$installed") >&2 || true
fi
[ -x "$root/usr/bin/palmos" ] || fail "usr/bin/palmos is not executable"

desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
icon=$root/usr/share/icons/hicolor/scalable/apps/$id.svg

# ---------------------------------------------------------------------------
step "desktop entry"
# Hints (such as two main categories, which is intended) are accepted;
# warnings and errors are not.
if ! out=$(desktop-file-validate "$desktop" 2>&1); then
    fail "desktop-file-validate failed"
fi
if grep -E ': (error|warning):' <<<"$out" >&2; then
    fail "desktop-file-validate reported errors or warnings"
fi
desktop_key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(desktop_key Icon)" = "$id" ] || fail "desktop entry Icon= is not $id"
exec_cmd=$(desktop_key Exec | cut -d' ' -f1)
[ -x "$root/usr/bin/$exec_cmd" ] || fail "desktop entry Exec=$exec_cmd is not an installed program"
[ -n "$(desktop_key 'Name\[el\]')" ] || fail "desktop entry has no Greek name"
[ -n "$(desktop_key 'Comment\[el\]')" ] || fail "desktop entry has no Greek comment"

# ---------------------------------------------------------------------------
step "AppStream metadata"
appstreamcli validate --no-net "$metainfo" >&2 || fail "appstreamcli validate failed"
xml_value() { xmllint --xpath "string($1)" "$metainfo"; }
[ "$(xml_value '/component/id')" = "$id" ] || fail "metainfo id is not $id"
[ "$(xml_value '/component/launchable[@type="desktop-id"]')" = "$id.desktop" ] \
    || fail "metainfo does not launch $id.desktop"
[ "$(xml_value '/component/provides/binary')" = "$exec_cmd" ] \
    || fail "metainfo does not provide the binary $exec_cmd"
[ "$(xml_value '/component/releases/release[1]/@version')" = "$version" ] \
    || fail "newest release in the metainfo is not $version"

[ "$(xml_value '/component/project_license')" = GPL-3.0-or-later ] \
    || fail "metainfo does not name the licence GPL-3.0-or-later"

step "changelog"
changelog=$(zcat "$root/usr/share/doc/palmos/changelog.gz" | head -n 1)
[[ $changelog == "palmos ($version) "* ]] \
    || fail "the changelog's newest entry is not version $version: $changelog"

step "icon"
xmllint --noout "$icon" || fail "icon is not well-formed XML"
[ "$(xmllint --xpath 'local-name(/*)' "$icon")" = svg ] || fail "icon is not an SVG image"

# ---------------------------------------------------------------------------
step "cpack -G DEB"
# Package what is already built (cpack's own build step finds it up to date).
deb=$work/pkg/palmos_${version}_${arch}.deb
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg") \
    >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack failed"; exit 1; }
[ -f "$deb" ] || { ls "$work/pkg" >&2; fail "no package named $(basename "$deb")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = palmos ] || fail "package name is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "package architecture is $(field Architecture)"

step "package contents"
# Every file with its mode and owner: nothing beyond the installed files.
listing=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $1, $2, $6 }' | LC_ALL=C sort -k3)
expected_listing=$(while read -r f; do
    if [ "$f" = usr/bin/palmos ]; then mode=-rwxr-xr-x; else mode=-rw-r--r--; fi
    echo "$mode root/root $f"
done <<<"$expected_files")
if [ "$listing" != "$expected_listing" ]; then
    fail "package contents differ from the expected ones"
    diff <(echo "$expected_listing") <(echo "$listing") >&2 || true
fi

# ---------------------------------------------------------------------------
step "declared dependencies"
depends=$(field Depends)
echo "Depends: $depends"
declared=$(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g' | grep -v '^$' | LC_ALL=C sort -u)

# The package owning a file; dpkg may record it with or without /usr in front.
owner_of() {
    local path=$1 alt
    case $path in
        /usr/*) alt=${path#/usr} ;;
        *) alt=/usr$path ;;
    esac
    { dpkg -S "$path" 2>/dev/null || dpkg -S "$alt" 2>/dev/null; } | head -n 1 | cut -d: -f1
}

dpkg-deb -x "$deb" "$work/deb"
program=$work/deb/usr/bin/palmos
ldd_out=$(ldd "$program")
needed=$(objdump -p "$program" | awk '$1 == "NEEDED" { print $2 }')
[ -n "$needed" ] || fail "found no shared libraries the program needs"

required=fonts-liberation2
for lib in $needed; do
    path=$(awk -v lib="$lib" '$1 == lib && $2 == "=>" { print $3 }' <<<"$ldd_out")
    if [ -z "$path" ] || [ "$path" = not ]; then
        fail "$lib is not found on this machine"
        continue
    fi
    pkg=$(owner_of "$path")
    [ -n "$pkg" ] || { fail "no Debian package owns $path"; continue; }
    required+=$'\n'$pkg
done
# Qt loads its platform plugins at run time; the program links none of them.
for plugin in libqxcb.so libqoffscreen.so; do
    pkg=$(dpkg -S "*/qt6/plugins/platforms/$plugin" 2>/dev/null | head -n 1 | cut -d: -f1)
    [ -n "$pkg" ] || { fail "no Debian package owns the Qt platform plugin $plugin"; continue; }
    required+=$'\n'$pkg
done
for pkg in $(LC_ALL=C sort -u <<<"$required"); do
    grep -qx "$pkg" <<<"$declared" || fail "Depends does not name $pkg"
done

# Every declared dependency must exist, and the versions this machine built
# and ran against must satisfy it.
constraint='\(([<>=]+)[[:space:]]*([^)]+)\)'
while IFS= read -r dep; do
    dep=$(sed 's/^[[:space:]]*//; s/[[:space:]]*$//' <<<"$dep")
    [ -n "$dep" ] || continue
    name=${dep%% *}
    name=${name%%(*}
    have=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || have=
    if [ -z "$have" ]; then
        fail "declared dependency $name is not an installed package here"
        continue
    fi
    if [[ $dep =~ $constraint ]]; then
        op=${BASH_REMATCH[1]}
        want=${BASH_REMATCH[2]}
        dpkg --compare-versions "$have" "$op" "$want" \
            || fail "$name $have here does not satisfy ($op $want)"
    fi
done < <(tr ',' '\n' <<<"$depends")

# ---------------------------------------------------------------------------
step "lintian"
# Informational tags are shown; an error or a warning fails.
if ! lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.log" 2>&1; then
    fail "lintian reported errors or warnings"
fi
cat "$work/lintian.log"

# ---------------------------------------------------------------------------
step "the packaged program starts"
grep -q 'not found' <<<"$ldd_out" && { grep 'not found' <<<"$ldd_out" >&2; fail "libraries missing"; }
runtime=$work/runtime
mkdir -m 700 "$runtime"
set +e
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime timeout 3 "$program" >"$work/run.out" 2>&1
rc=$?
set -e
if [ $rc -ne 124 ]; then
    cat "$work/run.out" >&2
    fail "packaged program ended with status $rc instead of running until stopped"
fi

# ---------------------------------------------------------------------------
if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package $(basename "$deb") is complete"
