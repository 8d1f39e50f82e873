// Layout text: the line breaks and indentation between elements, which the library never
// keeps as nodes. A text is layout when it begins with CR, LF, TAB or space and holds
// nothing but spaces and ASCII control characters. Decided on the UTF-16 text itself, so a
// character that the process code page cannot represent is never taken for layout.
#ifndef TOVALIN_NODE_LAYOUT_TEXT_HPP
#define TOVALIN_NODE_LAYOUT_TEXT_HPP

#include <cstddef>

#include <xercesc/util/XercesDefs.hpp>

namespace tovalin {

// Whether a piece of text could be all of a layout text, or (continuing) the rest of one.
inline bool isBlankPiece(const XMLCh* text, std::size_t length, bool continuing) {
    if (length == 0) return false;
    const XMLCh first = text[0];
    if (!continuing && first != 0x0D && first != 0x0A && first != 0x09 && first != 0x20) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] > 0x20 && text[i] != 0x7F) return false;
    }
    return true;
}

}  // namespace tovalin

#endif
