#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds the consumer project against it,
# once through the CMake package and once through pkg-config; both must run. Then pip
# installs the Python module without the network, and it finds that library by its name.
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

# A copy, so that the build pip makes in place stays out of the sources.
cp -r "$source/python" "$work/python"
/usr/bin/python3 -m venv --system-site-packages "$work/venv"
"$work/venv/bin/pip" install --quiet --no-build-isolation --no-index "$work/python"
[ "$(cd "$work" && env -u TOVALIN_LIBRARY LD_LIBRARY_PATH="$libdir" "$work/venv/bin/python" -c '
import sys, tovalin
print(tovalin.__file__.startswith(sys.prefix), tovalin.Document().create("t").document_element.value)
')" = "True t" ]
echo "installed package used through CMake, pkg-config and pip"
