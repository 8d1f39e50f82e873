// Reading every cell of a tab-separated text by row and column must cost time linear in the
// text: compare the time per row of the two sizes.
#include <benchmark/benchmark.h>

#include <string>

#include "tovalin/string_tokenizer.hpp"

namespace {

constexpr int columns = 10;

std::string tableOf(int rows) {
    std::string text;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            text += "r" + std::to_string(row) + "c" + std::to_string(column);
            text += column + 1 < columns ? '\t' : '\n';
        }
    }
    return text;
}

void readEveryCell(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    StringTokenizer tokenizer;
    tokenizer.analysis(tableOf(rows));
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int row = 1; row <= rows; ++row) {
            for (int column = 1; column <= columns; ++column) {
                bytes += tokenizer.getValue(row, column).size();
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * rows * columns);
}

BENCHMARK(readEveryCell)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
