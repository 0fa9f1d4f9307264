#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and packages it as a .deb, then checks that both hold
# the game, its desktop entry, AppStream metainfo, icon and licence, and that the desktop's own
# validators accept the entry and the metainfo.
# usage: check_install.sh <build dir> <application id>
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

files=(
  usr/bin/worm
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/doc/worm/copyright
)

# The installed tree.
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log"
root=$work/root
for f in "${files[@]}"; do
  [ -f "$root/$f" ] || fail "cmake --install did not put $f in place"
done
[ -x "$root/usr/bin/worm" ] || fail "usr/bin/worm is not executable"
[[ $(file -b "$root/usr/share/icons/hicolor/scalable/apps/$id.svg") == *SVG* ]] || fail "the icon is not an SVG image"

# The validators, with any complaint counted, not only errors.
desktop=$root/usr/share/applications/$id.desktop
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
if ! out=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$out" ]; then
  fail "desktop-file-validate: $out"
fi
if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
  fail "appstreamcli validate: $out"
fi

# One id everywhere: the entry's icon, the metainfo's id and launchable, the program's desktop name.
for line in Type=Application Exec=worm "Icon=$id" Terminal=false "Categories=Game;ArcadeGame;"; do
  grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
grep -qF "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
for tag in '<metadata_license>CC0-1.0</metadata_license>' '<project_license>MIT</project_license>' \
           '<content_rating type="oars-1.1"' '<release version='; do
  grep -qF "$tag" "$metainfo" || fail "the metainfo lacks $tag"
done
strings -a -e l "$root/usr/bin/worm" >"$work/strings"  # Qt keeps string literals in UTF-16
grep -qxF "$id" "$work/strings" || fail "the program does not name its desktop file $id"

# The package: built with its dependencies worked out from the binary, holding every file.
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
debs=("$work"/pkg/worm_*.deb)
if [ -f "${debs[0]}" ]; then
  deb=${debs[0]}
  dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
  for f in "${files[@]}"; do
    grep -qxF "./$f" "$work/contents" || fail "the package does not hold $f"
  done
  [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section is not games"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libqt6widgets6 libqt6svg6 libc6; do
    [[ $depends == *"$lib "* ]] || fail "the package does not depend on $lib: $depends"
  done
  [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "the package has no maintainer"
  [ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "the package has no description"
else
  fail "cpack made no worm_*.deb"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed tree, validators and package: all ${#files[@]} files in place"
