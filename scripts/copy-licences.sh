#!/usr/bin/env bash
# Puts the licences of what a self-contained build carries beside it: the game's own, the
# embedded fonts', NanoSVG's (compiled in from third_party/), and those of the libraries linked
# in (SDL2, on Windows: zlib; FreeType: its FreeType License, which asks for credit), read from
# their sources.
# Usage: scripts/copy-licences.sh DEST LIBRARY_SOURCES   (the folder fetch-sources.sh filled)
set -euo pipefail
cd "$(dirname "$0")/.."
dest=$1 src=$2
mkdir -p "$dest"
cp LICENSE "$dest/Bolvenda.txt"
cp LICENSES/OFL-1.1-Liberation.txt "$dest/Liberation-fonts.txt"
cp LICENSES/zlib-NanoSVG.txt "$dest/NanoSVG.txt"
cp LICENSES/GPL-2.0-or-later-Italian-FESTIVAL-voice.txt "$dest/Italian-FESTIVAL-voice.txt"
if [ -d "$src/libsdl2" ]; then cp "$src/libsdl2/LICENSE.txt" "$dest/SDL2.txt"; else rm -f "$dest/SDL2.txt"; fi
{ echo "Portions of this software are copyright (c) The FreeType Project (www.freetype.org)."
  echo "All rights reserved."
  echo
  cat "$src/freetype/docs/FTL.TXT"; } >"$dest/FreeType.txt"
