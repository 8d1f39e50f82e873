#!/usr/bin/env bash
# Builds Xerces-C 3.2.4 for Windows from Debian's source package, with Debian's patches,
# into /opt/xerces-c-3.2.4-ARCH-w64-mingw32. ARCH is i686 (the default) or x86_64.
# Does nothing when that is already there.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/apt.sh
arch=${1:-i686}
prefix=/opt/xerces-c-3.2.4-$arch-w64-mingw32
[ -f "$prefix/bin/libxerces-c.dll" ] && exit 0

if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    cat >/etc/apt/sources.list.d/tovalin-debian-src.sources <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt_get update -qq
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt_get source --download-only -qq xerces-c=3.2.4+debian-1)
tar -C "$work" -xf "$work"/xerces-c_3.2.4+debian.orig.tar.xz
tar -C "$work" -xf "$work"/xerces-c_3.2.4+debian-1.debian.tar.xz
source=$(find "$work" -maxdepth 1 -type d -name 'xerces-c-3.2.4*' | head -1)
while read -r patch; do
    [ -n "$patch" ] && patch -d "$source" -p1 -s <"$work/debian/patches/$patch"
done <"$work/debian/patches/series"

log=$work/build.log
{
    cmake -S "$source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX="$prefix" \
        -Dtranscoder=windows -Dnetwork=OFF -Dmessage-loader=inmemory -Dmutex-manager=windows &&
        # Only the library: the full install wants documentation the Debian source lacks.
        cmake --build "$work/build" --target xerces-c -j "$(nproc)" &&
        cmake --install "$work/build/src"
} >"$log" 2>&1 || { tail -40 "$log"; exit 1; }
echo "Xerces-C for $arch Windows is in $prefix"
