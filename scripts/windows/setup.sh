#!/usr/bin/env bash
# Installs the mingw-w64 cross compilers, 64-bit Wine, and LLVM's tools that make the import
# library for Microsoft's linker and a test program for Microsoft's ABI; with "--32-bit",
# 32-bit Wine too; with "--emulated-32-bit", what makes an emulated machine that runs 32-bit
# Wine.
# Idempotent. Needs root for a first run.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 googletest wine wine64 dpkg-dev patch xz-utils
          clang-14 lld-14 llvm-14)
case "${1:-}" in
    --32-bit)
        LC_ALL=C dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
        packages+=(wine32:i386)
        ;;
    --emulated-32-bit)
        packages+=(qemu-system-x86 qemu-user-static debootstrap cpio e2fsprogs)
        ;;
esac

source "$(dirname "$0")/../apt.sh"
if ! apt_install_missing -- "${packages[@]}"; then
    # The security archive's i386 index has been served out of step with its signature,
    # which leaves wine32:i386 uninstallable; the main release has every package needed.
    echo "set-up: retrying with the security archive pinned below the main release"
    preferences=$(mktemp)
    trap 'rm -f "$preferences"' EXIT
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$preferences"
    apt_install_missing -o Dir::Etc::preferences="$preferences" -- "${packages[@]}"
fi
