/// \file
/// The node side of the interface: value-type wrappers of parser nodes, node lists, the
/// document node, iterators and filters. Every text is a narrow string in the process code
/// page (\ref text_rule). A wrapper keeps the tree it points into alive until the last
/// wrapper lets go. A tree and every wrapper into it are used by one thread at a time.
/// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
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

/// The type code getNodeType gives the XML declaration node; every other code is the DOM's
/// own (xercesc::DOMNode::ELEMENT_NODE and the others).
enum TL_NODE_TYPE : short { TL_XML_DECLARATION_NODE = 13 };
/// \var TL_XML_DECLARATION_NODE
/// The XML declaration, which the tree holds as a processing instruction with the target
/// "xml"; a code the DOM does not use.

/// The answers of XcsXmlFilter::acceptNode.
enum TL_FILTER_TYPE : short { TL_FILTER_ACCEPT = 1, TL_FILTER_REJECT = 2, TL_FILTER_SKIP = 3 };
/// \var TL_FILTER_ACCEPT
/// The iterator shows the node.

/// \var TL_FILTER_REJECT
/// For an iterator the same as TL_FILTER_SKIP.

/// \var TL_FILTER_SKIP
/// The iterator passes over the node; its descendants are still asked about.

/// The node-type mask of XcsXmlNodeIterator that shows every type (bit n-1 shows type n).
constexpr unsigned long TL_SHOW_ALL = 0xFFFFFFFFUL;

/// A node of a document: a handle to a parser node. Copies refer to the same node, `==`
/// compares identity, and the handle keeps the node's tree alive. A wrapper may be null (see
/// isNull); every member that reads or changes the node throws std::invalid_argument on a
/// null wrapper, all but isNull, getTarget, the comparisons and the conversion. Names and
/// values are in the process code page: a text that is no text in it, and a value it cannot
/// hold exactly, throw xercesc::TranscodingException. Changes the parser refuses throw its
/// xercesc::DOMException.
class TOVALIN_API XcsXmlNode {
  public:
    /// The null node.
    XcsXmlNode();
    /// Wraps a parser node; a node of a tree held by the library keeps that tree alive. A
    /// node of any other document is the caller's to keep alive; null gives the null node.
    XcsXmlNode(xercesc::DOMNode* node);  // NOLINT(google-explicit-constructor)
    /// Refers to the same node.
    XcsXmlNode(const XcsXmlNode& other);
    /// Refers to the other's node from now on.
    XcsXmlNode& operator=(const XcsXmlNode& other);

    /// Identity: true when both wrap the same parser node, or both are null.
    bool operator==(const XcsXmlNode& other) const;
    /// Not the same node.
    bool operator!=(const XcsXmlNode& other) const;
    /// The wrapped parser node, or null.
    operator xercesc::DOMNode*() const;  // NOLINT(google-explicit-constructor)

