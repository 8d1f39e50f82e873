// The node side of the interface: value-type wrappers of parser nodes, node lists, the
// document node, iterators and filters. Every text is a narrow string in the process code
// page. A wrapper keeps the tree it points into alive until the last wrapper lets go.
// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
#ifdef TOVALIN_OVER_C
#include "tovalin/over_c/tovalin.hpp"
#endif
#ifndef TOVALIN_NODE_HPP
#define TOVALIN_NODE_HPP

#include <string>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

#include "tovalin/export.hpp"

class XFilter;

namespace tovalin {
namespace detail {

struct Tree;
struct Access;
struct SharedIterator;

// One share of a parsed or created tree. The tree is freed when its last share goes.
// Only the library constructs, copies and destroys these.
class TreeRef {
  public:
    TreeRef() noexcept;
    explicit TreeRef(Tree* tree) noexcept;
    TreeRef(const TreeRef& other) noexcept;
    TreeRef& operator=(const TreeRef& other) noexcept;
    ~TreeRef();
    Tree* get() const noexcept { return tree; }

  private:
    Tree* tree;
};

}  // namespace detail
}  // namespace tovalin

class XcsXmlDocument;
class XcsXmlNodeList;

// The type code getNodeType gives the XML declaration node; every other code is the DOM's
// own (xercesc::DOMNode::ELEMENT_NODE and the others).
enum TL_NODE_TYPE : short { TL_XML_DECLARATION_NODE = 13 };

// The answers of XcsXmlFilter::acceptNode.
enum TL_FILTER_TYPE : short { TL_FILTER_ACCEPT = 1, TL_FILTER_REJECT = 2, TL_FILTER_SKIP = 3 };

// The node-type mask of XcsXmlNodeIterator that shows every type (bit n-1 shows type n).
constexpr unsigned long TL_SHOW_ALL = 0xFFFFFFFFUL;

class TOVALIN_API XcsXmlNode {
  public:
    XcsXmlNode();
    // Wraps a parser node; a node of a tree held by the library keeps that tree alive.
    XcsXmlNode(xercesc::DOMNode* node);  // NOLINT(google-explicit-constructor)
    XcsXmlNode(const XcsXmlNode& other);
    XcsXmlNode& operator=(const XcsXmlNode& other);

    // Identity: true when both wrap the same parser node, or both are null.
    bool operator==(const XcsXmlNode& other) const;
    bool operator!=(const XcsXmlNode& other) const;
    operator xercesc::DOMNode*() const;  // NOLINT(google-explicit-constructor)

    virtual ~XcsXmlNode();
    virtual XcsXmlNode getParentNode() const;
    virtual XcsXmlDocument getOwner() const;
    virtual XcsXmlNode getNextSibling() const;
    virtual XcsXmlNode getPreviousSibling() const;
    virtual XcsXmlNode getFirstChild() const;
    virtual XcsXmlNode getLastChild() const;
    virtual XcsXmlNodeList getChildNodes() const;
    // The DOM type code; TL_XML_DECLARATION_NODE for the XML declaration node.
    virtual short getNodeType() const;
    virtual XcsXmlNode insertBefore(const XcsXmlNode& newChild, const XcsXmlNode& refChild);
    virtual XcsXmlNode appendChild(const XcsXmlNode& newChild);
    virtual XcsXmlNode removeChild(const XcsXmlNode& oldChild);
    virtual bool isNull() const;
    // True when the element has the attribute with a non-empty value.
    virtual bool hasAttribute(const std::string& name) const;
    virtual xercesc::DOMNode* getTarget() const;
    virtual void removeAttribute(const std::string& name);
    virtual void setAttribute(const std::string& name, const std::string& value);
    virtual std::string getAttribute(const std::string& name) const;
    // A text node's content; for every other node its name.
    virtual std::string getValue() const;
    // Changes a text node's content; does nothing for other nodes.
    virtual void setValue(const std::string& value);
    virtual XcsXmlNode cloneNode(bool deep);
    // Descendant elements of this element by tag name; throws std::exception on a non-element.
    virtual XcsXmlNodeList getElementsByTagName(const std::string& name);

