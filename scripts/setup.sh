#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 and makes the test locales.
# Idempotent and quick when everything is already there. Needs root for a first run.
set -euo pipefail

packages=(cmake g++ make pkg-config binutils locales libxerces-c-dev libicu-dev
          libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
          clang-14 libclang-rt-14-dev)

source "$(dirname "$0")/apt.sh"
apt_install_missing -- "${packages[@]}"

# The tests speak Shift_JIS (code page 932, Windows-31J) and UTF-8, and Latin-1 where
# Japanese text cannot be shown.
have_locale() { LC_ALL=C locale -a 2>/dev/null | grep -qi "^$1\$"; }
if ! have_locale ja_JP.sjis; then
    echo "set-up: making the locale ja_JP.SJIS"
    localedef -i ja_JP -f WINDOWS-31J ja_JP.SJIS
fi
if ! have_locale ja_JP.utf8; then
    echo "set-up: making the locale ja_JP.UTF-8"
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
if ! have_locale en_US.iso88591; then
    echo "set-up: making the locale en_US.ISO-8859-1"
    localedef -i en_US -f ISO-8859-1 en_US.ISO-8859-1
fi
