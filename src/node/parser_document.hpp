// New documents of the parser's core implementation; the caller owns each one. Each counts a
// rename (the parser's renameNode) as a change of the document, as it counts every insertion
// and removal: so its tag index and the parser's own live lists by tag name follow renames.
#ifndef TOVALIN_NODE_PARSER_DOCUMENT_HPP
#define TOVALIN_NODE_PARSER_DOCUMENT_HPP

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/impl/DOMDocumentImpl.hpp>
#include <xercesc/util/PlatformUtils.hpp>

namespace tovalin {

// A document without any node, its memory from the manager.
xercesc::DOMDocumentImpl* newEmptyDocument(
    xercesc::MemoryManager* manager = xercesc::XMLPlatformUtils::fgMemoryManager);

// A document holding one root element of the name; the parser's DOMException for a name it
// refuses, with nothing left behind.
xercesc::DOMDocument* newDocumentWithRoot(const XMLCh* rootName);

// A document holding a deep copy of the element, of any depth, as its root element and
// nothing else.
xercesc::DOMDocument* newDocumentWithCopyOf(const xercesc::DOMElement* root);

}  // namespace tovalin

#endif
