#!/usr/bin/env bash
# Builds the static libraries the Windows and web games link, SDL2 (Windows) and FreeType, from Debian's
# source packages into build/TARGET-libs/prefix. Each library is built again only when its
# version, its options or the compiler change (one stamp per library in prefix/.built/).
# Usage: scripts/build-libs.sh windows|web   (the compilers come from scripts/install-deps.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
target=${1:-}
case $target in windows | web) ;; *) echo "usage: $0 windows|web" >&2; exit 2 ;; esac

libs=$root/build/$target-libs
prefix=$libs/prefix
# The browser's game has no SDL: it draws, hears and takes its events through the page itself.
names=(freetype)
[ "$target" = windows ] && names=(libsdl2 freetype)
# A prefix from before (one stamp for all, or a library no longer built) starts afresh: what
# the game would otherwise find there is not what it links.
if [ -f "$prefix/.built" ]; then rm -rf "$prefix"; fi
for stamp in "$prefix"/.built/*; do
  [ -f "$stamp" ] || continue
  case " ${names[*]} " in *" $(basename "$stamp") "*) ;; *) rm -rf "$prefix"; break ;; esac
done
mkdir -p "$prefix/.built" "$prefix/include" "$prefix/lib/pkgconfig"

declare -A dir version
while read -r name path ver; do
  dir[$name]=$path
  version[$name]=$ver
done < <(scripts/fetch-sources.sh "$libs/src" "${names[@]}")

if [ "$target" = windows ]; then
  toolchain=$root/packaging/windows/mingw-w64.cmake
  configure=(cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBOLVENDA_WINDOWS_LIBS="$prefix")
  # Debian's mingw gcc calls itself "12-posix" through every update: its packages say more.
  compiler="$(sha256sum "$toolchain" | cut -c1-16) $(dpkg-query -W -f='${Version} ' \
    gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev)"
  checks_id=mingw-$(x86_64-w64-mingw32-gcc-posix -dumpversion)-$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)
else
  export NODE_PATH=/usr/share/nodejs  # Debian's emcc finds node-acorn there
  checks_id=emcc-$(emcc -dumpversion)
  # Bulk memory, as the game: large fills and copies become single instructions.
  compiler="emcc $(emcc -dumpversion) -mbulk-memory"
  configure=(emcmake cmake -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_C_FLAGS=-mbulk-memory)
fi
# CMake's checks of the C library, some 350 compiles, take over a minute through either
# compiler. Their results depend only on the compiler and its C library headers (the one C
# flag, bulk memory for the web, changes none of them), so they are kept per compiler; copies recorded with
# Debian's compilers ship in scripts/lib-checks/, and results a configure finds are added to
# the kept ones.
checks=$libs/checks-$checks_id.cmake
[ -f "$checks" ] || cp "scripts/lib-checks/$checks_id.cmake" "$checks" 2>/dev/null || : >"$checks"
configure+=(-C "$checks")

keep_checks() {  # BUILD-DIR: adds that configure's results to the kept ones
  { grep -v '^#' "$checks" || :
    sed -n -E 's/^((HAVE_|STDC_HEADERS|LIBC_IS|COMPILER_SUPPORTS)[A-Za-z0-9_]*):INTERNAL=(.*)$/set(\1 "\3" CACHE INTERNAL "")/p' \
      "$1/CMakeCache.txt"; } | sort -u >"$checks.new"
  mv "$checks.new" "$checks"
}

# build_library NAME BUILD-TYPE CMAKE-OPTIONS...: configures, builds and installs one library
# into the prefix, unless its stamp says this version was built there with these options by
# this compiler. A function configured_NAME, if defined, runs on the build folder once CMake
# has configured it.
build_library() {
  local name=$1 type=$2; shift 2
  local stamp=$prefix/.built/$name work=$libs/build/$name started=$SECONDS
  local key="$name ${version[$name]} $type $* | ${extra_key[$name]:-} | $compiler"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
    echo "$target: $name ${version[$name]} already built" >&2
    return
  fi
  echo "$target: building $name ${version[$name]}" >&2
  rm -rf "$work" "$stamp"
  mkdir -p "$work"
  "${configure[@]}" -S "${dir[$name]}" -B "$work" -G Ninja -Wno-dev \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE="$type" -DBUILD_SHARED_LIBS=OFF \
    "$@" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log" >&2; exit 1; }
  keep_checks "$work"
  if declare -F "configured_$name" >/dev/null; then "configured_$name" "$work"; fi
  { cmake --build "$work" -j2 && cmake --install "$work"; } >>"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; exit 1; }
  echo "$key" >"$stamp"
  echo "$target: $name built in $((SECONDS - started)) s" >&2
}
declare -A extra_key

# Only what the game uses: a window, its surface, mouse and touch events, cursors, the message
# box, and audio (the system's own output, and the disk writer the tests listen through; no
# dummy driver: a machine with no output is silent without it). Built for speed: it copies
# every frame to the screen.
sdl_options=(-DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_AUDIO=ON -DSDL_DUMMYAUDIO=OFF
  -DSDL_RENDER=OFF
  -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF
  -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_FILESYSTEM=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF
  -DSDL_VULKAN=OFF)
if [ "$target" = windows ]; then
  # WASAPI, Windows' own audio (Wine's too); WinMM stays as SDL's fallback.
  sdl_options+=(-DSDL_DIRECTX=OFF -DSDL_RENDER_D3D=OFF -DSDL_WASAPI=ON -DSDL_XINPUT=OFF)
fi
# No dynamic API: its table of every SDL function, for an SDL2.dll put beside the game in
# place of the one inside, would keep all of SDL in the static link. SDL allows it off only by
# editing its header; the unpacked sources are edited in place, once, as only this script
# builds them.
sdl_dynapi='#define SDL_DYNAMIC_API 0  /* scripts/build-libs.sh */'
extra_key[libsdl2]="dynamic API off"
configured_libsdl2() {
  local header=${dir[libsdl2]}/src/dynapi/SDL_dynapi.h
  sed -i "s@^#define SDL_DYNAMIC_API 1\$@$sdl_dynapi@" "$header"
  grep -qxF "$sdl_dynapi" "$header" ||
    { echo "$target: SDL's SDL_dynapi.h no longer turns its dynamic API on as expected" >&2; exit 1; }
}
sdl_type=Release
[ "$target" = windows ] && build_library libsdl2 "$sdl_type" "${sdl_options[@]}"

