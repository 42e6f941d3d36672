#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR under an unusual prefix: exactly the expected
# files, each accepted by the validators a distribution runs, the icons of their sizes and up
# to date with the art, the manual page without a warning.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -euo pipefail
build=$1 source=$2 id=$3 version=$4
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; status=1; }
status=0

prefix=/opt/bolvenda-test
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
root="$stage$prefix"

expected="bin/bolvenda
share/applications/$id.desktop
share/doc/bolvenda/GPL-2.0-or-later-Italian-FESTIVAL-voice.txt
share/doc/bolvenda/LICENSE
share/doc/bolvenda/OFL-1.1-Liberation.txt
share/doc/bolvenda/zlib-NanoSVG.txt"
for size in 16 24 32 48 64 128 256 512; do
  expected+=$'\n'"share/icons/hicolor/${size}x${size}/apps/$id.png"
done
expected+="
share/icons/hicolor/scalable/apps/$id.svg
share/man/man6/bolvenda.6
share/metainfo/$id.metainfo.xml"
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] ||
  fail "installed files differ:"$'\n'"$(diff <(LC_ALL=C sort <<<"$expected") <(echo "$actual"))"
[ -x "$root/bin/bolvenda" ] || fail "the program is not executable"
[ -z "$(find "$stage" -path "$root" -prune -o -type f -print)" ] || fail "files outside the prefix"

# Two main categories are asked for on purpose (the game belongs in both menus): that hint
# is the only thing desktop-file-validate may say.
desktop="$root/share/applications/$id.desktop"
said=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $said"
said=$(grep -v 'contains more than one main category' <<<"$said" || true)
[ -z "$said" ] || fail "desktop-file-validate: $said"
for key in "Icon=$id" "StartupWMClass=$id" "Categories=Education;Math;Game;KidsGame;" \
           "Exec=bolvenda" "Name=Bolvenda"; do
  grep -qxF "$key" "$desktop" || fail "the desktop entry lacks $key"
done
for key in GenericName Comment Keywords; do
  grep -q "^$key=" "$desktop" && grep -q "^$key\[it\]=" "$desktop" ||
    fail "the desktop entry lacks an English or Italian $key"
done

# Warnings and errors make appstreamcli fail; infos and pedantic notes are printed for the log.
metainfo="$root/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "appstreamcli validate-tree"
grep -qF "<id>$id</id>" "$metainfo" || fail "metainfo id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo launchable is not the desktop entry"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
grep -q '<screenshot type="default">' "$metainfo" && grep -q '<caption xml:lang="it">' "$metainfo" ||
  fail "metainfo screenshot or its Italian caption"
shot=$(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1 \2 \3|p' "$metainfo")
read -r shot_w shot_h shot_url <<<"$shot"
[ "${shot_url##*/}" = screenshot.png ] && [ -f "$source/packaging/screenshot.png" ] ||
  fail "the screenshot URL does not name the committed picture: $shot_url"

# PNG width and height: big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
png_signature() { od -An -tx1 -N8 "$1" | tr -d ' \n'; }
[ "$(png_size "$source/packaging/screenshot.png")" = "${shot_w}x${shot_h}" ] ||
  fail "the screenshot is not ${shot_w}x${shot_h} as the metainfo says"
for size in 16 24 32 48 64 128 256 512; do
  icon="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$icon" ] || continue
  [ "$(png_signature "$icon")" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$icon")"
done
grep -q '<svg[^>]*viewBox="[-0-9. ]*"' "$root/share/icons/hicolor/scalable/apps/$id.svg" ||
  fail "the scalable icon has no viewBox"

# The committed icons are those the face draws today.
if command -v rsvg-convert >/dev/null; then
  bash "$source/tools/packaging/render_icons.sh" "$stage/icons"
  diff -r "$stage/icons" "$source/packaging/icons" >/dev/null ||
    fail "packaging/icons is out of date with the art: run tools/packaging/render_icons.sh"
else
  echo "rsvg-convert is missing: icons not re-rendered (scripts/install-deps.sh test installs it)"
fi

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man6/bolvenda.6" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man -l: $warnings"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/share/man/man6/bolvenda.6" 2>/dev/null | grep -q -- '--fullscreen' ||
  fail "the manual page does not render its options"

first=$("$root/bin/bolvenda" --version | head -n1)
[ "$first" = "Bolvenda $version" ] || fail "the installed program says \"$first\""
exit $status
