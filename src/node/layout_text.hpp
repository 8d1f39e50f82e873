// Layout text: the line breaks and indentation between elements, which the library never
// keeps as nodes. A text is layout when it begins with CR, LF, TAB or space and holds
// nothing but spaces and ASCII control characters. Decided on the UTF-16 text itself, so a
// character that the process code page cannot represent is never taken for layout.
// Within xml:space="preserve" (on an element or an ancestor, until a descendant says
// "default") no text is layout: every space there is data.
#ifndef TOVALIN_NODE_LAYOUT_TEXT_HPP
#define TOVALIN_NODE_LAYOUT_TEXT_HPP

#include <cstddef>

#include <xercesc/dom/DOMNode.hpp>
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

// What an element's xml:space attribute says of the spaces within it.
enum class SpaceRule { inherited, preserve, byDefault };
SpaceRule spaceRuleOf(const xercesc::DOMNode* element);

// Whether the rule of an element within a preserving parent (or not) preserves spaces.
inline bool preservesWithin(SpaceRule rule, bool parentPreserves) {
    return rule == SpaceRule::preserve || (rule == SpaceRule::inherited && parentPreserves);
}

// Whether the node's spaces are data: the nearest xml:space of it or an ancestor says
// "preserve".
bool preservesSpace(const xercesc::DOMNode* node);

}  // namespace tovalin

#endif
