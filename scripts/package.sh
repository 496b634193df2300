#!/usr/bin/env bash
# Builds the Debian package build/package/palabrum_<version>_<arch>.deb with
# the distribution's hardening flags, stripped, and reproducibly: every date in
# it is the last commit's, and no path of the build machine is compiled in, so
# two clones in different folders give the same bytes (scripts/reproducible.sh).
# Install it with: sudo apt install ./build/package/palabrum_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source=$PWD

scripts/install-deps.sh --packaging
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export LC_ALL=C.UTF-8 TZ=UTC
umask 022

build=${PALABRUM_PACKAGE_DIR:-$source/build/package}
rm -rf "$build"
mkdir -p "$build"
# The hardening flags (fortify, stack protector, relro, bind now), and the
# source folder written as "." wherever the compiler would record it.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) -ffile-prefix-map=$source=."
cmake -S . -B "$build/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_INSTALL_BINDIR=games -DPALABRUM_TESTS=OFF -DPALABRUM_BENCH=OFF \
    "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG" \
    "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" > "$build/configure.log"
cmake --build "$build/cmake" -j2 --target palabrum > "$build/build.log"

root=$build/root
DESTDIR=$root cmake --install "$build/cmake" > /dev/null
doc=$root/usr/share/doc/palabrum
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$root/usr/games/palabrum"
gzip -9n "$root/usr/share/man/man6/palabrum.6"
gzip -9nc packaging/debian/changelog > "$doc/changelog.gz"  # a native package's changelog

version=$(sed -n 's/^project(Palabrum VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
mkdir -p "$root/DEBIAN" "$build/shlibs/debian"
# dpkg-shlibdeps wants a debian/control to stand in; it only reads the libraries' needs.
printf 'Source: palabrum\n\nPackage: palabrum\nArchitecture: any\n' > "$build/shlibs/debian/control"
depends=$(cd "$build/shlibs" && dpkg-shlibdeps -O "$root/usr/games/palabrum" | sed -n 's/^shlibs:Depends=//p')
installed_size=$(du -sk --apparent-size --exclude=DEBIAN "$root" | cut -f1)
cat > "$root/DEBIAN/control" <<CONTROL
Package: palabrum
Version: $version
Architecture: $arch
Maintainer: The Palabrum developers <palabrum@users.noreply.github.com>
Installed-Size: $installed_size
Depends: $depends
Recommends: fonts-dejavu-core, qt6-translations-l10n, qt6-wayland
Section: games
Priority: optional
Homepage: https://palabrum.github.io/
Description: buzzword bingo for meetings
 Palabrum deals 25 phrases onto a 5 by 5 board: the built-in business
 buzzwords, or a list of your own in any language. Mark a square whenever you
 hear its phrase in a meeting; five marks in a row, a column or a diagonal
 make a bingo. Cards for everyone in the meeting can be printed, and the game
 in progress is kept when the program closes.
CONTROL
(cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) > "$root/DEBIAN/md5sums"
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -exec chmod 0644 {} +
chmod 0755 "$root/usr/games/palabrum"
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
deb=$build/palabrum_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" > /dev/null
echo "The package: $deb"
