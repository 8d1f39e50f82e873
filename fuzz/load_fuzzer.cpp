// Bytes as a file to load, with and without validation; a file that loads is saved in both
// encodings, and what a save wrote must load again.
#include <cstdint>
#include <list>

#include "fuzz_support.hpp"
#include "tovalin/document.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzzing::writeInput("input.xml", data, size);
    for (const bool validate : {false, true}) {
        XcsXmlDOMDocument document;
        std::list<XMLERROR_TYPE> errors;
        if (!document.load(input, &errors, validate)) {
            if (errors.empty()) __builtin_trap();
            continue;
        }
        fuzzing::expectSavesLoadAgain(document);
    }
    return 0;
}