    /// Lets go of the tree; the last holder frees it.
    virtual ~XcsXmlNode();
    /// The parent, or the null node.
    virtual XcsXmlNode getParentNode() const;
    /// The document node the node belongs to; the null document for a document node.
    virtual XcsXmlDocument getOwner() const;
    /// The next sibling, or the null node.
    virtual XcsXmlNode getNextSibling() const;
    /// The previous sibling, or the null node.
    virtual XcsXmlNode getPreviousSibling() const;
    /// The first child, or the null node.
    virtual XcsXmlNode getFirstChild() const;
    /// The last child, or the null node.
    virtual XcsXmlNode getLastChild() const;
    /// The children, as a live list.
    virtual XcsXmlNodeList getChildNodes() const;
    /// The DOM type code; TL_XML_DECLARATION_NODE for the XML declaration node.
    virtual short getNodeType() const;
    /// Puts the new child before the reference child, or last for a null reference; a node
    /// already in the tree moves. Gives the new child. Throws std::invalid_argument for a
    /// null new child, and the parser's DOMException: HIERARCHY_REQUEST_ERR for this node or
    /// one of its ancestors and a kind of node not allowed here, WRONG_DOCUMENT_ERR for a node
    /// of another document (XcsXmlDocument::importNode copies one), NOT_FOUND_ERR for a
    /// reference that is no child of this node.
    virtual XcsXmlNode insertBefore(const XcsXmlNode& newChild, const XcsXmlNode& refChild);
    /// Puts the new child last, as insertBefore does with a null reference.
    virtual XcsXmlNode appendChild(const XcsXmlNode& newChild);
    /// Takes the child out of this node and gives it; it stays readable and may be put back.
    /// Throws std::invalid_argument for a null child, and the parser's DOMException
    /// NOT_FOUND_ERR for a node that is no child of this one.
    virtual XcsXmlNode removeChild(const XcsXmlNode& oldChild);
    /// Whether this is the null node, which wraps no parser node.
    virtual bool isNull() const;
    /// True when the element has the attribute with a non-empty value; false for other nodes.
    virtual bool hasAttribute(const std::string& name) const;
    /// The wrapped parser node, or null; it lives as long as its tree.
    virtual xercesc::DOMNode* getTarget() const;
    /// Removes the element's attribute; does nothing for other nodes and a missing attribute.
    virtual void removeAttribute(const std::string& name);
    /// Adds or changes the element's attribute; does nothing for other nodes. A name the
    /// parser refuses throws its DOMException INVALID_CHARACTER_ERR.
    virtual void setAttribute(const std::string& name, const std::string& value);
    /// The value of the element's attribute; empty when it has none and for other nodes.
    virtual std::string getAttribute(const std::string& name) const;
    /// A text node's content; for every other node its name (an element's tag name,
    /// "#comment", "#cdata-section", an instruction's target, "#document"). getData gives the
    /// content of a CDATA section or a comment.
    virtual std::string getValue() const;
    /// Changes a text node's content; does nothing for other nodes.
    virtual void setValue(const std::string& value);
    /// A copy of the node in the same document, without a parent; a deep one copies the
    /// subtree, of any depth. A document node throws the parser's DOMException
    /// NOT_SUPPORTED_ERR.
    virtual XcsXmlNode cloneNode(bool deep);
    /// Descendant elements of this element by tag name ("*" for all), in document order, as
    /// a live list; throws std::exception on a non-element.
    virtual XcsXmlNodeList getElementsByTagName(const std::string& name);

    /// Where an element read from a file stood: the line (counted from 1, a CR LF being one
    /// line end) of the character that follows the '>' of its start tag, in the file or the
    /// external entity that held it. 0 for every other node, and for elements the program
    /// made, copied (cloneNode, importNode) or bound into a document.
    unsigned int getLineNumber() const;
    /// The column (counted from 1, as the parser counts them) of the character that follows
    /// the '>' of an element's start tag; 0 where getLineNumber is 0.
    unsigned int getColumnNumber() const;
    /// The file that getLineNumber counts in: for the document's own elements the path it was
    /// loaded by, as the caller gave it; for an element from an external entity the path of the
    /// entity's file, found from the folder of the file that declared it. Named as problem
    /// records name files; empty where getLineNumber is 0.
    std::string getSourceFile() const;

    /// The character data: the content of a text node, a CDATA section or a comment, an
    /// instruction's data (after its target; the XML declaration's pseudo-attributes). For an
    /// element its text and CDATA sections together, as a reader sees them: the data of its
    /// text and CDATA children in order, and of those an entity reference among them brings;
    /// child elements, comments and instructions take no part. Empty for every other node.
    std::string getData() const;
    /// Replaces the content of a text node, a CDATA section or a comment, or an instruction's
    /// data. Throws std::exception (the operation does not apply) for any other node, the XML
    /// declaration included. What a file cannot carry (a comment holding "--", an instruction
    /// holding "?>") is taken, and refused by a save.
    void setData(const std::string& data);

  protected:
    /// Wraps a node of a tree the library holds, sharing the given hold on it.
    XcsXmlNode(xercesc::DOMNode* node, const tovalin::detail::TreeRef& tree);
    /// The wrapped parser node; throws std::invalid_argument "null node" for the null node.
    xercesc::DOMNode* boundNode() const;
    /// This wrapper's hold on its tree; empty for a node of a tree the library does not hold.
    const tovalin::detail::TreeRef& treeRef() const { return tree; }

  private:
    friend struct tovalin::detail::Access;

    xercesc::DOMNode* node;
    tovalin::detail::TreeRef tree;
};

/// A live list of the parser: it follows later changes of the tree. Copies refer to the same
/// list; a list the library made keeps its tree alive.
class TOVALIN_API XcsXmlNodeList {
  public:
    /// Wraps a parser list; null gives an empty list. Its nodes find their tree themselves.
    XcsXmlNodeList(xercesc::DOMNodeList* list);  // NOLINT(google-explicit-constructor)
    /// Refers to the same list.
    XcsXmlNodeList(const XcsXmlNodeList& other);
    /// Refers to the other's list from now on.
    XcsXmlNodeList& operator=(const XcsXmlNodeList& other);
    /// Lets go of the tree; the last holder frees it.
    virtual ~XcsXmlNodeList();

