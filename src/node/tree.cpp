#include "node/tree.hpp"

#include <xercesc/dom/DOMElement.hpp>

#include "tovalin/node.hpp"

namespace tovalin::detail {
namespace {

const XMLCh treeKey[] = u"tovalin.tree";

xercesc::DOMDocument* ownerOf(const xercesc::DOMNode* node) {
    if (node->getNodeType() == xercesc::DOMNode::DOCUMENT_NODE) {
        return const_cast<xercesc::DOMDocument*>(static_cast<const xercesc::DOMDocument*>(node));
    }
    return node->getOwnerDocument();
}

void retain(Tree* tree) noexcept {
    if (tree != nullptr) ++tree->holders;
}

// Frees the tree of its last holder. Once a document carries user data, its release visits
// the whole tree by recursion, which no stack survives for deep nesting. Without its root
// element nothing deep is left to visit; the nodes are freed with the document's memory
// all the same.
void free(Tree* tree) noexcept {
    try {
        if (xercesc::DOMElement* root = tree->document->getDocumentElement()) {
            tree->document->removeChild(root);
        }
    } catch (...) {
    }
    tree->document->release();
    delete tree;
}

inline void release(Tree* tree) noexcept {
    if (tree != nullptr && --tree->holders == 0) free(tree);
}

}  // namespace

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
    const xercesc::DOMDocument* owner = node == nullptr ? nullptr : ownerOf(node);
    return owner == nullptr ? nullptr : static_cast<Tree*>(owner->getUserData(treeKey));
}

TreeRef::TreeRef() noexcept : tree(nullptr) {}

TreeRef::TreeRef(Tree* shared) noexcept : tree(shared) { retain(tree); }

TreeRef::TreeRef(const TreeRef& other) noexcept : tree(other.tree) { retain(tree); }

TreeRef& TreeRef::operator=(const TreeRef& other) noexcept {
    if (tree == other.tree) return *this;
    retain(other.tree);
    release(tree);
    tree = other.tree;
    return *this;
}

TreeRef::~TreeRef() { release(tree); }

}  // namespace tovalin::detail
