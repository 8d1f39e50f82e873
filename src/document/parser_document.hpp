// New documents of the parser's core implementation.
#ifndef TOVALIN_DOCUMENT_PARSER_DOCUMENT_HPP
#define TOVALIN_DOCUMENT_PARSER_DOCUMENT_HPP

#include <xercesc/dom/DOMDocument.hpp>

namespace tovalin {

// A document without any node; the caller owns it.
xercesc::DOMDocument* newEmptyDocument();

}  // namespace tovalin

#endif
