#!/usr/bin/env bash
# The Debian package as a family installs it: built by scripts/package.sh, lintian clean,
# installed with apt-get, played from its installed path in a real window (a whole game that
# ends by the sleeping frog with status 0), then removed, leaving none of its files behind.
# Usage: package_test.sh SOURCE_DIR WINDOW_TESTS   (exit 77: skipped)
set -euo pipefail
source=$1 window_tests=$2
skip() { echo "SKIPPED: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing the package needs root (CI runs as root)"
command -v apt-get >/dev/null || skip "no apt-get on this machine"
! dpkg-query -W -f='${Status}' bolvenda 2>/dev/null | grep -q 'install ok installed' ||
  skip "bolvenda is already installed here; the test would replace and remove it"

cd "$source"
deb=$(bash scripts/package.sh | tail -n1)
[ -f "$deb" ] || { echo "FAIL: scripts/package.sh made no package" >&2; exit 1; }
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Section Depends

# Warnings and errors fail; the one override is explained in packaging/debian/lintian-overrides.
said=$(lintian --fail-on warning,error --display-info --pedantic "$deb" 2>&1) ||
  { echo "FAIL: lintian:"$'\n'"$said" >&2; exit 1; }
echo "lintian:"; grep -v 'running with root privileges' <<<"$said" || true

apt() { flock /var/lock/bolvenda-apt.lock env DEBIAN_FRONTEND=noninteractive apt-get -y -qq "$@"; }
installed=0
cleanup() { [ "$installed" = 1 ] && apt purge bolvenda >/dev/null 2>&1 || true; }
trap cleanup EXIT
apt install "./$deb" >/dev/null
installed=1
files=$(dpkg -L bolvenda)
# Started as the menu starts it: the desktop entry's command, the program in /usr/games.
game=$(sed -n 's/^Exec=//p' /usr/share/applications/*.Bolvenda.desktop)
[ "$game" = /usr/games/bolvenda ] && [ -x "$game" ] ||
  { echo "FAIL: the menu entry starts \"$game\", not the installed /usr/games/bolvenda" >&2; exit 1; }

BOLVENDA_GAME_UNDER_TEST=$game "$window_tests" \
  --gtest_filter='Play.AWholeGameLooksAsTheOffscreenRender:CommandLine.*:FullScreen.*'

apt purge bolvenda >/dev/null
installed=0
! dpkg-query -W -f='${Status}' bolvenda 2>/dev/null | grep -q 'installed' ||
  { echo "FAIL: the package is still installed" >&2; exit 1; }
left=""
while IFS= read -r path; do
  # The shared directories (/usr/share/icons/hicolor/...) stay for other packages.
  if [ -e "$path" ] && [ ! -d "$path" ]; then left+="$path"$'\n'; fi
done <<<"$files"
[ -d /usr/share/doc/bolvenda ] && left+="/usr/share/doc/bolvenda"$'\n'
[ -z "$left" ] || { echo "FAIL: left behind after removal:"$'\n'"$left" >&2; exit 1; }
echo "installed, played and removed: none of its $(wc -l <<<"$files") paths left but shared directories"
