#!/usr/bin/env bash
# Installs the mingw-w64 cross compilers and 64-bit Wine; with "--32-bit", 32-bit Wine too.
# Idempotent. Needs root for a first run.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
          binutils-mingw-w64-x86-64 googletest wine wine64 dpkg-dev patch xz-utils)
if [ "${1:-}" = --32-bit ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    packages+=(wine32:i386)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "set-up: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
install() { apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >/dev/null; }
if ! install; then
    # The security archive's i386 index has been served out of step with its signature,
    # which leaves wine32:i386 uninstallable; the main release has every package needed.
    echo "set-up: retrying with the security archive pinned below the main release"
    preferences=$(mktemp)
    trap 'rm -f "$preferences"' EXIT
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$preferences"
    install -o Dir::Etc::preferences="$preferences"
fi