  protected:
    XcsXmlNode(xercesc::DOMNode* node, const tovalin::detail::TreeRef& tree);
    xercesc::DOMNode* boundNode() const;
    const tovalin::detail::TreeRef& treeRef() const { return tree; }

  private:
    friend struct tovalin::detail::Access;

    xercesc::DOMNode* node;
    tovalin::detail::TreeRef tree;
};

// A live list of the parser: it follows later changes of the tree.
class TOVALIN_API XcsXmlNodeList {
  public:
    XcsXmlNodeList(xercesc::DOMNodeList* list);  // NOLINT(google-explicit-constructor)
    XcsXmlNodeList(const XcsXmlNodeList& other);
    XcsXmlNodeList& operator=(const XcsXmlNodeList& other);
    virtual ~XcsXmlNodeList();

    unsigned int getLength() const;
    // The node at the index, or the null node at or past the end.
    XcsXmlNode item(unsigned int index) const;

  private:
    friend struct tovalin::detail::Access;
    XcsXmlNodeList(xercesc::DOMNodeList* list, const tovalin::detail::TreeRef& tree);

    xercesc::DOMNodeList* list;
    tovalin::detail::TreeRef tree;
};

// The document node: the root of a tree, the maker of new nodes and the whole-document search.
class TOVALIN_API XcsXmlDocument : public XcsXmlNode {
  public:
    XcsXmlDocument(const XcsXmlDocument& other);
    XcsXmlDocument& operator=(const XcsXmlDocument& other);
    using XcsXmlNode::operator==;
    bool operator==(const XcsXmlDocument& other) const;

    ~XcsXmlDocument() override;
    // Every element of the document with the tag name, in document order; never throws itself.
    XcsXmlNodeList getElementsByTagName(const std::string& name) override;

    XcsXmlNode createElement(const std::string& tagName);
    XcsXmlNode createTextNode(const std::string& text);
    XcsXmlNode importNode(const XcsXmlNode& source, bool deep);
    XcsXmlNode getDocumentElement();

  private:
    friend class XcsXmlNode;
    friend class XcsXmlDOMDocument;
    friend struct tovalin::detail::Access;
    XcsXmlDocument(xercesc::DOMDocument* document, const tovalin::detail::TreeRef& tree);

    xercesc::DOMDocument* parserDocument() const;
};

// A caller's choice among the nodes an iterator visits: derive from it and override
// acceptNode. A filter must outlive every iterator made with it, and their copies.
class TOVALIN_API XcsXmlFilter {
  public:
    XcsXmlFilter();
    // A copy gets its own link to the parser; nothing else is taken over.
    XcsXmlFilter(const XcsXmlFilter& other);
    XcsXmlFilter& operator=(const XcsXmlFilter& other);
    virtual ~XcsXmlFilter();
    // A TL_FILTER_TYPE answer; for an iterator reject and skip both pass over the node alone,
    // not its descendants. The base skips every node.
    virtual short acceptNode(const XcsXmlNode& node) const;

  private:
    friend class XcsXmlNodeIterator;
    XFilter* adapter;
};

// Walks a node and its descendants in document order, showing the node types of the mask
// (bit n-1 for type n; TL_SHOW_ALL for all) that the filter accepts. Copies share one walk:
// moving one moves them all. The walk keeps its tree alive.
class TOVALIN_API XcsXmlNodeIterator {
  public:
    // The root may be the document node, for a walk over the whole document; the filter
    // may be null. A null root throws std::invalid_argument.
    XcsXmlNodeIterator(const XcsXmlNode& root, XcsXmlFilter* filter, unsigned long whatToShow);
    XcsXmlNodeIterator(const XcsXmlNodeIterator& other);
    XcsXmlNodeIterator& operator=(const XcsXmlNodeIterator& other);
    virtual ~XcsXmlNodeIterator();

    unsigned long getWhatToShow();
    // The next node, or the null node past the last.
    XcsXmlNode nextNode();
    // The previous node, or the null node before the first.
    XcsXmlNode previousNode();

  private:
    tovalin::detail::SharedIterator* iterator;
    XcsXmlFilter* filter;
};

#endif
