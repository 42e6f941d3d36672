#!/usr/bin/env bash
# Builds Bolvenda.msi from packaging/windows/bolvenda.wxs with wixl, around the Bolvenda.exe and
# licences/ that scripts/windows.sh put in DIST; then, with msitools' msibuild, what wixl
# cannot say: the summary's language (Italian, 1040, as the program's version record), the
# code page of its texts (1252, whatever the installing system's own), and the condition that
# installs the desktop shortcut with DESKTOP_SHORTCUT=1.
# Usage: scripts/msi.sh DIST OUT.msi [VERSION]   (VERSION: the project's; another one builds a
#   package of that version around the same files, as the tests' upgrade and downgrade do)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dist=$1 out=$2
version=${3:-$(sed -n 's/^project(Bolvenda VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)}
# One product code per version, always the same for it: a rebuild is the same product, a later
# version another one, which the upgrade rule finds by the fixed upgrade code.
upgrade_code=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' packaging/windows/bolvenda.wxs)
product_code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "$version")
mkdir -p "$(dirname "$out")"
out=$(realpath "$out")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# wixl finds a file only by a name relative to the folder it runs in.
icon=$(realpath --relative-to="$dist" scene/assets/bolvenda.ico)
(cd "$dist" && wixl --arch x64 -D Version="$version" -D ProductCode="$product_code" \
  -D Icon="$icon" -o "$work/package.msi" "$root/packaging/windows/bolvenda.wxs")
msibuild "$work/package.msi" -s "Bolvenda $version" "Squadra Bolvenda" "x64;1040"
msibuild "$work/package.msi" -i packaging/windows/_ForceCodepage.idt
msibuild "$work/package.msi" -i packaging/windows/Condition.idt
mv "$work/package.msi" "$out"
