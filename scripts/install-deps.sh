#!/usr/bin/env bash
# Installs the Debian packages Bolvenda needs, only those that are missing.
# Usage: scripts/install-deps.sh [run|test]   (test adds the real-window and asset-tool packages)
set -euo pipefail

# fonts-liberation2: its two Liberation Sans files are embedded into the program at build time.
want=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev fonts-liberation2 libstb-dev)
if [ "${1:-run}" = test ]; then
  # xfonts-base: a bare Xvfb has no core font for SDL's X11 message box; time: whole-process figures.
  want+=(libgtest-dev libbenchmark-dev xvfb xdotool x11-apps imagemagick libxtst-dev xfonts-base time
         librsvg2-dev libimagequant-dev libgif-dev valgrind)
fi

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# One install at a time: builds started side by side would otherwise fail on apt's lock.
$sudo flock /var/lock/bolvenda-apt.lock sh -c '
  apt-get update -qq &&
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"' sh "${missing[@]}"
