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
# version another one, which the upgrade rule finds by the fixed upgrade code. It is the
# name-based UUID (RFC 4122, SHA-1) of the version in the upgrade code's namespace.
uuid5() {  # NAMESPACE NAME
  local hash variant
  hash=$({ printf "$(sed 's/../\\x&/g' <<<"${1//-/}")"; printf %s "$2"; } | sha1sum | cut -c1-32)
  variant=$(printf %x $((0x${hash:16:1} & 0x3 | 0x8)))
  hash=${hash:0:12}5${hash:13:3}$variant${hash:17:15}
  echo "${hash:0:8}-${hash:8:4}-${hash:12:4}-${hash:16:4}-${hash:20:12}" | tr a-f A-F
}
upgrade_code=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' packaging/windows/bolvenda.wxs)
product_code=$(uuid5 "$upgrade_code" "$version")
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
