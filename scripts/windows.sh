#!/usr/bin/env bash
# Builds the Windows game, dist/windows/Bolvenda.exe, with the mingw-w64 cross compiler, and
# beside it Bolvenda.msi, the package that installs it for every user of a machine:
# installs what is missing, builds static SDL2 and FreeType from Debian's source packages into
# build/windows-libs/ (scripts/build-libs.sh: again only when a version, its options or the
# compiler change), then the game itself through the `windows` CMake preset, then the package
# (scripts/msi.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh windows

scripts/build-libs.sh windows
prefix=$root/build/windows-libs/prefix

# New libraries bring new link lines: pkg-config's answers are cached with the configuration.
libs_key=$(cat "$prefix"/.built/* | sha256sum)
fresh=
[ "$(cat build/windows/.libraries 2>/dev/null)" = "$libs_key" ] || fresh=--fresh
cmake --preset windows $fresh >/dev/null
echo "$libs_key" >build/windows/.libraries
cmake --build --preset windows --target bolvenda
cmake --install build/windows --prefix dist/windows --strip >/dev/null
scripts/copy-licences.sh dist/windows/licences build/windows-libs/src
scripts/msi.sh dist/windows dist/windows/Bolvenda.msi
echo "windows: $(du -k dist/windows/Bolvenda.exe | cut -f1) KiB in dist/windows/Bolvenda.exe," \
  "$(du -k dist/windows/Bolvenda.msi | cut -f1) KiB in Bolvenda.msi, $SECONDS s"
