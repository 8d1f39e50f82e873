#include "node/tree.hpp"

#include <xercesc/dom/DOMElement.hpp>

#include "node/holders.hpp"
#include "tovalin/node.hpp"

namespace tovalin::detail {
namespace {

const XMLCh treeKey[] = u"tovalin.tree";

}  // namespace

xercesc::DOMDocument* documentOf(const xercesc::DOMNode* node) {
    if (node->getNodeType() == xercesc::DOMNode::DOCUMENT_NODE) {
        return const_cast<xercesc::DOMDocument*>(static_cast<const xercesc::DOMDocument*>(node));
    }
    return node->getOwnerDocument();
}

Tree* Tree::adopt(xercesc::DOMDocument* document, std::shared_ptr<xercesc::MemoryManager> memory) {
    Tree* tree = nullptr;
    try {
        tree = new Tree(document, std::move(memory));
    } catch (...) {
        document->release();
        throw;
    }
    document->setUserData(treeKey, tree, nullptr);
    return tree;
}

Tree* Tree::of(const xercesc::DOMNode* node) {
    const xercesc::DOMDocument* owner = node == nullptr ? nullptr : documentOf(node);
    return owner == nullptr ? nullptr : static_cast<Tree*>(owner->getUserData(treeKey));
}

// Once a document carries user data, the parser frees it by a recursion over the whole
// tree, which no stack survives for deep nesting. Without its root element nothing deep is
// left to visit; the nodes are freed with the document's memory all the same.
Tree::~Tree() {
    try {
        if (xercesc::DOMElement* root = document->getDocumentElement()) {
            document->removeChild(root);
        }
    } catch (...) {
    }
    document->release();
}

TreeRef::TreeRef() noexcept : tree(nullptr) {}

TreeRef::TreeRef(Tree* shared) noexcept : tree(hold(shared)) {}

TreeRef::TreeRef(const TreeRef& other) noexcept : tree(hold(other.tree)) {}

TreeRef& TreeRef::operator=(const TreeRef& other) noexcept {
    if (tree == other.tree) return *this;
    Tree* taken = hold(other.tree);
    letGo(tree);
    tree = taken;
    return *this;
}

TreeRef::~TreeRef() { letGo(tree); }

}  // namespace tovalin::detail
