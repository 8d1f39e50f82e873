#!/usr/bin/env bash
# Builds the library and runs every test: the normal build, the address and undefined-
# behaviour sanitizer build, the thread sanitizer build of the concurrency test, the
# fuzzers for a bounded time, the Debian packages as a user installs them, then the Windows
# builds with their suite and the Windows archive under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

# First, since it takes a second: an undocumented declaration fails before the long builds.
echo "== API reference"
bash scripts/docs.sh

jobs=$(nproc)
for preset in default sanitize thread; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

echo "== fuzzers"
bash scripts/fuzz.sh 30

echo "== Debian packages"
bash scripts/package.sh --debian
bash tests/package/check_debian_packages.sh

bash scripts/windows/test.sh
