#include "data/whitespace.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/util/XMLString.hpp>

#include "tovalin/document.hpp"

namespace tovalin {
namespace {

bool isLayoutStart(XMLCh c) { return c == 0x0D || c == 0x0A || c == 0x09 || c == 0x20; }

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

bool isBlankPiece(const XMLCh* text, std::size_t length, bool continuing) {
    if (length == 0 || (!continuing && !isLayoutStart(text[0]))) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] > 0x20 && text[i] != 0x7F) return false;
    }
    return true;
}

void removeBlankText(xercesc::DOMDocument* document) {
    xercesc::DOMNode* node = document->getFirstChild();
    while (node != nullptr) {
        xercesc::DOMNode* next = nextInside(node, document);
        if (node->getNodeType() == xercesc::DOMNode::TEXT_NODE && isBlank(node->getNodeValue())) {
            // Only taken out: a wrapper may hold the node, and the parser would hand its
            // memory to the next node made. The tree's memory goes with the tree.
            node->getParentNode()->removeChild(node);
        }
        node = next;
    }
}

}  // namespace tovalin

XcsXmlNode XcsXmlDOMDocument::removeWhiteSpace(XcsXmlNode& node) {
    tovalin::removeBlankText(static_cast<xercesc::DOMDocument*>(getDocument().getTarget()));
    return node;
}
