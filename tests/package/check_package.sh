#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds the consumer project against it,
# once through the CMake package and once through pkg-config; both must run.
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libtovalin.so' | head -1)")
soname=$(LC_ALL=C objdump -p "$libdir/libtovalin.so" | awk '/SONAME/ { print $2 }')
for name in libtovalin.so "$soname"; do
    [ -L "$libdir/$name" ] || { echo "missing versioned link $name"; exit 1; }
done
"$prefix/bin/tovalin" --help >/dev/null

cmake -S "$source/examples/consumer" -B "$work/with-cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/with-cmake" >/dev/null
[ "$("$work/with-cmake/consumer" "$work/a.xml")" = tovalin ]

export PKG_CONFIG_PATH=$libdir/pkgconfig
c++ -std=c++17 "$source/examples/consumer/main.cpp" $(pkg-config --cflags --libs tovalin) \
    -o "$work/with-pkg-config"
[ "$(LD_LIBRARY_PATH=$libdir "$work/with-pkg-config" "$work/b.xml")" = tovalin ]
echo "installed package used through CMake and pkg-config"
