#!/usr/bin/env bash
# Fetches and unpacks Debian source packages for the cross builds (Windows, web), using the
# machine's own archive entries turned into deb-src, with private lists and cache so that the
# machine's package lists stay as they are.
# Usage: scripts/fetch-sources.sh DEST PACKAGE...   Prints one line per package: NAME DIR
# A package whose version is already unpacked in DEST is not fetched again.
set -euo pipefail
dest=$1; shift
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
apt_dir="$dest/.apt"
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

# deb822 and one-line entries alike, turned into source entries.
: >"$apt_dir/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] && sed -n 's/^deb \(.*\)/deb-src \1/p' "$f" >>"$apt_dir/sources.list"
done
: >"$apt_dir/src.sources"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >>"$apt_dir/src.sources" && echo >>"$apt_dir/src.sources"
done
mkdir -p "$apt_dir/parts"
cp "$apt_dir/src.sources" "$apt_dir/parts/src.sources"

opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts="$apt_dir/parts"
      -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -qq)
command -v dpkg-source >/dev/null || { echo "fetch-sources: dpkg-dev is needed" >&2; exit 1; }

updated=
for pkg in "$@"; do
  version=
  if [ -f "$apt_dir/lists/.updated" ]; then
    version=$(apt-cache "${opts[@]}" showsrc "$pkg" 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n1)
  fi
  if [ -z "$version" ] && [ -z "$updated" ]; then
    apt-get "${opts[@]}" update >&2
    touch "$apt_dir/lists/.updated"
    updated=1
    version=$(apt-cache "${opts[@]}" showsrc "$pkg" | sed -n 's/^Version: //p' | sort -V | tail -n1)
  fi
  [ -n "$version" ] || { echo "fetch-sources: no source package $pkg" >&2; exit 1; }
  stamp="$dest/$pkg-$version.unpacked"
  if [ ! -f "$stamp" ]; then
    work="$dest/.work-$pkg"
    rm -rf "$work"; mkdir -p "$work"
    (cd "$work" && apt-get "${opts[@]}" source "$pkg=$version" >&2)
    dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n1)
    rm -rf "$dest/$pkg"
    mv "$dir" "$dest/$pkg"
    rm -rf "$work" "$dest/$pkg"-*.unpacked
    touch "$stamp"
  fi
  echo "$pkg $dest/$pkg $version"
done
