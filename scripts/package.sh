#!/usr/bin/env bash
# Makes the installable artifacts from the sources:
#   - the Debian packages libtovalinMAJOR.MINOR (the shared library), libtovalin-dev
#     (headers, CMake package, pkg-config file), tovalin (the program, its manual page
#     and its bash completion) and python3-tovalin (the Python module), from a release
#     build, checked by lintian;
#   - the Windows archive tovalin-VERSION-win32.zip (the DLL with tovalin.dll.a, tovalin.lib
#     and tovalin.def, the program, headers, the Python module) from the 32-bit build in
#     build/windows-i686, made first when it is not there.
# Everything goes to build/packages. "--debian" or "--windows" makes only the one kind.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/apt.sh
apt_install_missing -- dpkg-dev lintian zip unzip

out=$PWD/build/packages
build=$PWD/build/package
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

version=$(sed -n 's/^project(tovalin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
series=${version%.*}
maintainer="Tovalin maintainers <maintainers@tovalin.example>"

debian_packages() {
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DTOVALIN_BUILD_TESTS=OFF -DTOVALIN_BUILD_BENCHMARKS=OFF \
        -DTOVALIN_BUILD_EXAMPLES=OFF >/dev/null
    cmake --build "$build" -j "$(nproc)" >/dev/null
    local arch multiarch
    arch=$(dpkg --print-architecture)
    multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
    local lib=libtovalin$series

    stage runtime "$lib"
    stage development libtovalin-dev
    stage program tovalin
    stage_python python3-tovalin
    mkdir -p "$work/$lib/DEBIAN"
    echo "libtovalin $series $lib (>= $version)" >"$work/$lib/DEBIAN/shlibs"
    echo "activate-noawait ldconfig" >"$work/$lib/DEBIAN/triggers"

    control "$lib" "$arch" libs "$(depends "$lib" "$work/$lib/usr/lib/$multiarch/libtovalin.so.$version")" \
        "reads, edits and writes XML files in Shift_JIS or UTF-16 (library)" \
        "The shared library of Tovalin." "Multi-Arch: same"
    control libtovalin-dev "$arch" libdevel "$lib (= $version), libxerces-c-dev" \
        "reads, edits and writes XML files in Shift_JIS or UTF-16 (development)" \
        "Headers, CMake package and pkg-config file for programs that use Tovalin." \
        "Multi-Arch: same"
    control tovalin "$arch" text "$(depends tovalin "$work/tovalin/usr/bin/tovalin")" \
        "checks, reads and edits XML files in Shift_JIS or UTF-16" \
        "The tovalin program: checks XML files against their DTD, reads and writes
values by tag name, and converts files between Shift_JIS and UTF-16."
    control python3-tovalin all python "python3:any, $lib (= $version)" \
        "reads, edits and writes XML files in Shift_JIS or UTF-16 (Python 3)" \
        "The Python module tovalin, over the C interface of the library: documents,
nodes, walks and the tokenizer, with texts as Python strings."
    for package in "$lib" libtovalin-dev tovalin; do
        build_package "$package" "$arch"
    done
    build_package python3-tovalin all
    lintian --fail-on error --suppress-tags \
        initial-upload-closes-no-bugs,no-manual-page,maintainer-address-malformed \
        "$out"/*_"$version"_{"$arch",all}.deb
}

# Installs one component into the package's folder, stripped, with the documentation every
# Debian package carries.
stage() {
    local component=$1 package=$2
    DESTDIR="$work/$package" cmake --install "$build" --component "$component" --strip >/dev/null
    documents "$package"
}

# The module where Debian's Python 3 finds it; it loads the library by its name, which its
# version gives.
stage_python() {
    local package=$1
    if ! grep -qx "__version__ = \"$version\"" python/tovalin.py; then
        echo "python/tovalin.py does not say __version__ = \"$version\"" >&2
        exit 1
    fi
    install -D -m 644 python/tovalin.py "$work/$package/usr/lib/python3/dist-packages/tovalin.py"
    documents "$package"
}

# The copyright and changelog every Debian package carries.
documents() {
    local package=$1 doc="$work/$1/usr/share/doc/$1"
    mkdir -p "$doc"
    cp packaging/copyright "$doc/copyright"
    printf 'tovalin (%s) unstable; urgency=medium\n\n  * Release %s: see CHANGELOG.md of the source.\n\n -- %s  %s\n' \
        "$version" "$version" "$maintainer" "$(date -R -d @"${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}")" |
        gzip -9n >"$doc/changelog.gz"
    [ -d "$work/$package/usr/share/man" ] && find "$work/$package/usr/share/man" -type f -exec gzip -9n {} +
    find "$work/$package" -type d -exec chmod 755 {} +
}

# The shared libraries a binary needs, as package dependencies, with the parser at least
# the version built against.
depends() {
    local package=$1 binary=$2 xerces
    xerces=$(dpkg-query -W -f='${Version}' libxerces-c3.2)
    mkdir -p "$work/shlibs/debian"
    printf 'Source: tovalin\n\nPackage: %s\nArchitecture: any\n' "$package" >"$work/shlibs/debian/control"
    echo "libtovalin $series libtovalin$series (= $version)" >"$work/shlibs/debian/shlibs.local"
    (cd "$work/shlibs" && dpkg-shlibdeps -O "$binary" -l"$(dirname "$binary")" \
        -l"$work/libtovalin$series/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)" \
        2> >(grep -v "should already be installed in their package's directory" >&2)) |
        sed -E -e 's/^shlibs:Depends=//' -e "s/libxerces-c3\.2( \([^)]*\))?/libxerces-c3.2 (>= $xerces)/"
}

control() {
    local package=$1 arch=$2 section=$3 depends=$4 synopsis=$5 description=$6 extra=${7:-}
    mkdir -p "$work/$package/DEBIAN"
    {
        echo "Package: $package"
        echo "Version: $version"
        echo "Architecture: $arch"
        echo "Maintainer: $maintainer"
        echo "Installed-Size: $(du -sk --exclude=DEBIAN "$work/$package" | cut -f1)"
        echo "Depends: $depends"
        echo "Section: $section"
        echo "Priority: optional"
        [ -n "$extra" ] && echo "$extra"
        echo "Description: $synopsis"
        echo "$description" | sed 's/^/ /'
        echo " Tovalin puts a small object interface in front of the Xerces-C validating"
        echo " parser for programs that keep their XML files in Shift_JIS (code page 932)."
        echo " Licensed under the Apache License 2.0."
    } >"$work/$package/DEBIAN/control"
}

build_package() {
    local package=$1 arch=$2
    (cd "$work/$package" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' |
        xargs -0 -r md5sum >DEBIAN/md5sums)
    dpkg-deb --root-owner-group -Zxz --build "$work/$package" \
        "$out/${package}_${version}_$arch.deb" >/dev/null
}

windows_archive() {
    local from=build/windows-i686 name=tovalin-$version-win32
    if [ ! -f "$from/bin/tovalin.dll" ]; then
        bash scripts/windows/setup.sh
        bash scripts/windows/build-xerces.sh i686
        cmake --preset windows-i686 >/dev/null
        cmake --build --preset windows-i686 -j "$(nproc)" >/dev/null
    fi
    local into=$work/$name
    mkdir -p "$into/bin" "$into/lib" "$into/include" "$into/licenses" "$into/python"
    cp "$from"/bin/tovalin.dll "$from"/bin/tovalin.exe "$from"/bin/libxerces-c*.dll \
        "$from"/bin/libstdc++-6.dll "$from"/bin/libgcc_s_*.dll "$from"/bin/libwinpthread-1.dll \
        "$into/bin/"
    cp "$from"/tovalin.dll.a "$into/lib/" 2>/dev/null || cp "$from"/lib*/tovalin.dll.a "$into/lib/"
    cp "$from"/tovalin.lib src/c_interface/tovalin.def "$into/lib/"
    cp python/tovalin.py "$into/python/"
    cp -r include/tovalin "$into/include/"
    cp README.md LICENSE "$into/"
    cp /usr/share/doc/libxerces-c3.2/copyright "$into/licenses/xerces-c.txt"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$into/licenses/gcc-runtime.txt"
    cp /usr/share/doc/mingw-w64-common/copyright "$into/licenses/mingw-w64.txt"
    rm -f "$out/$name.zip"
    (cd "$work" && zip -qr -X "$out/$name.zip" "$name")
    echo "made $out/$name.zip"
}

if [ "${1:-}" != --windows ]; then
    debian_packages
    echo "made $(cd "$out" && ls ./*.deb | tr '\n' ' ')"
fi
[ "${1:-}" != --debian ] && windows_archive
exit 0
