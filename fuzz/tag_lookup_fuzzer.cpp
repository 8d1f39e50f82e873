// Lookups by tag name between edits chosen by the bytes answer as a fresh search does.
#include <cstdint>

#include "fuzz_support.hpp"
#include "support/tag_lookup_script.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char document[] = "<r><a>v<b/></a><c><a/>w</c><b>x</b></r>";
    static const std::string path = fuzzing::writeInput(
        "r.xml", reinterpret_cast<const std::uint8_t*>(document), sizeof document - 1);
    if (!testing_support::TagLookupScript(data, size, path).run().empty()) __builtin_trap();
    return 0;
}
