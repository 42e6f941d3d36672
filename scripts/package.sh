#!/usr/bin/env bash
# Builds the Debian package of the game: dist/bolvenda_VERSION-REVISION_ARCH.deb.
# An optimised build with Debian's hardening flags, installed with GNUInstallDirs under /usr
# (the program in /usr/games, as Debian places games); its Depends computed from the binary by
# dpkg-shlibdeps, its control file written by dpkg-gencontrol.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package

build=build/package
root=$build/root
rm -rf "$root" "$build/debian"
mkdir -p "$build/debian" dist

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DBOLVENDA_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games -DBOLVENDA_DESKTOP_EXEC=/usr/games/bolvenda \
  -DBOLVENDA_INSTALL_LICENSES=OFF >/dev/null
cmake --build "$build" --target bolvenda -j2
DESTDIR="$PWD/$root" cmake --install "$build" >/dev/null

# What debhelper would do: strip, compress the manual page, add the Debian documents.
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$root/usr/games/bolvenda"
gzip -9n "$root/usr/share/man/man6/bolvenda.6"
doc=$root/usr/share/doc/bolvenda
mkdir -p "$doc"
gzip -9nc packaging/debian/changelog >"$doc/changelog.Debian.gz"
mkdir -p "$root/usr/share/lintian/overrides"
cp packaging/debian/lintian-overrides "$root/usr/share/lintian/overrides/bolvenda"
# The copyright file carries the full licence texts (Debian's common-licenses has neither);
# so the separate licence files are not installed.
licence() { echo "License: $1"; sed -e 's/^$/./' -e 's/^/ /' "$2"; }
{ cat packaging/debian/copyright.head; echo; licence Expat LICENSE; echo; licence OFL-1.1 LICENSES/OFL-1.1-Liberation.txt; echo; licence Zlib LICENSES/zlib-NanoSVG.txt; } \
  >"$doc/copyright"

# The package's version comes from the changelog; it must be the program's own.
version=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
program=$(sed -n 's/^project(Bolvenda VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ "${version%-*}" = "$program" ] ||
  { echo "package.sh: packaging/debian/changelog says $version, CMakeLists.txt $program" >&2; exit 1; }

cp packaging/debian/control packaging/debian/changelog "$build/debian/"
mkdir -p "$root/DEBIAN"
(cd "$build" && dpkg-shlibdeps -Tdebian/substvars -e"root/usr/games/bolvenda" &&
  dpkg-gencontrol -pbolvenda -Tdebian/substvars -fdebian/files -P"root")
(cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum >DEBIAN/md5sums)
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f ! -path "$root/usr/games/*" -exec chmod 0644 {} +

deb=dist/bolvenda_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
