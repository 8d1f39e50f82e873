#!/usr/bin/env bash
# Uses the Debian packages as a user would: their dependencies must be met on this machine;
# unpacked into a scratch root, the consumer project builds against them through the CMake
# package and through pkg-config, the installed program runs the bundled example, and
# Debian's Python imports the module from its own folder, which finds the library by name.
set -euo pipefail
cd "$(dirname "$0")/../.."
packages=$PWD/build/packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root

dpkg --dry-run -i "$packages"/*.deb >/dev/null
for deb in "$packages"/*.deb; do dpkg -x "$deb" "$root"; done
libdir=$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
export LD_LIBRARY_PATH=$libdir

cmake -S examples/consumer -B "$work/with-cmake" -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$work/with-cmake" >/dev/null
[ "$("$work/with-cmake/consumer" "$work/a.xml")" = tovalin ]

c++ -std=c++17 examples/consumer/main.cpp \
    $(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs tovalin) -o "$work/with-pkg-config"
[ "$("$work/with-pkg-config" "$work/b.xml")" = tovalin ]

cp examples/data/* "$work"
(cd "$work" && LC_ALL=ja_JP.UTF-8 "$root/usr/bin/tovalin" check settings.xml >/dev/null)
warnings=$(man --warnings -l "$root/usr/share/man/man1/tovalin.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
bash -n "$root/usr/share/bash-completion/completions/tovalin"

[ "$(cd "$work" && env -u TOVALIN_LIBRARY PYTHONPATH="$root/usr/lib/python3/dist-packages" \
    /usr/bin/python3 -c 'import tovalin
print(tovalin.__file__, tovalin.Document("settings.xml").get("step") == "\u2460")')" = \
    "$root/usr/lib/python3/dist-packages/tovalin.py True" ]
echo "Debian packages: installable, usable through CMake, pkg-config and Python, program runs"
