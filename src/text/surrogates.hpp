// UTF-16 surrogates: a code unit of a pair, and texts whose unpaired ones, which no code
// page can encode, are replaced.
#ifndef TOVALIN_TEXT_SURROGATES_HPP
#define TOVALIN_TEXT_SURROGATES_HPP

#include <cstddef>

#include "text/code_page.hpp"

namespace tovalin::text {

inline bool isHighSurrogate(XMLCh c) { return c >= 0xD800 && c <= 0xDBFF; }
inline bool isLowSurrogate(XMLCh c) { return c >= 0xDC00 && c <= 0xDFFF; }

inline bool hasSurrogate(const XMLCh* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) return true;
    }
    return false;
}

// The text with each unpaired surrogate replaced by U+FFFD. A transcoder would also keep a
// trailing high surrogate in its state for the next call.
inline XmlString pairedSurrogatesOnly(const XMLCh* text, std::size_t length) {
    XmlString cleaned(text, length);
    for (std::size_t i = 0; i < length; ++i) {
        if (isHighSurrogate(cleaned[i]) && i + 1 < length && isLowSurrogate(cleaned[i + 1])) {
            ++i;
        } else if (isHighSurrogate(cleaned[i]) || isLowSurrogate(cleaned[i])) {
            cleaned[i] = 0xFFFD;
        }
    }
    return cleaned;
}

}  // namespace tovalin::text

#endif