    /// The number of nodes the list holds now.
    unsigned int getLength() const;
    /// The node at the index, or the null node at or past the end.
    XcsXmlNode item(unsigned int index) const;

  private:
    friend struct tovalin::detail::Access;
    XcsXmlNodeList(xercesc::DOMNodeList* list, const tovalin::detail::TreeRef& tree);

    xercesc::DOMNodeList* list;
    tovalin::detail::TreeRef tree;
};

/// The document node: the root of a tree, the maker of new nodes and the whole-document
/// search. Its members throw std::invalid_argument on the null document, as XcsXmlNode's do.
class TOVALIN_API XcsXmlDocument : public XcsXmlNode {
  public:
    /// Refers to the same document.
    XcsXmlDocument(const XcsXmlDocument& other);
    /// Refers to the other's document from now on.
    XcsXmlDocument& operator=(const XcsXmlDocument& other);
    using XcsXmlNode::operator==;
    /// Identity: true when both wrap the same parser document, or both are null.
    bool operator==(const XcsXmlDocument& other) const;

    /// Lets go of the tree; the last holder frees it.
    ~XcsXmlDocument() override;
    /// Every element of the document with the tag name ("*" for all), in document order, as a
    /// live list. Unlike XcsXmlNode::getElementsByTagName it works on the document node.
    XcsXmlNodeList getElementsByTagName(const std::string& name) override;

    /// A new element of the document, without a parent. A name the parser refuses throws its
    /// DOMException INVALID_CHARACTER_ERR.
    XcsXmlNode createElement(const std::string& tagName);
    /// A new text node of the document, without a parent.
    XcsXmlNode createTextNode(const std::string& text);
    /// A copy of a node of any document that belongs to this one, without a parent; a deep
    /// one copies the subtree, of any depth. Throws std::invalid_argument for a null source,
    /// and the parser's DOMException NOT_SUPPORTED_ERR for a document node.
    XcsXmlNode importNode(const XcsXmlNode& source, bool deep);
    /// The root element, or the null node.
    XcsXmlNode getDocumentElement();

  private:
    friend class XcsXmlNode;
    friend class XcsXmlDOMDocument;
    friend struct tovalin::detail::Access;
    XcsXmlDocument(xercesc::DOMDocument* document, const tovalin::detail::TreeRef& tree);

    xercesc::DOMDocument* parserDocument() const;
};

/// A caller's choice among the nodes an iterator visits: derive from it and override
/// acceptNode. A filter must outlive every iterator made with it, and their copies.
class TOVALIN_API XcsXmlFilter {
  public:
    /// A filter with its own link to the parser.
    XcsXmlFilter();
    /// A copy gets its own link to the parser; nothing else is taken over.
    XcsXmlFilter(const XcsXmlFilter& other);
    /// Changes nothing: each filter keeps its own link to the parser.
    XcsXmlFilter& operator=(const XcsXmlFilter& other);
    /// Drops the link to the parser; no iterator made with the filter may be used after.
    virtual ~XcsXmlFilter();
    /// A TL_FILTER_TYPE answer; for an iterator reject and skip both pass over the node alone,
    /// not its descendants. The base skips every node.
    virtual short acceptNode(const XcsXmlNode& node) const;

  private:
    friend class XcsXmlNodeIterator;
    XFilter* adapter;
};

/// Walks a node and its descendants in document order, showing the node types of the mask
/// (bit n-1 for type n; TL_SHOW_ALL for all) that the filter accepts. Copies share one walk:
/// moving one moves them all. The walk keeps its tree alive.
class TOVALIN_API XcsXmlNodeIterator {
  public:
    /// The root may be the document node, for a walk over the whole document; the filter
    /// may be null, and is not owned. A null root throws std::invalid_argument.
    XcsXmlNodeIterator(const XcsXmlNode& root, XcsXmlFilter* filter, unsigned long whatToShow);
    /// Shares the other's walk.
    XcsXmlNodeIterator(const XcsXmlNodeIterator& other);
    /// Shares the other's walk from now on.
    XcsXmlNodeIterator& operator=(const XcsXmlNodeIterator& other);
    /// Lets go of the walk; the last copy ends it.
    virtual ~XcsXmlNodeIterator();

    /// The mask of node types the walk shows.
    unsigned long getWhatToShow();
    /// The next node, or the null node past the last.
    XcsXmlNode nextNode();
    /// The previous node, or the null node before the first.
    XcsXmlNode previousNode();

  private:
    tovalin::detail::SharedIterator* iterator;
    XcsXmlFilter* filter;
};

#endif
