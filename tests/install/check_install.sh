#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and packages it as a .deb, then checks that both hold
# the game, its desktop entry, AppStream metainfo, icon, manual page, changelog and licence where
# Debian keeps a game's files, that the desktop's own validators accept the entry and the
# metainfo, that the manual page renders, and that lintian finds no error and no warning in the
# package.
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

# The package: built with its dependencies worked out from the binary, holding every file.
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
debs=("$work"/pkg/worm_*.deb)
if [ -f "${debs[0]}" ]; then
  deb=${debs[0]}
  dpkg-deb -c "$deb" | awk '{print $NF}' >"$work/contents"
  for f in "${files[@]}"; do
    grep -qxF "./$f" "$work/contents" || fail "the package does not hold $f"
  done
  grep -q '^\./usr/bin/' "$work/contents" && fail "the package puts something in /usr/bin"
  dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" | grep -qxF Exec=/usr/games/worm ||
    fail "the package's desktop entry does not start /usr/games/worm"
  [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package's section is not games"
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libqt6widgets6 libc6; do
    [[ $depends == *"$lib "* ]] || fail "the package does not depend on $lib: $depends"
  done
  [[ ", $depends," == *", fonts-liberation,"* ]] || fail "the package does not depend on the button font: $depends"
  [[ ", $(dpkg-deb -f "$deb" Recommends)," == *", qt6-wayland,"* ]] || fail "the package does not recommend qt6-wayland"
  [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "the package has no maintainer"
  [ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "the package has no description"
  # Not one error or warning; informational tags do not count.
  if ! lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || grep -q '^[EW]: ' "$work/lintian.log"; then
    fail "lintian: $(grep -v 'running with root privileges' "$work/lintian.log")"
  fi
else
  fail "cpack made no worm_*.deb"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed tree, validators and package: all ${#files[@]} files in place"
