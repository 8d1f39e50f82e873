#ifndef TOVALIN_DATA_WHITESPACE_HPP
#define TOVALIN_DATA_WHITESPACE_HPP

#include <cstddef>

#include <xercesc/dom/DOMDocument.hpp>

namespace tovalin {

// Whether a piece of text could be all of a blank text node, or its continuation: blank
// text begins with CR, LF, TAB or space and holds nothing but spaces and ASCII control
// characters. Decided on the UTF-16 text itself, so a character that the process code
// page cannot represent is never taken for layout.
bool isBlankPiece(const XMLCh* text, std::size_t length, bool continuing);

// Takes out every text node of the document that begins with CR, LF, TAB or space and holds
// nothing but spaces and ASCII control characters: the layout between elements. Text inside
// entity references, CDATA sections, comments and attributes stays. The nodes taken out are
// not freed before the tree, since a wrapper may still hold them.
void removeBlankText(xercesc::DOMDocument* document);

}  // namespace tovalin

#endif
