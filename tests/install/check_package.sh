#!/usr/bin/env bash
# Builds the Debian package from the checkout inside the build tree and checks it as a distribution
# would: blhc on the build log, hardening-check, the CMake install's files, the fields taken from
# the metainfo, lintian --pedantic --info, then the autopkgtests with the package installed here.
# usage: check_package.sh <source dir> <build dir> <application id>
set -euo pipefail
. "$(dirname "$0")/package_state.sh"
src=$1 work=$2/deb id=$3
for tool in dpkg-buildpackage dh blhc hardening-check lintian autopkgtest xvfb-run openbox wmctrl; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/install-deps.sh test)"; exit 77; }
done
rm -rf "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The tracked files as they stand, uncommitted changes included.
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
mkdir -p "$work/worm-$version"
snapshot=$(git -C "$src" stash create)
git -C "$src" archive "${snapshot:-HEAD}" | tar -x -C "$work/worm-$version"
(cd "$work/worm-$version" && DEB_BUILD_OPTIONS=parallel=2 dpkg-buildpackage -us -uc) >"$work/build.log" 2>&1 ||
  { tail -n 30 "$work/build.log"; echo "FAIL: dpkg-buildpackage -us -uc (log: $work/build.log)"; exit 1; }
deb=$work/worm_${version}_$(dpkg --print-architecture).deb

out=$(blhc "$work/build.log" 2>&1) && [ -z "$out" ] || fail "blhc: $out"
dpkg-deb -x "$deb" "$work/root"
"$(dirname "$0")/check_hardening.sh" "$work/root/usr/games/worm" || fail "hardening-check on the package's program"

# The files of the CMake install that check_install.sh checks, byte for byte but the program
# (stripped) and the copyright (debian/copyright, machine-readable).
DESTDIR="$work/tree" cmake --install "$2" --prefix /usr >/dev/null
for f in usr/games/worm usr/share/doc/worm/copyright; do
  [ -s "$work/root/$f" ] || fail "the package lacks $f"
  rm -f "$work/tree/$f" "$work/root/$f"
done
out=$(diff -r "$work/tree" "$work/root" 2>&1) || fail "package and CMake install differ: $out"
field() { dpkg-deb -f "$deb" "$1"; }
metainfo=$src/packaging/$id.metainfo.xml
summary=$(sed -n 's:.*<summary>\(.\)\(.*\)</summary>.*:\L\1\E\2:p' "$metainfo")
homepage=$(sed -n 's:.*<url type="homepage">\(.*\)</url>.*:\1:p' "$metainfo")
[ "$(field Description | head -n 1)" = "arcade game: $summary" ] || fail "synopsis not the metainfo's"
[ "$(field Homepage)" = "$homepage" ] || fail "homepage $(field Homepage), not the metainfo's $homepage"
# SDL2 is opened with dlopen, so no shlibs dependency names it: the package must recommend it.
[ "$(field Section)/$(field Recommends)" = "games/libsdl2-2.0-0 (>= 2.24), qt6-wayland" ] ||
  fail "not in games, or not recommending SDL2 and qt6-wayland: $(field Recommends)"
[[ "$(field Depends)" == fonts-liberation,*libqt6widgets6* ]] || fail "dependencies $(field Depends)"

# Not one tag, pedantic and informational included.
lintian --pedantic --info --fail-on error,warning,info,pedantic "${deb%.deb}.changes" >"$work/lintian.log" 2>&1 ||
  fail "lintian ($work/lintian.log): $(grep -v -e '^N:' -e 'running with root privileges' "$work/lintian.log")"

# autopkgtest's null runner installs the package on this machine; it is purged again.
skip=
if [ "$(id -u)" -ne 0 ]; then
  skip="autopkgtest needs root to install the package"
elif package_on_machine worm; then
  skip="a worm package is installed already, and the autopkgtest would replace it"
else
  autopkgtest -q --output-dir "$work/autopkgtest" "${deb%.deb}.changes" -- null >"$work/autopkgtest.log" 2>&1 ||
    fail "autopkgtest ($work/autopkgtest.log): $(cat "$work"/autopkgtest/summary "$work"/autopkgtest/*-stdout)"
  dpkg --purge worm worm-dbgsym >>"$work/autopkgtest.log" 2>&1 || fail "dpkg --purge worm failed"
  [ ! -e /usr/games/worm ] || fail "the purged package left /usr/games/worm behind"
fi

[ "$failures" -eq 0 ] || exit 1
[ -z "$skip" ] || { echo "SKIP: $skip; everything before it passed"; exit 77; }
echo "package $(basename "$deb"), $(stat -c %s "$deb") bytes: built, hardened, lintian-clean, autopkgtests passed"
