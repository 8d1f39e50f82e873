#!/usr/bin/env bash
# Builds the library and runs every test: the normal build, the address and undefined-
# behaviour sanitizer build, the thread sanitizer build of the concurrency test, the
# fuzzers for a bounded time, then the Windows builds with their suite under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
for preset in default sanitize thread; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

echo "== fuzzers"
bash scripts/fuzz.sh 30

bash scripts/windows/test.sh
