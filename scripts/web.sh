#!/usr/bin/env bash
# Installs what is missing, builds FreeType for the browser from Debian's source
# packages (scripts/build-libs.sh: once per version), then the game, and writes dist/web/: a
# folder that any static web server can serve (with compressed copies beside the files), or
# that opens from disk.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh web
# Debian's emcc finds node-acorn there.
export NODE_PATH=/usr/share/nodejs
scripts/build-libs.sh web

# New libraries bring new link lines: pkg-config's answers are cached with the configuration.
libs_key=$(cat build/web-libs/prefix/.built/* | sha256sum)
[ "$(cat build/web/.libraries 2>/dev/null)" = "$libs_key" ] || rm -rf build/web
cmake --preset web >build/web-configure.log 2>&1 || { cat build/web-configure.log; exit 1; }
echo "$libs_key" >build/web/.libraries
cmake --build --preset web -j2
rm -rf dist/web
mkdir -p dist/web
cp -r build/web/app/site/. dist/web/
rm dist/web/*.in
scripts/copy-licences.sh dist/web/licences build/web-libs/src
echo "web.sh: dist/web/ written ($(du -sh dist/web | cut -f1)); open dist/web/index.html or serve the folder"
