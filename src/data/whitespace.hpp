// The whitespace cleanup of a whole document.
#ifndef TOVALIN_DATA_WHITESPACE_HPP
#define TOVALIN_DATA_WHITESPACE_HPP

#include <xercesc/dom/DOMDocument.hpp>

namespace tovalin {

// Takes every layout text node out of the document (see node/layout_text.hpp). Text inside
// entity references, CDATA sections, comments and attributes stays, and so does every text
// within xml:space="preserve". The nodes are only
// taken out, never freed: a wrapper may still hold one.
void removeBlankText(xercesc::DOMDocument* document);

}  // namespace tovalin

#endif
