#include "node/deep_copy.hpp"

namespace tovalin::detail {
namespace {

using xercesc::DOMNode;

// The children of attributes and entity references are few and shallow, and the parser
// copies them itself: an entity reference's come from the document it is made in.
bool hasChildrenToWalk(const DOMNode* node) {
    const DOMNode::NodeType type = node->getNodeType();
    return node->hasChildNodes() && type != DOMNode::ATTRIBUTE_NODE &&
           type != DOMNode::ENTITY_REFERENCE_NODE;
}

// Walks the subtree in document order, copying each node alone with copy(node, false), or
// whole with copy(node, true) where there is nothing to walk below it. Every copy is
// appended while it has no children yet, so the parser's cycle check has nothing to climb.
template <class Copy>
DOMNode* copyTree(const DOMNode* top, Copy copy) {
    if (!hasChildrenToWalk(top)) return copy(top, true);
    DOMNode* const made = copy(top, false);
    DOMNode* parent = made;
    for (const DOMNode* source = top->getFirstChild();;) {
        const bool descend = hasChildrenToWalk(source);
        DOMNode* copied = parent->appendChild(copy(source, !descend));
        if (descend) {
            parent = copied;
            source = source->getFirstChild();
            continue;
        }
        while (source->getNextSibling() == nullptr) {
            source = source->getParentNode();
            if (source == top) return made;
            parent = parent->getParentNode();
        }
        source = source->getNextSibling();
    }
}

}  // namespace

DOMNode* cloneDeep(const DOMNode* source) {
    return copyTree(source, [](const DOMNode* node, bool whole) { return node->cloneNode(whole); });
}

DOMNode* importDeep(xercesc::DOMDocument* into, const DOMNode* source) {
    return copyTree(
        source, [into](const DOMNode* node, bool whole) { return into->importNode(node, whole); });
}

}  // namespace tovalin::detail
