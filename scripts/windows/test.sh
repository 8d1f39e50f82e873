#!/usr/bin/env bash
# Builds the library for Windows with mingw-w64 and runs its test suite under Wine with the
# Japanese ANSI code page (932):
#   - the 32-bit tovalin.dll, the one programs ship, is built and its exports checked; its
#     whole suite runs under 32-bit Wine, on this machine where it can execute 32-bit code,
#     otherwise inside an emulated machine;
#   - the same sources built for 64-bit Windows run the whole suite under 64-bit Wine.
set -euo pipefail
cd "$(dirname "$0")/../.."

# Only an x86-64 machine may run 32-bit x86 code itself; the probe is x86-64 code.
runs32=no
if [ "$(uname -m)" = x86_64 ]; then
    probe=$(mktemp -d)
    trap 'rm -rf "$probe"' EXIT
    cc -O0 scripts/windows/runs-32-bit-code.c -o "$probe/probe" &&
        { (exec "$probe/probe"); } 2>/dev/null && runs32=yes
fi

bash scripts/windows/setup.sh $([ $runs32 = yes ] && echo --32-bit)
for arch in i686 x86_64; do
    bash scripts/windows/build-xerces.sh "$arch"
done

# Wine's ANSI code page follows the locale it starts in: ja_JP gives 932. Only Wine's
# programs run in it; the tools whose words the scripts read keep the caller's locale.
export WINEDEBUG=-all
japanese=(env LC_ALL=ja_JP.UTF-8)

build_target() {
    echo "== windows-$1 build"
    cmake --preset "windows-$1" >/dev/null
    cmake --build --preset "windows-$1" -j "$(nproc)"
}

# Builds one target and runs its tests in a fresh Wine prefix.
run_suite() {
    local arch=$1 loader=$2 winearch=$3
    build_target "$arch"
    export WINEPREFIX=$PWD/build/windows-$arch/wineprefix WINEARCH=$winearch
    rm -rf "$WINEPREFIX"
    "${japanese[@]}" "$loader" wineboot -i
    "${japanese[@]}" wineserver -w
    # A server that stays, and one program run to its end: otherwise Wine's service
    # processes, started by the first test, hold ctest's output pipe open.
    "${japanese[@]}" wineserver -p
    "${japanese[@]}" "$loader" cmd /c exit
    echo "== windows-$arch tests under Wine"
    local status=0
    "${japanese[@]}" ctest --preset "windows-$arch" -j "$(nproc)" || status=$?
    wineserver -k || true
    return $status
}

run_suite x86_64 /usr/lib/wine/wine64 win64
if [ $runs32 = yes ]; then
    run_suite i686 /usr/lib/wine/wine win32
    bash scripts/package.sh --windows
    # The program as a user unpacks it: nothing on the path, only its own folder.
    unpacked=$(mktemp -d)
    unzip -q build/packages/tovalin-*-win32.zip -d "$unpacked"
    cp examples/data/* "$unpacked"
    (cd "$unpacked" && WINEPATH= "${japanese[@]}" /usr/lib/wine/wine ./tovalin-*-win32/bin/tovalin.exe check settings.xml)
    rm -rf "$unpacked"
else
    echo "(this machine cannot execute 32-bit x86 code: the 32-bit tests run in an emulated machine)"
    build_target i686
    OBJDUMP=i686-w64-mingw32-objdump bash tests/check_exports.sh build/windows-i686/bin/tovalin.dll \
        src/c_interface/tovalin.def
    OBJDUMP=i686-w64-mingw32-objdump bash tests/c_interface/check_imports.sh \
        build/windows-i686/bin/tovalin_over_c_tests.exe build/windows-i686/bin/tovalin.dll
    bash scripts/package.sh --windows
    bash scripts/windows/test-32-bit-machine.sh build/packages/tovalin-*-win32.zip
fi
