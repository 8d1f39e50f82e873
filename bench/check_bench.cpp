// tovalin check over a folder of 2,000 validated files, on every core against one thread.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "sample_files.hpp"

namespace {

constexpr int files = 2000;
constexpr int recordsPerFile = 40;

void write(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Order records of about 4 KB each, in Shift_JIS, naming a DTD in the folder.
std::string makeFolder() {
    const std::string folder = bench::scratchPath("check");
    ::mkdir(folder.c_str(), 0700);
    write(folder + "/order.dtd",
          "<!ELEMENT orders (order+)>\n<!ELEMENT order (item, price)>\n"
          "<!ATTLIST order id ID #REQUIRED>\n<!ELEMENT item (#PCDATA)>\n"
          "<!ELEMENT price (#PCDATA)>\n");
    std::string records;
    for (int i = 0; i < recordsPerFile; ++i) {
        records += "  <order id=\"o" + std::to_string(i) +
                   "\">\n    <item>\x82\xA9\x82\xDD\x81\x60\x87\x40</item>\n    <price>" +
                   std::to_string(1000 + i) + "</price>\n  </order>\n";
    }
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
        "<!DOCTYPE orders SYSTEM \"order.dtd\">\n<orders>\n" +
        records + "</orders>\n";
    for (int i = 0; i < files; ++i) write(folder + "/" + std::to_string(10000 + i) + ".xml", text);
    // The files go to the disk now, not while the first run is timed.
    ::sync();
    return folder;
}

// threads 0: as many as the program chooses, one per core.
void checkFolder(benchmark::State& state, int threads) {
    static const std::string folder = makeFolder();
    std::string command = "'" TOVALIN_PROGRAM "' check '" + folder + "'";
    if (threads != 0) command += " --jobs " + std::to_string(threads);
    command += " >/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("check failed");
    }
}

BENCHMARK_CAPTURE(checkFolder, every_core, 0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(checkFolder, one_thread, 1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
