// load against a bare parse of the same file with the same parser settings, a bare parse
// that keeps every element's position against one that does not, and a load for the keep
// layout against one for the fixed layout.
#include <benchmark/benchmark.h>

#include <list>

#include <xercesc/parsers/XercesDOMParser.hpp>

#include "positions_parser.hpp"
#include "sample_files.hpp"
#include "tovalin/document.hpp"

namespace {

using bench::Encoding;

void loadInLayout(benchmark::State& state, std::size_t megabytes, bool validate,
                  TL_LAYOUT_TYPE layout) {
    const std::string& file = bench::sampleFile(megabytes, Encoding::shiftJis);
    for (auto _ : state) {
        XcsXmlDOMDocument document;
        document.setLayout(layout);
        std::list<XMLERROR_TYPE> errors;
        if (!document.load(file, &errors, validate)) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(megabytes << 20));
}

void loadWithLibrary(benchmark::State& state, std::size_t megabytes, bool validate) {
    loadInLayout(state, megabytes, validate, TL_LAYOUT_FIXED);
}

// A load that keeps the file for saves in the keep layout.
void loadKeepingLayout(benchmark::State& state, std::size_t megabytes, bool validate) {
    loadInLayout(state, megabytes, validate, TL_LAYOUT_KEEP);
}

template <typename Parser>
void parseWith(benchmark::State& state, std::size_t megabytes, bool validate) {
    const std::string& file = bench::sampleFile(megabytes, Encoding::shiftJis);
    for (auto _ : state) {
        Parser parser;
        parser.setValidationScheme(validate ? xercesc::XercesDOMParser::Val_Always
                                            : xercesc::XercesDOMParser::Val_Never);
        parser.setDoNamespaces(false);
        parser.setDoSchema(false);
        parser.setCreateEntityReferenceNodes(false);
        parser.parse(file.c_str());
        if (parser.getErrorCount() != 0) state.SkipWithError("parse failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(megabytes << 20));
}

void parseWithXerces(benchmark::State& state, std::size_t megabytes, bool validate) {
    parseWith<xercesc::XercesDOMParser>(state, megabytes, validate);
}

void parseKeepingPositions(benchmark::State& state, std::size_t megabytes, bool validate) {
    parseWith<bench::PositionsParser>(state, megabytes, validate);
}

BENCHMARK_CAPTURE(loadWithLibrary, 1mb, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseWithXerces, 1mb, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadWithLibrary, 1mb_validated, 1, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseWithXerces, 1mb_validated, 1, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadWithLibrary, 32mb, 32, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseWithXerces, 32mb, 32, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadWithLibrary, 32mb_validated, 32, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseWithXerces, 32mb_validated, 32, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseKeepingPositions, 32mb, 32, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadKeepingLayout, 32mb, 32, false)->Unit(benchmark::kMillisecond);

}  // namespace
