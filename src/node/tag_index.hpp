// The elements of a document by tag name, in document order: what the parser's own search by
// tag name finds, without walking the document for every question. The index is filled by
// one walk that goes only as far as the questions asked need, and starts again whenever the
// parser's document counts a change it did not hear of, as the parser's own lists do. The
// library's documents count every insertion, removal and rename (renameNode) of a node. So it
// stays right across every change of the tree's structure and of its names, made through the
// library or straight on the parser's nodes. "*" names every element; the parser answers for it.
#ifndef TOVALIN_NODE_TAG_INDEX_HPP
#define TOVALIN_NODE_TAG_INDEX_HPP

#include <cstddef>
#include <deque>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

#include "text/code_page.hpp"

namespace tovalin::detail {

struct Tree;

class TagIndex {
  public:
    using Elements = std::vector<xercesc::DOMElement*>;

    // The index of the tree's document, made on first use and kept with the tree.
    static TagIndex& of(Tree& tree);

    explicit TagIndex(xercesc::DOMDocument* document);
    ~TagIndex();
    TagIndex(const TagIndex&) = delete;
    TagIndex& operator=(const TagIndex&) = delete;

    xercesc::DOMDocument* document() const { return owner; }

    // The element at the position among those of the name, or null past the last.
    xercesc::DOMElement* item(const XMLCh* name, std::size_t position);
    std::size_t count(const XMLCh* name);
    // Every element of the name; empty for "*".
    Elements all(const XMLCh* name);
    // A live list of the elements of the name, owned by the index: it answers from the index
    // and follows every later change of the tree, as the parser's own list does.
    xercesc::DOMNodeList* list(const XMLCh* name);

    // What an edit just made did, told by the one who made it while the index was current
    // (right after a question to it), so that the index follows without a walk. An edit
    // that is not told, or fails half-way, makes the index start again.
    // The edit added or removed no element.
    void keep();
    // The element, of a name whose elements are all known, went after the last of them.
    void addedLast(xercesc::DOMElement* element);
    // Every element of the name was taken out and these put in; when some of those taken
    // out held elements of their own, the other names' elements changed too.
    void replaced(const XMLCh* name, const Elements& now, bool removedHeldElements);

  private:
    class List;

    // Starts again when the document counts changes the index did not follow.
    void refresh();
    // The elements of the name found so far, after walking on until there are at least the
    // count of them or the document ends; null while none is found.
    Elements* scanFor(std::u16string_view name, std::size_t wanted);
    // Walks on to the next element and adds it to its name's elements, which it gives; null
    // at the end of the document.
    Elements* next();
    Elements& elementsOf(std::u16string_view name);
    bool isEveryElement(std::u16string_view name) const { return name == u"*"; }

    xercesc::DOMDocument* const owner;
    int seenChanges;
    std::unordered_map<std::u16string_view, Elements> byName;
    // The names the keys above view.
    std::deque<text::XmlString> names;
    // The node the walk stopped at; null once it has passed the last.
    xercesc::DOMNode* reached;
    std::unordered_map<text::XmlString, std::unique_ptr<List>> lists;
};

}  // namespace tovalin::detail

#endif
