#!/bin/bash
# Builds the benchmarks and prints each figure with its ratio to the baseline measured in
# the same run. Usage: bash bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target tovalin_bench_tokenizer >/dev/null

echo "Tokenizer: every cell of a 10-column text by row and column (linear: ratio near 10)"
build/default/bench/tovalin_bench_tokenizer --benchmark_format=csv --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null |
    awk -F, '/^"readEveryCell\/10000_median"/ { small = $3 } /^"readEveryCell\/100000_median"/ { large = $3 }
        END { printf "  10,000 rows  %10.2f ms\n  100,000 rows %10.2f ms\n  ratio        %10.2f (must stay under 15)\n",
              small, large, large / small }'
