// The XML declaration lives in the tree as a processing instruction with the target "xml",
// a name XML reserves for the declaration, so no other instruction can carry it.
#ifndef TOVALIN_NODE_DECLARATION_HPP
#define TOVALIN_NODE_DECLARATION_HPP

#include <xercesc/dom/DOMNode.hpp>

namespace tovalin::declaration {

// The type code the node layer reports for the declaration node.
constexpr short nodeType = 13;

bool isDeclaration(const xercesc::DOMNode* node);

}  // namespace tovalin::declaration

#endif
