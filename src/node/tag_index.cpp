#include "node/tag_index.hpp"

#include <limits>
#include <utility>

#include <xercesc/dom/impl/DOMDocumentImpl.hpp>

#include "node/parent_of.hpp"
#include "node/tree.hpp"

namespace tovalin::detail {
namespace {

using xercesc::DOMElement;
using xercesc::DOMNode;

// The count of structural changes the parser's document keeps for its own lists: every
// insertion and removal of a node anywhere in it adds to it.
int changesOf(xercesc::DOMDocument* document) {
    return static_cast<xercesc::DOMDocumentImpl*>(document)->changes();
}

// The node after this one in document order, into the children of entity references as the
// parser's search goes; null after the last.
DOMNode* following(DOMNode* node) {
    if (DOMNode* child = node->getFirstChild()) return child;
    for (; node != nullptr; node = parentOf(node)) {
        if (DOMNode* sibling = node->getNextSibling()) return sibling;
    }
    return nullptr;
}

}  // namespace

class TagIndex::List : public xercesc::DOMNodeList {
  public:
    List(TagIndex& index, const XMLCh* name) : index(index), name(name) {}
    DOMNode* item(XMLSize_t position) const override { return index.item(name.c_str(), position); }
    XMLSize_t getLength() const override { return index.count(name.c_str()); }

  private:
    TagIndex& index;
    const text::XmlString name;
};

TagIndex& TagIndex::of(Tree& tree) {
    if (!tree.tagIndex) tree.tagIndex = std::make_unique<TagIndex>(tree.document);
    return *tree.tagIndex;
}

TagIndex::TagIndex(xercesc::DOMDocument* document)
    : owner(document), seenChanges(changesOf(document)), reached(document) {}

TagIndex::~TagIndex() = default;

DOMElement* TagIndex::item(const XMLCh* name, std::size_t position) {
    if (isEveryElement(name)) {
        return static_cast<DOMElement*>(owner->getElementsByTagName(name)->item(position));
    }
    const Elements* elements = scanFor(name, position + 1);
    return elements != nullptr && position < elements->size() ? (*elements)[position] : nullptr;
}

std::size_t TagIndex::count(const XMLCh* name) {
    if (isEveryElement(name)) return owner->getElementsByTagName(name)->getLength();
    const Elements* elements = scanFor(name, std::numeric_limits<std::size_t>::max());
    return elements == nullptr ? 0 : elements->size();
}

TagIndex::Elements TagIndex::all(const XMLCh* name) {
    const Elements* elements = scanFor(name, std::numeric_limits<std::size_t>::max());
    return elements == nullptr ? Elements() : *elements;
}

xercesc::DOMNodeList* TagIndex::list(const XMLCh* name) {
    if (isEveryElement(name)) return owner->getElementsByTagName(name);
    auto made = lists.find(name);
    if (made == lists.end()) made = lists.emplace(name, std::make_unique<List>(*this, name)).first;
    return made->second.get();
}

void TagIndex::keep() { seenChanges = changesOf(owner); }

void TagIndex::addedLast(DOMElement* element) {
    if (reached != nullptr) return;
    elementsOf(element->getTagName()).push_back(element);
    keep();
}

void TagIndex::replaced(const XMLCh* name, const Elements& now, bool removedHeldElements) {
    if (removedHeldElements || reached != nullptr) return;
    elementsOf(name) = now;
    keep();
}

void TagIndex::refresh() {
    const int changes = changesOf(owner);
    if (changes == seenChanges) return;
    byName.clear();
    names.clear();
    reached = owner;
    seenChanges = changes;
}

TagIndex::Elements* TagIndex::scanFor(std::u16string_view name, std::size_t wanted) {
    refresh();
    const auto known = byName.find(name);
    Elements* elements = known == byName.end() ? nullptr : &known->second;
    while ((elements == nullptr || elements->size() < wanted) && reached != nullptr) {
        Elements* grown = next();
        if (elements == nullptr && grown != nullptr && name == grown->back()->getTagName()) {
            elements = grown;
        }
    }
    return elements;
}

TagIndex::Elements* TagIndex::next() {
    while (reached != nullptr) {
        reached = following(reached);
        if (reached != nullptr && reached->getNodeType() == DOMNode::ELEMENT_NODE) {
            auto* element = static_cast<DOMElement*>(reached);
            Elements& elements = elementsOf(element->getTagName());
            elements.push_back(element);
            return &elements;
        }
    }
    return nullptr;
}

TagIndex::Elements& TagIndex::elementsOf(std::u16string_view name) {
    const auto known = byName.find(name);
    if (known != byName.end()) return known->second;
    names.emplace_back(name);
    return byName.emplace(names.back(), Elements()).first->second;
}

}  // namespace tovalin::detail
