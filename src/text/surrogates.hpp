// UTF-16 surrogates: the code units of a pair, which no code page can encode alone.
#ifndef TOVALIN_TEXT_SURROGATES_HPP
#define TOVALIN_TEXT_SURROGATES_HPP

#include <cstddef>

#include "text/code_page.hpp"

namespace tovalin::text {

inline bool isHighSurrogate(XMLCh c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool isLowSurrogate(XMLCh c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The number of code units of the character that starts the text: 2 for a surrogate pair,
// otherwise 1 (a lone surrogate counts as a character of its own).
inline std::size_t unitsOfCharacter(const XMLCh* text, std::size_t length) {
    return isHighSurrogate(text[0]) && length > 1 && isLowSurrogate(text[1]) ? 2 : 1;
}

inline unsigned long codePointOf(const XMLCh* character, std::size_t units) {
    if (units == 1) return character[0];
    return 0x10000 + ((character[0] - 0xD800UL) << 10) + (character[1] - 0xDC00UL);
}

// The position of the first surrogate that is not part of a pair, or the length.
inline std::size_t firstUnpairedSurrogate(const XMLCh* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length) {
        const std::size_t units = unitsOfCharacter(text + i, length - i);
        if (units == 1 && (isHighSurrogate(text[i]) || isLowSurrogate(text[i]))) return i;
        i += units;
    }
    return length;
}

}  // namespace tovalin::text

#endif
