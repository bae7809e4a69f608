#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it as a user's machine gets it:
# complete, installable, valid for menus and software centres, and runnable.
# usage: test_package.sh BUILD_DIR GAME_BINARY VERSION SKULL_SVG
set -uo pipefail

build=$1 game=$2 version=$3 skull=$4
id=io.github.tarvilon.tarvilon
sizes=(16 24 32 48 64 128 256)

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# --- Tools: a missing one is a failure that names the Debian package to install.
missing=()
for pair in cpack:cmake dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev readelf:binutils \
    desktop-file-validate:desktop-file-utils appstreamcli:appstream lintian:lintian \
    identify:imagemagick; do
    command -v "${pair%%:*}" >/dev/null || missing+=("${pair#*:} (for ${pair%%:*})")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "FAIL: missing tools; apt-get install: ${missing[*]}"
    exit 1
fi
if [ ! -x "$game" ]; then
    echo "FAIL: $game is not built; build the project before running the tests"
    exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# --- A plain `cmake --install` puts the game in bin/, outside any package.
if cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" 2>&1; then
    [ -x "$tmp/prefix/bin/tarvilon" ] || fail "cmake --install: no bin/tarvilon"
    [ ! -e "$tmp/prefix/games" ] || fail "cmake --install: games/ is only for the Debian package"
    [ -f "$tmp/prefix/share/applications/$id.desktop" ] ||
        fail "cmake --install: no desktop entry"
else
    cat "$tmp/install.log"
    fail "cmake --install failed"
fi

# --- Build the package into the temporary folder, leaving the build tree's packages alone.
if ! cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    echo "FAIL: cpack failed"
    exit 1
fi
deb=$tmp/out/tarvilon_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    ls "$tmp/out"
    echo "FAIL: cpack did not make $(basename "$deb")"
    exit 1
fi

# --- Contents: everything a menu, a software centre and man(1) look for.
dpkg-deb -c "$deb" >"$tmp/contents"
expected=(
    usr/games/tarvilon
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    usr/share/man/man6/tarvilon.6.gz
    usr/share/doc/tarvilon/copyright
    usr/share/doc/tarvilon/changelog.gz
)
for size in "${sizes[@]}"; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${expected[@]}"; do
    grep -q " \./$path\$" "$tmp/contents" || fail "package lacks /$path"
done
if grep -E ' \./usr/(bin|local)/' "$tmp/contents"; then
    fail "files above are outside Debian's games layout"
fi

# --- Control fields: the dependencies decide whether the game can open a window at all.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version $(field Version) is not the project's $version"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ -n "$(field Homepage)" ] || fail "no Homepage"
depends=$(field Depends)
# A version bound shows the library came from dpkg-shlibdeps, not from a hand-written list.
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libstdc++6 libc6; do
    grep -Eq "(^|, )${lib//+/\\+} \(>= [^)]+\)" <<<"$depends" ||
        fail "Depends lacks a versioned $lib: $depends"
done
for pkg in qt6-qpa-plugins fonts-dejavu-core; do
    grep -Eq "(^|, )$pkg(,|$| )" <<<"$depends" || fail "Depends lacks $pkg: $depends"
done
grep -q 'qt6-wayland' <<<"$(field Recommends)" || fail "Recommends lacks qt6-wayland"
# A misspelt name would make the package uninstallable everywhere.
read -ra names <<<"$(sed 's/([^)]*)//g; s/[,|]/ /g' <<<"$depends")"
for pkg in "${names[@]}"; do
    dpkg-query -W "$pkg" >/dev/null 2>&1 || apt-cache show "$pkg" >/dev/null 2>&1 ||
        fail "Depends names $pkg, which neither dpkg nor apt knows"
done

# --- The files as installed.
root=$tmp/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/$id.desktop

if ! out=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$out" ]; then
    echo "$out"
    fail "desktop-file-validate reports problems"
fi
# --strict fails on warnings too; the tree check also ties the launchable to the desktop file.
if ! out=$(appstreamcli validate-tree --no-net --strict "$root" 2>&1); then
    echo "$out"
    fail "appstreamcli validate-tree reports problems"
fi
# The menu entry's command must be on a user's PATH once installed, and its icon must exist.
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/games/$exec_cmd" ] || fail "Exec=$exec_cmd is not in /usr/games"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$id" ] || fail "Icon=$icon differs from the id $id"
grep -q "<id>$id</id>" "$root/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo id is not $id"
cmp -s "$skull" "$root/usr/share/icons/hicolor/scalable/apps/$id.svg" ||
    fail "the scalable icon is not the game's skull"

# --- Rendered icons: the theme's size, transparent around a centred, undistorted skull.
read -r vb_w vb_h < <(sed -n 's/.*viewBox="[0-9.]* [0-9.]* \([0-9.]*\) \([0-9.]*\)".*/\1 \2/p' \
    "$skull")
# SIZE VIEWBOX_W VIEWBOX_H TRIM: does the opaque box fill the long side, keep the drawing's
# proportions and sit in the middle?
centred_and_undistorted() {
    python3 - "$@" <<'EOF'
import re, sys
size, vb_w, vb_h = int(sys.argv[1]), float(sys.argv[2]), float(sys.argv[3])
tw, th, tx, ty = map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", sys.argv[4]).groups())
scale = size / max(vb_w, vb_h)
want_w, want_h = vb_w * scale, vb_h * scale
# Anti-aliased edges may add a partly covered pixel at each side.
ok = abs(tw - want_w) <= 2 and abs(th - want_h) <= 2
ok = ok and abs(tx - (size - tx - tw)) <= 1 and abs(ty - (size - ty - th)) <= 1
sys.exit(0 if ok else 1)
EOF
}
for size in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$png" ] || continue
    # e.g. "256 256 srgba 0 256x242+0+7": size, channels, corner alpha, opaque bounding box.
    read -r w h channels corner trim < <(
        identify -format '%w %h %[channels] %[fx:p{0,0}.a] %@\n' "$png")
    if [ "$w" != "$size" ] || [ "$h" != "$size" ]; then
        fail "${size}px icon is ${w}x$h"
        continue
    fi
    [[ $channels == *a ]] || fail "${size}px icon has no alpha channel ($channels)"
    [ "$corner" = 0 ] || fail "${size}px icon's corner is not transparent"
    centred_and_undistorted "$size" "$vb_w" "$vb_h" "$trim" ||
        fail "${size}px icon is misplaced or distorted ($trim)"
done

# --- The packaged binary stands alone: no search path, no build-tree paths, and it runs.
bin=$root/usr/games/tarvilon
if readelf -d "$bin" | grep -E 'RPATH|RUNPATH'; then
    fail "the packaged binary carries a library search path"
fi
if grep -q -F "$(cd "$build" && pwd -P)" "$bin"; then
    fail "the packaged binary names the build tree"
fi
# 124: still running when timeout stopped it, so it started and opened its window.
QT_QPA_PLATFORM=offscreen timeout 3 "$bin" >"$tmp/run.log" 2>&1
status=$?
if [ "$status" != 124 ]; then
    cat "$tmp/run.log"
    fail "the packaged game exited with $status instead of running"
fi

# --- Debian's own checks (ownership, modes, stripping, man page, changelog, ...); its
# info-level hardening notes come from the project's compiler flags.
if ! lintian --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1; then
    cat "$tmp/lintian.log"
    fail "lintian reports errors or warnings"
fi

if [ "$failures" -gt 0 ]; then
    echo "package: $failures check(s) failed"
    exit 1
fi
echo "package: $(basename "$deb") passed every check"
