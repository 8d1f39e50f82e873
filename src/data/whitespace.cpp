#include "data/whitespace.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMNode.hpp>

#include "tovalin/document.hpp"

namespace tovalin {
namespace {

bool isLayoutStart(XMLCh c) { return c == 0x0D || c == 0x0A || c == 0x09 || c == 0x20; }

// Decided on the UTF-16 text itself: every character the trimming rule turns into a space
// is ASCII, and any other character, one the code page cannot represent included, keeps
// the node.
bool isBlank(const XMLCh* text) {
    if (text == nullptr || !isLayoutStart(text[0])) return false;
    for (const XMLCh* c = text; *c != 0; ++c) {
        if (*c > 0x20 && *c != 0x7F) return false;
    }
    return true;
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
        if (node->getNodeType() == xercesc::DOMNode::TEXT_NODE && isBlank(node->getNodeValue())) {
            node->getParentNode()->removeChild(node)->release();
        }
        node = next;
    }
}

}  // namespace tovalin

XcsXmlNode XcsXmlDOMDocument::removeWhiteSpace(XcsXmlNode& node) {
    tovalin::removeBlankText(static_cast<xercesc::DOMDocument*>(getDocument().getTarget()));
    return node;
}
