#!/usr/bin/env bash
# Builds the library and runs the example program on its bundled data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target edit_document >/dev/null
LC_ALL=ja_JP.UTF-8 ./build/default/examples/edit_document
