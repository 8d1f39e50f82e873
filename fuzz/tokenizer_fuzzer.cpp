// The bytes up to the first NUL as a text to analyse, the rest as reads by position and by
// row and column. Only a position past the end may throw, and only out_of_range.
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include "tovalin/string_tokenizer.hpp"

namespace {

unsigned int number(const std::uint8_t*& at, const std::uint8_t* end) {
    unsigned int value = 0;
    for (int i = 0; i < 2 && at != end; ++i) value = value * 256 + *at++;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* end = data + size;
    const auto* split = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::string text(data, split == nullptr ? end : split);
    StringTokenizer tokenizer;
    const bool analysed = tokenizer.analysis(text);
    for (const std::uint8_t* at = split == nullptr ? end : split + 1; at != end;) {
        const std::uint8_t operation = *at++;
        const unsigned int a = number(at, end);
        const unsigned int b = number(at, end);
        try {
            switch (operation % 4) {
                case 0:
                    if (tokenizer.getRow(static_cast<int>(a)) > text.size()) __builtin_trap();
                    break;
                case 1:
                    if (tokenizer.getNext(a) > text.size()) __builtin_trap();
                    break;
                case 2:
                    tokenizer.getValue(static_cast<int>(a));
                    if (a > text.size()) __builtin_trap();
                    break;
                default:
                    tokenizer.getValue(static_cast<int>(a % 1000), static_cast<int>(b % 1000));
                    if (!analysed) __builtin_trap();
            }
        } catch (const std::out_of_range&) {
            if (operation % 4 != 2 || a <= text.size()) __builtin_trap();
        } catch (const std::exception&) {
            if (operation % 4 != 3 || analysed) __builtin_trap();
        }
    }
    return 0;
}