# FreeType for TrueType outlines with their own hinting instructions, drawn anti-aliased, and
# their kerning: the game's fonts have no compressed tables, bitmaps, colours or variations,
# and no other format. Built for size: it runs while the game starts. FreeType's CMake
# compiles every module; the start-up registers only those listed below, so the static link
# leaves out the rest. Without the autofitter FreeType hints these fonts with their own
# instructions, as it does with it (with the normal hinting target, not the light one).
ft_options=(-DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
ft_modules=("FT_Driver_ClassRec, tt_driver_class" "FT_Module_Class, sfnt_module_class"
  "FT_Renderer_Class, ft_smooth_renderer_class")
# Features of ftoption.h the game's fonts never ask for, turned off in the configured copy.
ft_off=(FT_CONFIG_OPTION_USE_LZW FT_CONFIG_OPTION_USE_ZLIB FT_CONFIG_OPTION_POSTSCRIPT_NAMES
  FT_CONFIG_OPTION_MAC_FONTS FT_CONFIG_OPTION_GUESSING_EMBEDDED_RFORK FT_CONFIG_OPTION_INCREMENTAL
  FT_CONFIG_OPTION_SVG TT_CONFIG_OPTION_EMBEDDED_BITMAPS TT_CONFIG_OPTION_COLOR_LAYERS
  TT_CONFIG_OPTION_POSTSCRIPT_NAMES TT_CONFIG_OPTION_GX_VAR_SUPPORT TT_CONFIG_OPTION_BDF)
extra_key[freetype]="modules: ${ft_modules[*]}; off: ${ft_off[*]}"
configured_freetype() {  # the build folder's config headers come before the sources' ones
  local config=$1/include/freetype/config
  { echo "/* The modules FT_Init_FreeType registers: scripts/build-libs.sh */"
    printf 'FT_USE_MODULE( %s )\n' "${ft_modules[@]}"; } >"$config/ftmodule.h"
  local option
  for option in "${ft_off[@]}"; do
    grep -q "^#define $option\b" "$config/ftoption.h" ||
      { echo "$target: FreeType's ftoption.h no longer defines $option" >&2; exit 1; }
    sed -i -E "s@^#define $option\b.*@/* #undef $option: scripts/build-libs.sh */@" "$config/ftoption.h"
  done
}
build_library freetype MinSizeRel "${ft_options[@]}"

rm -rf "$prefix/include/stb"  # an older build's copy: the game no longer reads stb
