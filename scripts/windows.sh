#!/usr/bin/env bash
# Builds the Windows game, dist/windows/Bolvenda.exe, with the mingw-w64 cross compiler:
# installs what is missing, builds static SDL2, FreeType, HarfBuzz and SDL2_ttf from Debian's source
# packages into build/windows-libs/ (again only when a version or its options change), then
# the game itself through the `windows` CMake preset.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh windows

libs=$root/build/windows-libs
prefix=$libs/prefix
toolchain=$root/packaging/windows/mingw-w64.cmake
mkdir -p "$prefix/.built" "$prefix/include" "$prefix/lib/pkgconfig"

declare -A dir version
while read -r name path ver; do
  dir[$name]=$path
  version[$name]=$ver
done < <(scripts/fetch-sources.sh "$libs/src" libsdl2 freetype harfbuzz libsdl2-ttf)

# build_library NAME KEY BUILD-TYPE CMAKE-OPTIONS...: builds one library with CMake into the
# prefix, unless the same version was built there with the same options and the same
# libraries beneath it (KEY says all that). The text libraries are built for size: they only
# run while the game starts; SDL2 is built for speed, it copies every frame to the screen.
build_library() {
  local name=$1 key=$2 type=$3; shift 3
  local stamp=$prefix/.built/$name
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
    echo "windows: $name ${version[$name]} already built" >&2
    return
  fi
  echo "windows: building $name ${version[$name]}" >&2
  local work=$libs/build/$name started=$SECONDS
  rm -rf "$work" "$stamp"
  mkdir -p "$work"
  cmake -S "${dir[$name]}" -B "$work" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBOLVENDA_WINDOWS_LIBS="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE="$type" -DBUILD_SHARED_LIBS=OFF \
    "$@" >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
  { cmake --build "$work" -j2 && cmake --install "$work"; } >>"$work/build.log" 2>&1 ||
    { tail -n 40 "$work/build.log" >&2; exit 1; }
  echo "$key" >"$stamp"
  echo "windows: $name built in $((SECONDS - started)) s" >&2
}

# Only what the game uses: a window, its surface, mouse events, cursors, the message box.
sdl_options=(-DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_AUDIO=OFF -DSDL_RENDER=OFF
  -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF
  -DSDL_LOCALE=OFF -DSDL_MISC=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_VULKAN=OFF
  -DSDL_DIRECTX=OFF -DSDL_RENDER_D3D=OFF -DSDL_WASAPI=OFF)
# A changed toolchain file rebuilds them all.
toolchain_sum=$(sha256sum "$toolchain" | cut -c1-16)
sdl_key="libsdl2 ${version[libsdl2]} Release ${sdl_options[*]} $toolchain_sum"
build_library libsdl2 "$sdl_key" Release "${sdl_options[@]}"

# Outlines and hinting only: the game's fonts are plain TrueType, no compressed tables; the
# shaping is HarfBuzz's, below.
ft_options=(-DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
ft_key="freetype ${version[freetype]} MinSizeRel ${ft_options[*]} $toolchain_sum"
build_library freetype "$ft_key" MinSizeRel "${ft_options[@]}"

# SDL2_ttf shapes with HarfBuzz, as Debian's own does: without it the glyphs of a line land
# a pixel away from where the Linux game puts them.
hb_options=(-DHB_HAVE_FREETYPE=ON -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF -DHB_HAVE_GLIB=OFF
  -DHB_HAVE_ICU=OFF -DHB_HAVE_GOBJECT=OFF -DHB_BUILD_TESTS=OFF)
hb_key="harfbuzz ${version[harfbuzz]} MinSizeRel ${hb_options[*]} $toolchain_sum | $ft_key"
build_library harfbuzz "$hb_key" MinSizeRel "${hb_options[@]}"

ttf_options=(-DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF)
build_library libsdl2-ttf "libsdl2-ttf ${version[libsdl2-ttf]} MinSizeRel ${ttf_options[*]} $toolchain_sum | $sdl_key | $hb_key" \
  MinSizeRel "${ttf_options[@]}"
# SDL2_ttf installs a pkg-config file only for its shared library.
cat >"$prefix/lib/pkgconfig/SDL2_ttf.pc" <<PC
prefix=$prefix
Name: SDL2_ttf
Description: TrueType fonts for SDL2, static
Version: ${version[libsdl2-ttf]%%+*}
Requires: sdl2
Requires.private: harfbuzz freetype2
Libs: -L\${prefix}/lib -lSDL2_ttf
Cflags: -I\${prefix}/include/SDL2
PC
# stb is headers only: the game's decoder and resampler come from Debian's libstb-dev.
ln -sfn /usr/include/stb "$prefix/include/stb"

# New libraries bring new link lines: pkg-config's answers are cached with the configuration.
libs_key=$(cat "$prefix"/.built/* | sha256sum)
fresh=
[ "$(cat build/windows/.libraries 2>/dev/null)" = "$libs_key" ] || fresh=--fresh
cmake --preset windows $fresh >/dev/null
echo "$libs_key" >build/windows/.libraries
cmake --build --preset windows --target bolvenda
cmake --install build/windows --prefix dist/windows --strip >/dev/null
scripts/copy-licences.sh dist/windows/licences "$libs/src"
echo "windows: $(du -k dist/windows/Bolvenda.exe | cut -f1) KiB in dist/windows/Bolvenda.exe, $SECONDS s"
