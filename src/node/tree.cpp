#include "node/tree.hpp"

#include <algorithm>
#include <functional>

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

namespace {

bool byElement(const SourcePosition& a, const SourcePosition& b) {
    return std::less<const xercesc::DOMNode*>()(a.element, b.element);
}

using HeldElement = std::pair<const xercesc::DOMNode*, std::size_t>;

bool byHeldElement(const HeldElement& a, const HeldElement& b) {
    return std::less<const xercesc::DOMNode*>()(a.first, b.first);
}

}  // namespace

void Tree::keepPositions(std::vector<SourcePosition> read) {
    // The parser allocates nodes mostly in rising addresses: usually nothing is left to sort.
    if (!std::is_sorted(read.begin(), read.end(), byElement)) {
        std::sort(read.begin(), read.end(), byElement);
    }
    positions = std::move(read);
    positions.shrink_to_fit();
}

const SourcePosition* Tree::positionOf(const xercesc::DOMNode* element) const {
    const SourcePosition wanted{element, 0, 0};
    const auto found = std::lower_bound(positions.begin(), positions.end(), wanted, byElement);
    return found != positions.end() && found->element == element ? &*found : nullptr;
}

void Tree::keepSourceFiles(SourceFiles read) {
    std::sort(read.elsewhere.begin(), read.elsewhere.end(), byHeldElement);
    sourceFiles = std::move(read);
}

const std::string* Tree::sourceFileOf(const xercesc::DOMNode* element) const {
    if (positionOf(element) == nullptr || sourceFiles.names.empty()) return nullptr;
    const auto& elsewhere = sourceFiles.elsewhere;
    const auto found =
        std::lower_bound(elsewhere.begin(), elsewhere.end(), HeldElement{element, 0}, byHeldElement);
    const bool inEntity = found != elsewhere.end() && found->first == element;
    return &sourceFiles.names[inEntity ? found->second : 0];
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
