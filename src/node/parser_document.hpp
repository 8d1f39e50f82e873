// New documents of the parser's core implementation; the caller owns each one.
#ifndef TOVALIN_NODE_PARSER_DOCUMENT_HPP
#define TOVALIN_NODE_PARSER_DOCUMENT_HPP

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

namespace tovalin {

// A document without any node.
xercesc::DOMDocument* newEmptyDocument();

// A document holding one root element of the name; the parser's DOMException for a name it
// refuses, with nothing left behind.
xercesc::DOMDocument* newDocumentWithRoot(const XMLCh* rootName);

// A document holding a deep copy of the element, of any depth, as its root element and
// nothing else.
xercesc::DOMDocument* newDocumentWithCopyOf(const xercesc::DOMElement* root);

}  // namespace tovalin

#endif
