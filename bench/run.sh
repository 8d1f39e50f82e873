#!/bin/bash
# Runs every benchmark and prints each figure beside the baseline measured in the same run,
# with their ratio. Usage: bash bench/run.sh   (about twelve minutes)
# Repetitions of a figure and of its baseline run interleaved in random order, so that a
# slow spell of a shared machine falls on both rather than on whichever ran first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >/dev/null
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)" --target tovalin_bench tovalin_bench_memory tovalin_bench_tokenizer \
    tovalin_bench_check >/dev/null

results=$(mktemp)
trap 'rm -f "$results"' EXIT
run() {
    "$@" --benchmark_format=csv --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true \
        2>/dev/null | grep '_median"' >>"$results"
}
run build/default/bench/tovalin_bench
run build/default/bench/tovalin_bench_memory
run build/default/bench/tovalin_bench_tokenizer
run build/default/bench/tovalin_bench_check

echo "Tovalin benchmarks, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m), medians of 5 runs"
echo
awk -F, '
    function value(name) { return name in time ? time[name] : -1 }
    function row(what, mine, base, target,   a, b) {
        a = value(mine); b = value(base)
        if (a < 0 || b < 0) { printf "| %-44s | %12s | %12s | %6s | %-7s |\n", what, "-", "-", "-", target; return }
        # Ratios far below one keep their first digits.
        printf "| %-44s | %12.3f | %12.3f | " (a / b < 0.1 ? "%6.4f" : "%6.2f") " | %-7s |\n", what, a, b, a / b, target
    }
    {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); sub(/\/iterations:[0-9]+$/, "", name); sub(/\/real_time$/, "", name)
        time[name] = $3 + 0
        if ($NF + 0 > 0 && name ~ /^peakMemory/) time[name] = $NF + 0
    }
    END {
        print "| Figure (times in ms, memory in MiB, per call in us) | Tovalin | Baseline | Ratio | Target |"
        print "|---|---:|---:|---:|---|"
        row("load 1 MB Shift_JIS / bare parse", "loadWithLibrary/1mb", "parseWithXerces/1mb", "<= 1.15")
        row("load 1 MB validated / bare parse", "loadWithLibrary/1mb_validated", "parseWithXerces/1mb_validated", "<= 1.15")
        row("load 32 MB Shift_JIS / bare parse", "loadWithLibrary/32mb", "parseWithXerces/32mb", "<= 1.15")
        row("load 32 MB validated / bare parse", "loadWithLibrary/32mb_validated", "parseWithXerces/32mb_validated", "<= 1.15")
        row("load 32 MB keeping positions / bare parse", "parseKeepingPositions/32mb", "parseWithXerces/32mb", "<= 1.10")
        row("save 32 MB Shift_JIS / serializer + fsync", "saveWithLibrary/shift_jis", "serializeWithXerces/shift_jis", "<= 1.0")
        row("save 32 MB UTF-16 / serializer + fsync", "saveWithLibrary/utf16", "serializeWithXerces/utf16", "<= 1.0")
        row("load 32 MB for the keep layout / fixed", "loadKeepingLayout/32mb", "loadWithLibrary/32mb", "<= 1.15")
        row("save 32 MB unedited, keep layout / fixed", "saveKeepingLayout/unedited", "saveWithLibrary/shift_jis", "<= 1.5")
        row("save 32 MB one value edited, keep / fixed", "saveKeepingLayout/one_value", "saveEditedInFixedLayout", "<= 1.0")
        row("peak memory loading 32 MB / bare parse", "peakMemory/library_load", "peakMemory/parser_only", "<= 1.1")
        row("peak memory, every element indexed / load", "peakMemory/library_index", "peakMemory/library_load", "<= 1.1")
        row("peak memory, load for the keep layout / load", "peakMemory/library_kept", "peakMemory/library_load", "context")
        row("peak memory keeping positions / bare parse", "peakMemory/parser_positions", "peakMemory/parser_only", "<= 1.10")
        row("walk every node of 32 MB / raw DOM walk", "walkNodeLayer", "walkParserNodes", "<= 1.10")
        row("getXmlData, 10,000 names, 32 MB / raw DOM", "getWithLibrary", "getWithParser", "<= 0.05")
        row("get, then set (overwrite), 10,000 names / raw DOM", "getAndSetWithLibrary", "getAndSetWithParser", "<= 0.2")
        row("setXmlData with a list, 1 MB / raw DOM", "setListWithLibrary", "setListWithParser", "<= 0.5")
        row("pugixml load 32 MB UTF-8 / our load", "loadUtf8WithPugixml", "loadUtf8WithLibrary", "context")
        row("pugixml save 32 MB UTF-8 / our Shift_JIS save", "saveUtf8WithPugixml", "saveWithLibrary/shift_jis", "context")
        row("tokenizer, every cell: 100,000 / 10,000 rows", "readEveryCell/100000", "readEveryCell/10000", "< 15")
        row("tovalin check, 2,000 files: every core / 1 thread", "checkFolder/every_core", "checkFolder/one_thread", "~1/cores")
    }' "$results"
