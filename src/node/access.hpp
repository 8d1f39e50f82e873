// The library's own way to make wrappers that share a tree it already holds, without
// looking the tree up again, and to reach the tree behind a wrapper.
#ifndef TOVALIN_NODE_ACCESS_HPP
#define TOVALIN_NODE_ACCESS_HPP

#include <stdexcept>

#include "tovalin/node.hpp"

namespace tovalin::detail {

struct Access {
    static XcsXmlNode node(xercesc::DOMNode* node, const TreeRef& tree) { return {node, tree}; }
    static XcsXmlNodeList list(xercesc::DOMNodeList* list, const TreeRef& tree) {
        return {list, tree};
    }
    static XcsXmlDocument document(xercesc::DOMDocument* document, const TreeRef& tree) {
        return {document, tree};
    }
    static const TreeRef& tree(const XcsXmlNode& node) { return node.tree; }
    // The parser node of a wrapper that an operation needs bound.
    static xercesc::DOMNode* bound(const XcsXmlNode& node) {
        xercesc::DOMNode* target = node.getTarget();
        if (target == nullptr) throw std::invalid_argument("null node");
        return target;
    }
};

}  // namespace tovalin::detail

#endif
