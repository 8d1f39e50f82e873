// For context only: pugixml loading and saving the UTF-8 sample, next to the library's
// load of the same file and its save.
#include <benchmark/benchmark.h>

#include <list>

#include <pugixml.hpp>

#include "loaded_document.hpp"

namespace {

void loadUtf8WithLibrary(benchmark::State& state) {
    const std::string& file = bench::sampleFile(32, bench::Encoding::utf8);
    for (auto _ : state) {
        XcsXmlDOMDocument document;
        std::list<XMLERROR_TYPE> errors;
        if (!document.load(file, &errors, false)) state.SkipWithError("load failed");
    }
}

void loadUtf8WithPugixml(benchmark::State& state) {
    const std::string& file = bench::sampleFile(32, bench::Encoding::utf8);
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(file.c_str())) state.SkipWithError("load failed");
    }
}

void saveUtf8WithPugixml(benchmark::State& state) {
    pugi::xml_document document;
    document.load_file(bench::sampleFile(32, bench::Encoding::utf8).c_str());
    const std::string target = bench::scratchPath("saved-by-pugixml.xml");
    for (auto _ : state) {
        if (!document.save_file(target.c_str())) state.SkipWithError("save failed");
        bench::syncFile(target);
    }
}

BENCHMARK(loadUtf8WithLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(loadUtf8WithPugixml)->Unit(benchmark::kMillisecond);
BENCHMARK(saveUtf8WithPugixml)->Unit(benchmark::kMillisecond);

}  // namespace
