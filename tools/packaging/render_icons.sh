#!/usr/bin/env bash
# Draws the menu icons from the game's happy frog face: a square SVG around the face's own
# drawing, and PNGs of it at every hicolor size. The results are committed in packaging/icons,
# so building the game needs no SVG renderer; the test suite checks they are up to date.
# Usage: tools/packaging/render_icons.sh [OUT_DIR]   (needs rsvg-convert, from librsvg2-bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/packaging/icons}
id=$(sed -n 's/^set(BOLVENDA_APP_ID \(.*\))$/\1/p' "$root/CMakeLists.txt")
[ -n "$id" ] || { echo "render_icons: no BOLVENDA_APP_ID in CMakeLists.txt" >&2; exit 1; }

mkdir -p "$out/scalable"
# The face is drawn at 640 x 400 and reaches from (71, 33) to (569, 405) with its outline:
# a 520-unit square centred on that box holds it with a narrow margin.
perl -0pe 's{<svg\b[^>]*>\s*<!--.*?-->}{<svg xmlns="http://www.w3.org/2000/svg" width="512" height="512" viewBox="60 -41 520 520">\n  <!-- Bolvenda: the happy frog face of the game, in a square. -->}s' \
  "$root/scene/assets/art/face_happy.svg" > "$out/scalable/$id.svg"
grep -q 'viewBox="60 -41 520 520"' "$out/scalable/$id.svg" ||
  { echo "render_icons: the face's SVG header has changed; adjust this script" >&2; exit 1; }

for size in 16 24 32 48 64 128 256 512; do
  mkdir -p "$out/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" -o "$out/${size}x${size}/$id.png" "$out/scalable/$id.svg"
done

# The web app's icons (app/web): the same face, 192 and 512 px on a clear ground; on the
# window's colour for the home screens that fill an icon's corners themselves: the maskable
# one keeps the face inside the central circle of 80 % that any mask leaves, the Apple one
# (180 px, iOS adds no ground of its own) with a narrow margin.
ground=$(sed -n 's/^set(BOLVENDA_BACKGROUND_COLOUR \([0-9A-Fa-f]\{6\}\))$/#\1/p' "$root/CMakeLists.txt")
[ -n "$ground" ] || { echo "render_icons: no BOLVENDA_BACKGROUND_COLOUR in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$out/web"
on_ground() {  # VIEWBOX OUTPUT SIZE: the face over a square of the ground, that viewBox wide
  local x y w
  read -r x y w _ <<<"$1"
  perl -0pe "s{<svg\\b[^>]*>\\s*<!--.*?-->}{<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"$3\" height=\"$3\" viewBox=\"$1\">\\n  <rect x=\"$x\" y=\"$y\" width=\"$w\" height=\"$w\" fill=\"$ground\"/>}s" \
    "$root/scene/assets/art/face_happy.svg" | rsvg-convert -w "$3" -h "$3" -o "$out/web/$2"
}
for size in 192 512; do
  rsvg-convert -w "$size" -h "$size" -o "$out/web/icon-$size.png" "$out/scalable/$id.svg"
done
# The face's box (71, 33)-(569, 405) has a half-diagonal of 311 units: 40 % of 780.
on_ground "-70 -171 780 780" maskable-512.png 512
on_ground "20 -81 600 600" apple-touch-icon.png 180
