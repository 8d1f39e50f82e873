#include "data/whitespace.hpp"

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/layout_text.hpp"

namespace tovalin {
namespace {

bool isBlank(const XMLCh* text) {
    return text != nullptr && isBlankPiece(text, xercesc::XMLString::stringLen(text), false);
}

// The next node in document order after the node's own subtree.
xercesc::DOMNode* nextOutside(xercesc::DOMNode* node, const xercesc::DOMNode* root) {
    for (; node != root; node = node->getParentNode()) {
        if (node->getNextSibling() != nullptr) return node->getNextSibling();
    }
    return nullptr;
}

xercesc::DOMNode* nextInside(xercesc::DOMNode* node, const xercesc::DOMNode* root) {
    const bool descend = node->getFirstChild() != nullptr &&
                         node->getNodeType() != xercesc::DOMNode::ENTITY_REFERENCE_NODE;
    return descend ? node->getFirstChild() : nextOutside(node, root);
}

}  // namespace

void removeBlankText(xercesc::DOMDocument* document) {
    xercesc::DOMNode* node = document->getFirstChild();
    while (node != nullptr) {
        xercesc::DOMNode* next = nextInside(node, document);
        if (node->getNodeType() == xercesc::DOMNode::TEXT_NODE && isBlank(node->getNodeValue()) &&
            !preservesSpace(node)) {
            // Only taken out: a wrapper may hold the node, and the parser would hand its
            // memory to the next node made. The tree's memory goes with the tree.
            node->getParentNode()->removeChild(node);
        }
        node = next;
    }
}

}  // namespace tovalin
