// The parent of a node without the parser's own getParentNode, which finds the node's
// bookkeeping by a dynamic_cast that costs more than the rest of a step through the tree.
// For the parser's element, text and comment nodes, whose type is checked exactly, the
// parent is read from the node's public bookkeeping, as the parser itself reads it; any
// other node asks the parser.
#ifndef TOVALIN_NODE_PARENT_OF_HPP
#define TOVALIN_NODE_PARENT_OF_HPP

#include <typeinfo>

#include <xercesc/dom/impl/DOMCommentImpl.hpp>
#include <xercesc/dom/impl/DOMElementImpl.hpp>
#include <xercesc/dom/impl/DOMElementNSImpl.hpp>
#include <xercesc/dom/impl/DOMTextImpl.hpp>

namespace tovalin::detail {

// A node that is not owned has its document in place of a parent.
inline xercesc::DOMNode* ownerIfOwned(const xercesc::DOMNodeImpl& node) {
    return node.isOwned() ? node.fOwnerNode : nullptr;
}

inline xercesc::DOMNode* parentOf(const xercesc::DOMNode* node) {
    const std::type_info& type = typeid(*node);
    if (type == typeid(xercesc::DOMElementImpl) || type == typeid(xercesc::DOMElementNSImpl)) {
        return ownerIfOwned(static_cast<const xercesc::DOMElementImpl*>(node)->fNode);
    }
    if (type == typeid(xercesc::DOMTextImpl)) {
        return ownerIfOwned(static_cast<const xercesc::DOMTextImpl*>(node)->fNode);
    }
    if (type == typeid(xercesc::DOMCommentImpl)) {
        return ownerIfOwned(static_cast<const xercesc::DOMCommentImpl*>(node)->fNode);
    }
    return node->getParentNode();
}

}  // namespace tovalin::detail

#endif
