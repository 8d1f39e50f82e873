#!/usr/bin/env bash
# Builds the fuzzers (clang, address and undefined-behaviour sanitizers) and runs each for
# a bounded time from its seed corpus and the kept findings, then runs every input once
# more with leak checking. Any crash, sanitizer report, leak or hang fails.
# Usage: bash scripts/fuzz.sh [SECONDS per fuzzer, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
conformance=/opt/tovalin-xml-conformance-1.2.0/xmlconf
[ -d "$conformance" ] || bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null

# Every run saves and syncs files in the fuzzers' scratch folder; in memory that is quick.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for fuzzer in load tokenizer edit round_trip tag_lookup; do
    corpus=$work/$fuzzer
    mkdir -p "$corpus"
    cp fuzz/corpus/"$fuzzer"/* "$corpus"/
    cp fuzz/regressions/"$fuzzer"-* "$corpus"/ 2>/dev/null || true
    if [ "$fuzzer" = load ]; then
        # Real documents besides: the bundled examples and every document of the XML
        # conformance suite that the set-up fetched, each under a name of its own.
        cp examples/data/*.xml "$corpus"/
        (cd "$conformance" && find . -name '*.xml' -print0) |
            while IFS= read -r -d '' document; do
                name=${document#./}
                cp "$conformance/$document" "$corpus/conformance-${name//\//-}"
            done
    fi
    echo "== fuzzing $fuzzer for ${seconds}s"
    # Leaks are looked for in the run below, which replays every input kept.
    (cd "$work" && "$OLDPWD/build/fuzz/fuzz/${fuzzer}_fuzzer" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -detect_leaks=0 -print_final_stats=1 "$corpus" 2>&1 |
        grep -E "^(stat::number_of_executed_units|==[0-9]+==|SUMMARY)" || true)
    "build/fuzz/fuzz/${fuzzer}_fuzzer" -runs=0 -timeout=10 "$corpus" >"$work/$fuzzer.log" 2>&1 ||
        { tail -40 "$work/$fuzzer.log"; exit 1; }
    ls "$work"/crash-* "$work"/timeout-* "$work"/oom-* >/dev/null 2>&1 &&
        { echo "$fuzzer found a failure"; ls "$work"; exit 1; }
done
echo "fuzzers: no failure"
