// Bytes as a file to load, with and without validation; a file that loads is saved in both
// encodings, and what a save wrote must load again.
#include <cstdint>
#include <list>

#include "fuzz_folder.hpp"
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
        for (const TL_ENCODE_TYPE type : {TL_ENCODE_SHIFT_JIS, TL_ENCODE_UTF16}) {
            const std::string saved = fuzzing::folder() + "saved.xml";
            if (!document.save(saved, type)) continue;
            XcsXmlDOMDocument again;
            std::list<XMLERROR_TYPE> againErrors;
            if (!again.load(saved, &againErrors, false)) __builtin_trap();
        }
    }
    return 0;
}
