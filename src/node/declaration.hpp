// The XML declaration lives in the tree as a processing instruction with the target "xml",
// a name XML reserves for the declaration, so no other instruction can carry it. Its data
// holds the pseudo-attributes as the declaration writes them.
#ifndef TOVALIN_NODE_DECLARATION_HPP
#define TOVALIN_NODE_DECLARATION_HPP

#include <xercesc/dom/DOMDocument.hpp>

#include "text/code_page.hpp"
#include "tovalin/node.hpp"

namespace tovalin::declaration {

// The type code the node layer reports for the declaration node.
constexpr short nodeType = TL_XML_DECLARATION_NODE;

bool isDeclaration(const xercesc::DOMNode* node);

// Puts a declaration node first in the document. An empty encoding or standalone value is
// left out.
void insertFirst(xercesc::DOMDocument* document, const text::XmlString& version,
                 const text::XmlString& encoding, const text::XmlString& standalone);

// The value of one pseudo-attribute (version, encoding, standalone) of a declaration node;
// empty when it has none.
text::XmlString valueOf(const xercesc::DOMNode* declaration, const char16_t* name);

}  // namespace tovalin::declaration

#endif
