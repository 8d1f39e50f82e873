#ifndef TOVALIN_DATA_WHITESPACE_HPP
#define TOVALIN_DATA_WHITESPACE_HPP

#include <xercesc/dom/DOMDocument.hpp>

namespace tovalin {

// Removes, and frees at once, every text node of the document that begins with CR, LF, TAB
// or space and holds nothing but spaces and ASCII control characters: the layout between
// elements. Text inside entity references, CDATA sections, comments and attributes stays.
void removeBlankText(xercesc::DOMDocument* document);

}  // namespace tovalin

#endif
