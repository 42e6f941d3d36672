#!/usr/bin/env bash
# Installs the Debian packages Bolvenda needs, only those that are missing.
# Usage: scripts/install-deps.sh [run|test|package|web|windows|sounds]
#   (sounds: what tools/sound/render_sounds.sh needs to make the committed sounds again; test adds the real-window, asset-tool, packaging and browser-test packages, and Wine with
#   what the Windows build needs; package, what package.sh needs; web, what web.sh needs;
#   windows, the cross compiler and wixl alone)
set -euo pipefail

want=(cmake ninja-build g++ pkg-config libsdl2-dev libfreetype-dev)
if [ "${1:-run}" = test ]; then
  # xfonts-base: a bare Xvfb has no core font for SDL's X11 message box; time: whole-process figures;
  # evilwm: a window manager that grants full screen.
  # libstb-dev: second decoders and resamplers that the tests hold the game's own against.
  want+=(libgtest-dev libbenchmark-dev libstb-dev xvfb xdotool x11-apps imagemagick libxtst-dev libxfixes-dev xfonts-base time evilwm
         librsvg2-dev libimagequant-dev libgif-dev valgrind
         # The embedded typefaces are cut from these fonts with fontTools; a test cuts them again.
         fonts-liberation2 python3-fonttools
         # The one style of the C++ files, checked by the suite.
         clang-format
         # strace: the game played through a round stores nothing and sends nothing.
         strace
         # The installed files' validators and the Debian package's tools.
         desktop-file-utils appstream man-db groff-base dpkg-dev lintian librsvg2-bin)
fi
if [ "${1:-run}" = sounds ]; then
  # sox synthesises and shapes the effects; festival speaks the words in its Italian voice.
  # opusenc makes the browser's copies.
  want+=(sox festival festvox-italp16k opus-tools)
fi
if [ "${1:-run}" = package ]; then
  want+=(dpkg-dev)
fi
if [ "${1:-run}" = test ] || [ "${1:-run}" = web ]; then
  # The web build and its browser tests: the libraries come from Debian's source packages.
  want+=(emscripten dpkg-dev chromium)
  # The browser test plays in every engine a school has: Firefox through WebDriver BiDi,
  # WebKitGTK through its WebDriver (its MiniBrowser under Xvfb).
  [ "${1:-run}" = test ] && want+=(firefox-esr webkit2gtk-driver)
  # A node.js from elsewhere already brings its own npm; Debian's would fight it.
  command -v node >/dev/null || want+=(nodejs)
  command -v npm >/dev/null || want+=(npm)
fi
if [ "${1:-run}" = test ] || [ "${1:-run}" = windows ]; then
  want+=(dpkg-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
         # wixl builds Bolvenda.msi from packaging/windows/bolvenda.wxs.
         wixl)
  # Bolvenda.exe read back by the tests: pefile for its imports and version record, wrestool
  # for its icon put back together as a file.
  [ "${1:-run}" = test ] && want+=(python3-pefile icoutils)
  # Bolvenda.msi read back by the tests: msiinfo and msidump show its summary and tables.
  [ "${1:-run}" = test ] && want+=(msitools)
fi
if [ "${1:-run}" = test ]; then
  # Wine's X11 libraries (the colour cursor needs libxcursor1) and fonts are Recommends only.
  want+=(wine wine64 libxcursor1 libxi6 libxrandr2 libxrender1 fonts-wine)
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
