#!/usr/bin/env bash
# Builds the API reference of the public headers into build/docs/html with doxygen
# (installed when missing). Fails on any warning, above all an undocumented declaration.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/apt.sh
apt_install_missing -- doxygen

# Doxygen creates only the last folder of its output path; a clean folder drops pages of
# declarations that are gone.
rm -rf build/docs
mkdir -p build/docs
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! doxygen docs/Doxyfile 2>"$log" || [ -s "$log" ]; then
    cat "$log" >&2
    echo "docs: doxygen reported problems (above)" >&2
    exit 1
fi
echo "docs: the API reference is in build/docs/html/index.html"
