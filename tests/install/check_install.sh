#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR, then checks that it holds the game, its desktop entry,
# AppStream metainfo, icon, manual page, changelog and licence where Debian keeps a game's files,
# that the desktop's own validators accept the entry and the metainfo, and that the manual page
# renders. check_package.sh checks the .deb against this same install.
# usage: check_install.sh <build dir> <application id>
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

files=(
  usr/games/worm
  usr/share/man/man6/worm.6.gz
  usr/share/doc/worm/changelog.gz
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
[ -x "$root/usr/games/worm" ] || fail "usr/games/worm is not executable"
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
for line in Type=Application Exec=/usr/games/worm "Icon=$id" Terminal=false "Categories=Game;ArcadeGame;"; do
  grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
grep -qF "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
for tag in '<metadata_license>CC0-1.0</metadata_license>' '<project_license>MIT</project_license>' \
           '<content_rating type="oars-1.1"' '<release version='; do
  grep -qF "$tag" "$metainfo" || fail "the metainfo lacks $tag"
done
screenshot='<image>https://raw.githubusercontent.com/wormgame/worm/main/docs/screenshot.png</image>'
if ! grep -qF "$screenshot" "$metainfo" || ! grep -qF '<caption>' "$metainfo"; then
  fail "the metainfo lists no screenshot with a caption"
fi
strings -a -e l "$root/usr/games/worm" >"$work/strings"  # Qt keeps string literals in UTF-16
grep -qxF "$id" "$work/strings" || fail "the program does not name its desktop file $id"

# The manual page: every section a reader looks for, and not one complaint from groff.
page=$root/usr/share/man/man6/worm.6.gz
if ! LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$work/page.txt" 2>"$work/page.err" ||
  [ -s "$work/page.err" ]; then
  fail "man -l worm.6.gz: $(cat "$work/page.err")"
fi
for section in NAME SYNOPSIS DESCRIPTION CONTROLS OPTIONS 'EXIT STATUS' FILES; do
  grep -qx "$section" "$work/page.txt" || fail "the manual page has no $section section"
done
# A player without a mouse learns there how to reach the buttons.
controls=$(sed -n '/^CONTROLS$/,/^OPTIONS$/p' "$work/page.txt")
for key in Tab Shift+Tab Space Enter; do
  grep -qw -- "$key" <<<"$controls" || fail "the manual page's CONTROLS do not name $key"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree and validators: all ${#files[@]} files in place"
