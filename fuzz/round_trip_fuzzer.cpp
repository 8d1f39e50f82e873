// A document mixing text, elements, attributes, comments, instructions and CDATA sections,
// made from the bytes and loaded from a file; saved in every encoding (Shift_JIS unless it
// cannot store a character), with and without indentation, each saved file must load back
// as the loaded tree and save again to the same bytes. In the keep layout the file saved
// unedited is the file, and an attribute set on one element changes only its start tag.
#include <cstdint>
#include <cstdio>
#include <list>
#include <string>

#include "fuzz_support.hpp"
#include "support/mixed_document.hpp"
#include "support/round_trip.hpp"
#include "tovalin/document.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* const end = data + size;
    testing_support::MixedDocument documents([&] { return data == end ? 0u : *data++; });
    const std::string file = documents.make();
    XcsXmlDOMDocument document;
    std::list<XMLERROR_TYPE> errors;
    const std::string input = fuzzing::writeInput(
        "mixed.xml", reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    if (!document.load(input, &errors, false)) __builtin_trap();
    const std::string kept =
        testing_support::keptLayoutChange(input, fuzzing::folder() + "kept.xml", file.size());
    if (!kept.empty()) {
        std::fprintf(stderr, "%s\n%s\n", file.c_str(), kept.c_str());
        __builtin_trap();
    }
    const std::string first = fuzzing::folder() + "first.xml";
    const unsigned int indent = file.size() % 4;
    document.setIndent(indent);
    for (const TL_ENCODE_TYPE type : {TL_ENCODE_SHIFT_JIS, TL_ENCODE_UTF16, TL_ENCODE_UTF8}) {
        if (!document.save(first, type)) {
            if (type != TL_ENCODE_SHIFT_JIS ||
                testing_support::MixedDocument::shiftJisStores(file)) {
                __builtin_trap();
            }
            continue;
        }
        const std::string change =
            testing_support::changeOnReload(document.getDocument().getTarget(), first,
                                            fuzzing::folder() + "second.xml", type, indent);
        if (!change.empty()) {
            std::fprintf(stderr, "%s\n%s\n", file.c_str(), change.c_str());
            __builtin_trap();
        }
    }
    return 0;
}
