#!/usr/bin/env bash
# SDL2, FreeType, HarfBuzz and SDL2_ttf as static WebAssembly libraries, from Debian's source
# packages, installed into DIR/prefix. Built again only when emcc, a package version or this
# script changes. Usage: scripts/web/build-libs.sh DIR
set -euo pipefail
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
cd "$(dirname "$0")/../.."
mkdir -p "$1"
libs=$(cd "$1" && pwd)
export NODE_PATH=/usr/share/nodejs

emcc_version=$(emcc -dumpversion)
declare -A src version
while read -r name dir ver; do src[$name]=$dir; version[$name]=$ver; done \
  < <(scripts/fetch-sources.sh "$libs/src" libsdl2 freetype harfbuzz libsdl2-ttf)

prefix=$libs/prefix
key="emcc $emcc_version; ${version[libsdl2]}; ${version[freetype]}; ${version[harfbuzz]}; ${version[libsdl2-ttf]}; $(sha1sum <"$self" | cut -c1-12)"

# CMake's checks of the C library take minutes through emcc. Their results depend only on
# the compiler, so they are kept per emcc version; a copy recorded with Debian's emcc ships
# in scripts/web/, and results this run finds are added to the kept ones.
checks=$libs/checks-$emcc_version.cmake
[ -f "$checks" ] || cp "scripts/web/checks-emcc-$emcc_version.cmake" "$checks" 2>/dev/null || : >"$checks"

keep_checks() {  # adds this configure's results to the kept ones
  grep -E '^(HAVE_|STDC_HEADERS|LIBC_IS|COMPILER_SUPPORTS)[A-Za-z0-9_]*:INTERNAL=' "$1/CMakeCache.txt" |
    sed -E 's/^([^:]+):INTERNAL=(.*)$/set(\1 "\2" CACHE INTERNAL "")/' |
    cat "$checks" - | grep -v '^#' | sort -u >"$checks.new"
  mv "$checks.new" "$checks"
}

build_lib() {  # NAME SOURCE-DIR CMAKE-ARGS...
  local name=$1 dir=$2 bdir=$libs/build/$1; shift 2
  echo "web.sh: building $name for the browser"
  rm -rf "$bdir"
  emcmake cmake -C "$checks" -S "$dir" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" \
    >"$libs/$name.log" 2>&1 || { tail -n 30 "$libs/$name.log"; exit 1; }
  keep_checks "$bdir"
  cmake --build "$bdir" -j2 >>"$libs/$name.log" 2>&1 || { tail -n 30 "$libs/$name.log"; exit 1; }
  cmake --install "$bdir" >>"$libs/$name.log" 2>&1
}

if [ "$(cat "$prefix/.built" 2>/dev/null)" != "$key" ]; then
  rm -rf "$prefix"
  build_lib sdl2 "${src[libsdl2]}" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
  build_lib freetype "${src[freetype]}" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  # Shaped by HarfBuzz as Debian's SDL2_ttf is: the same kerning, the same pixels.
  build_lib harfbuzz "${src[harfbuzz]}" -DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF \
    -DHB_HAVE_GLIB=OFF -DHB_HAVE_ICU=OFF -DHB_HAVE_GOBJECT=OFF
  build_lib sdl2-ttf "${src[libsdl2-ttf]}" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF \
    -DSDL2TTF_HARFBUZZ=ON -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
  # SDL2_ttf's CMake writes its pkg-config file only for a shared library.
  cat >"$prefix/lib/pkgconfig/SDL2_ttf.pc" <<PC
prefix=$prefix
Name: SDL2_ttf
Description: TrueType fonts for SDL2, on FreeType
Version: ${version[libsdl2-ttf]%%+*}
Requires: sdl2 freetype2
Libs: -L\${prefix}/lib -lSDL2_ttf -lharfbuzz
Cflags: -I\${prefix}/include/SDL2
PC
  echo "$key" >"$prefix/.built"
else
  echo "web.sh: libraries reused ($key)"
fi
# Header-only stb, from Debian's package, as it is now: the host's /usr/include must not reach
# emcc, whose own C library headers it would hide.
rm -rf "$prefix/include/stb"
cp -a /usr/include/stb "$prefix/include/"  # their own times: no rebuild
