// Peak resident memory of a process that loads the 32 MB sample against one that only
// parses it with the bare parser, of one that also indexes every element by tag name, of one
// that keeps the file for the keep layout, and of a bare parse that keeps every element's
// position.
// Each measurement runs in a child process of its own.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <list>

#include <xercesc/parsers/XercesDOMParser.hpp>

#include "positions_parser.hpp"
#include "sample_files.hpp"
#include "tovalin/document.hpp"

namespace {

// The peak resident size in KiB of a child that runs the work, or -1.
long peakOfChild(void (*work)(const std::string&), const std::string& file) {
    int channel[2];
    if (pipe(channel) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        work(file);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long peak = usage.ru_maxrss;
        _exit(write(channel[1], &peak, sizeof peak) == sizeof peak ? 0 : 1);
    }
    long peak = -1;
    if (read(channel[0], &peak, sizeof peak) != sizeof peak) peak = -1;
    close(channel[0]);
    close(channel[1]);
    waitpid(child, nullptr, 0);
    return peak;
}

void loadWithLibrary(const std::string& file) {
    XcsXmlDOMDocument document;
    std::list<XMLERROR_TYPE> errors;
    document.load(file, &errors, false);
}

void loadKeepingLayout(const std::string& file) {
    XcsXmlDOMDocument document;
    document.setLayout(TL_LAYOUT_KEEP);
    std::list<XMLERROR_TYPE> errors;
    document.load(file, &errors, false);
}

// A name no element has makes the lookup index every element of the document.
void loadAndIndexWithLibrary(const std::string& file) {
    XcsXmlDOMDocument document;
    std::list<XMLERROR_TYPE> errors;
    document.load(file, &errors, false);
    benchmark::DoNotOptimize(document.getXmlData("none"));
}

template <typename Parser>
void parseWith(const std::string& file) {
    Parser parser;
    parser.setValidationScheme(xercesc::XercesDOMParser::Val_Never);
    parser.setCreateEntityReferenceNodes(false);
    parser.parse(file.c_str());
}

void peakMemory(benchmark::State& state, void (*work)(const std::string&)) {
    const std::string& file = bench::sampleFile(32, bench::Encoding::shiftJis);
    long peak = 0;
    for (auto _ : state) peak = peakOfChild(work, file);
    if (peak < 0) state.SkipWithError("the child did not report");
    state.counters["peak_MiB"] = static_cast<double>(peak) / 1024.0;
}

BENCHMARK_CAPTURE(peakMemory, library_load, loadWithLibrary)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, library_kept, loadKeepingLayout)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, library_index, loadAndIndexWithLibrary)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, parser_only, parseWith<xercesc::XercesDOMParser>)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(peakMemory, parser_positions, parseWith<bench::PositionsParser>)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
