// The node side of the C++ interface over the C interface: nodes, node lists, the document
// node, iterators and filters, each a holder of one C handle.
#ifndef TOVALIN_OVER_C_NODE_HPP
#define TOVALIN_OVER_C_NODE_HPP

#include <cstddef>
#include <exception>
#include <memory>
#include <string>
#include <utility>

#include "tovalin/over_c/calls.hpp"

inline namespace tovalin_over_c {

enum TL_NODE_TYPE : short { TL_XML_DECLARATION_NODE = 13 };

enum TL_FILTER_TYPE : short { TL_FILTER_ACCEPT = 1, TL_FILTER_REJECT = 2, TL_FILTER_SKIP = 3 };

constexpr unsigned long TL_SHOW_ALL = 0xFFFFFFFFUL;

class XcsXmlNode {
  public:
    XcsXmlNode() noexcept : handle(nullptr) {}
    XcsXmlNode(const XcsXmlNode& other) : handle(copied(other.handle)) {}
    XcsXmlNode& operator=(const XcsXmlNode& other) {
        XcsXmlNode kept(other);
        std::swap(handle, kept.handle);
        return *this;
    }

    // Identity: true when both are the same node, or both null.
    bool operator==(const XcsXmlNode& other) const {
        int same = 0;
        tovalin::over_c::check(tovalin_node_is_same(handle, other.handle, &same));
        return same != 0;
    }
    bool operator!=(const XcsXmlNode& other) const { return !(*this == other); }

    virtual ~XcsXmlNode() { tovalin_release(handle); }
    virtual XcsXmlNode getParentNode() const { return step(tovalin_node_get_parent); }
    virtual XcsXmlDocument getOwner() const;
    virtual XcsXmlNode getNextSibling() const { return step(tovalin_node_get_next_sibling); }
    virtual XcsXmlNode getPreviousSibling() const {
        return step(tovalin_node_get_previous_sibling);
    }
    virtual XcsXmlNode getFirstChild() const { return step(tovalin_node_get_first_child); }
    virtual XcsXmlNode getLastChild() const { return step(tovalin_node_get_last_child); }
    virtual XcsXmlNodeList getChildNodes() const;
    virtual short getNodeType() const {
        int type = 0;
        tovalin::over_c::check(tovalin_node_get_type(handle, &type));
        return static_cast<short>(type);
    }
    unsigned int getLineNumber() const { return position().first; }
    unsigned int getColumnNumber() const { return position().second; }
    std::string getSourceFile() const {
        return tovalin::over_c::text(
            [&](char** file) { return tovalin_node_get_source_file(handle, file); });
    }
    std::string getData() const {
        return tovalin::over_c::text(
            [&](char** data) { return tovalin_node_get_data(handle, data); });
    }
    void setData(const std::string& data) {
        tovalin::over_c::check(tovalin_node_set_data(handle, data.c_str()));
    }
    virtual XcsXmlNode insertBefore(const XcsXmlNode& newChild, const XcsXmlNode& refChild) {
        tovalin_node* inserted = nullptr;
        tovalin::over_c::check(
            tovalin_node_insert_before(handle, newChild.handle, refChild.handle, &inserted));
        return XcsXmlNode(inserted);
    }
    virtual XcsXmlNode appendChild(const XcsXmlNode& newChild) {
        tovalin_node* appended = nullptr;
        tovalin::over_c::check(tovalin_node_append_child(handle, newChild.handle, &appended));
        return XcsXmlNode(appended);
    }
    virtual XcsXmlNode removeChild(const XcsXmlNode& oldChild) {
        tovalin_node* removed = nullptr;
        tovalin::over_c::check(tovalin_node_remove_child(handle, oldChild.handle, &removed));
        return XcsXmlNode(removed);
    }
    virtual bool isNull() const { return handle == nullptr; }
    virtual bool hasAttribute(const std::string& name) const {
        int has = 0;
        tovalin::over_c::check(tovalin_node_has_attribute(handle, name.c_str(), &has));
        return has != 0;
    }
    virtual void removeAttribute(const std::string& name) {
        tovalin::over_c::check(tovalin_node_remove_attribute(handle, name.c_str()));
    }
    virtual void setAttribute(const std::string& name, const std::string& value) {
        tovalin::over_c::check(tovalin_node_set_attribute(handle, name.c_str(), value.c_str()));
    }
    virtual std::string getAttribute(const std::string& name) const {
        return tovalin::over_c::text(
            [&](char** value) { return tovalin_node_get_attribute(handle, name.c_str(), value); });
    }
    virtual std::string getValue() const {
        return tovalin::over_c::text(
            [&](char** value) { return tovalin_node_get_value(handle, value); });
    }
    virtual void setValue(const std::string& value) {
        tovalin::over_c::check(tovalin_node_set_value(handle, value.c_str()));
    }
    virtual XcsXmlNode cloneNode(bool deep) {
        tovalin_node* copy = nullptr;
        tovalin::over_c::check(tovalin_node_clone(handle, deep ? 1 : 0, &copy));
        return XcsXmlNode(copy);
    }
    virtual XcsXmlNodeList getElementsByTagName(const std::string& name);

  protected:
    explicit XcsXmlNode(tovalin_node* adopted) noexcept : handle(adopted) {}

  private:
    friend struct tovalin::over_c::Access;

    std::pair<unsigned int, unsigned int> position() const {
        std::pair<unsigned int, unsigned int> at{0, 0};
        if (handle != nullptr) {
            tovalin::over_c::check(tovalin_node_get_position(handle, &at.first, &at.second));
        }
        return at;
    }

    static tovalin_node* copied(tovalin_node* node) {
        tovalin_node* copy = nullptr;
        if (node != nullptr) tovalin::over_c::check(tovalin_node_copy(node, &copy));
        return copy;
    }
    XcsXmlNode step(tovalin_status(TOVALIN_CALL* move)(tovalin_node*, tovalin_node**)) const {
        tovalin_node* found = nullptr;
        tovalin::over_c::check(move(handle, &found));
        return XcsXmlNode(found);
    }

    tovalin_node* handle;
};

// A live list: it follows later changes of the tree.
class XcsXmlNodeList {
  public:
    // The empty list, which the library's own interface makes from the parser's null list.
    XcsXmlNodeList(std::nullptr_t) noexcept
        : handle(nullptr) {}  // NOLINT(google-explicit-constructor)
    XcsXmlNodeList(const XcsXmlNodeList& other) : handle(copied(other.handle)) {}
    XcsXmlNodeList& operator=(const XcsXmlNodeList& other) {
        XcsXmlNodeList kept(other);
        std::swap(handle, kept.handle);
        return *this;
    }
    virtual ~XcsXmlNodeList() { tovalin_release(handle); }

    unsigned int getLength() const {
        unsigned int length = 0;
        if (handle != nullptr)
            tovalin::over_c::check(tovalin_node_list_get_length(handle, &length));
        return length;
    }
    // The node at the index, or the null node at or past the end.
    XcsXmlNode item(unsigned int index) const {
        tovalin_node* found = nullptr;
        if (handle != nullptr)
            tovalin::over_c::check(tovalin_node_list_item(handle, index, &found));
        return tovalin::over_c::Access::node(found);
    }

  private:
    friend struct tovalin::over_c::Access;
    explicit XcsXmlNodeList(tovalin_node_list* adopted) noexcept : handle(adopted) {}

    static tovalin_node_list* copied(tovalin_node_list* list) {
        tovalin_node_list* copy = nullptr;
        if (list != nullptr) tovalin::over_c::check(tovalin_node_list_copy(list, &copy));
        return copy;
    }

    tovalin_node_list* handle;
};

// The document node: the root of a tree, the maker of new nodes and the whole-document search.
class XcsXmlDocument : public XcsXmlNode {
  public:
    XcsXmlDocument(const XcsXmlDocument& other) = default;
    XcsXmlDocument& operator=(const XcsXmlDocument& other) = default;
    using XcsXmlNode::operator==;
    bool operator==(const XcsXmlDocument& other) const { return XcsXmlNode::operator==(other); }

    ~XcsXmlDocument() override = default;
    // Every element of the document with the tag name, in document order.
    XcsXmlNodeList getElementsByTagName(const std::string& name) override {
        tovalin_node_list* found = nullptr;
        tovalin::over_c::check(tovalin_document_node_get_elements_by_tag_name(
            tovalin::over_c::Access::handle(*this), name.c_str(), &found));
        return tovalin::over_c::Access::list(found);
    }

    XcsXmlNode createElement(const std::string& tagName) {
        return made(tovalin_document_node_create_element, tagName);
    }
    XcsXmlNode createTextNode(const std::string& text) {
        return made(tovalin_document_node_create_text_node, text);
    }
    XcsXmlNode importNode(const XcsXmlNode& source, bool deep) {
        tovalin_node* copy = nullptr;
        tovalin::over_c::check(tovalin_document_node_import_node(
            tovalin::over_c::Access::handle(*this), tovalin::over_c::Access::handle(source),
            deep ? 1 : 0, &copy));
        return tovalin::over_c::Access::node(copy);
    }
    XcsXmlNode getDocumentElement() {
        tovalin_node* element = nullptr;
        tovalin::over_c::check(tovalin_document_node_get_document_element(
            tovalin::over_c::Access::handle(*this), &element));
        return tovalin::over_c::Access::node(element);
    }

  private:
    friend struct tovalin::over_c::Access;
    explicit XcsXmlDocument(tovalin_node* adopted) noexcept : XcsXmlNode(adopted) {}

    XcsXmlNode made(tovalin_status(TOVALIN_CALL* make)(tovalin_node*, const char*, tovalin_node**),
                    const std::string& text) {
        tovalin_node* node = nullptr;
        tovalin::over_c::check(make(tovalin::over_c::Access::handle(*this), text.c_str(), &node));
        return tovalin::over_c::Access::node(node);
    }
};

inline XcsXmlDocument XcsXmlNode::getOwner() const {
    tovalin_node* owner = nullptr;
    tovalin::over_c::check(tovalin_node_get_owner(handle, &owner));
    return tovalin::over_c::Access::document(owner);
}

inline XcsXmlNodeList XcsXmlNode::getChildNodes() const {
    tovalin_node_list* children = nullptr;
    tovalin::over_c::check(tovalin_node_get_child_nodes(handle, &children));
    return tovalin::over_c::Access::list(children);
}

inline XcsXmlNodeList XcsXmlNode::getElementsByTagName(const std::string& name) {
    tovalin_node_list* found = nullptr;
    tovalin::over_c::check(tovalin_node_get_elements_by_tag_name(handle, name.c_str(), &found));
    return tovalin::over_c::Access::list(found);
}

}  // namespace tovalin_over_c

namespace tovalin::over_c {

inline tovalin_node* Access::handle(const XcsXmlNode& node) { return node.handle; }
inline XcsXmlNode Access::node(tovalin_node* adopted) { return XcsXmlNode(adopted); }
inline XcsXmlDocument Access::document(tovalin_node* adopted) { return XcsXmlDocument(adopted); }
inline XcsXmlNodeList Access::list(tovalin_node_list* adopted) { return XcsXmlNodeList(adopted); }

}  // namespace tovalin::over_c

inline namespace tovalin_over_c {

// A caller's choice among the nodes an iterator visits: derive from it and override
// acceptNode. A filter must outlive every iterator made with it, and their copies.
class XcsXmlFilter {
  public:
    XcsXmlFilter() = default;
    XcsXmlFilter(const XcsXmlFilter& other) = default;
    XcsXmlFilter& operator=(const XcsXmlFilter& other) = default;
    virtual ~XcsXmlFilter() = default;
    // A TL_FILTER_TYPE answer; reject and skip both pass over the node alone. The base skips
    // every node.
    virtual short acceptNode(const XcsXmlNode& /*node*/) const { return TL_FILTER_SKIP; }
};

// Walks a node and its descendants in document order. Copies share one walk. An exception
// that the filter throws leaves the call that asked it.
class XcsXmlNodeIterator {
  public:
    XcsXmlNodeIterator(const XcsXmlNode& root, XcsXmlFilter* filter, unsigned long whatToShow)
        : asking(std::make_shared<Asking>(filter)), handle(nullptr) {
        tovalin::over_c::check(tovalin_iterator_create(tovalin::over_c::Access::handle(root),
                                                       filter == nullptr ? nullptr : &ask,
                                                       asking.get(), whatToShow, &handle));
    }
    XcsXmlNodeIterator(const XcsXmlNodeIterator& other)
        : asking(other.asking), handle(copied(other.handle)) {}
    XcsXmlNodeIterator& operator=(const XcsXmlNodeIterator& other) {
        XcsXmlNodeIterator kept(other);
        std::swap(asking, kept.asking);
        std::swap(handle, kept.handle);
        return *this;
    }
    virtual ~XcsXmlNodeIterator() { tovalin_release(handle); }

    unsigned long getWhatToShow() {
        unsigned long shown = 0;
        tovalin::over_c::check(tovalin_iterator_get_what_to_show(handle, &shown));
        return shown;
    }
    XcsXmlNode nextNode() { return walked(tovalin_iterator_next); }
    XcsXmlNode previousNode() { return walked(tovalin_iterator_previous); }

  private:
    // The filter, and what it threw, which waits here while the walk stops.
    struct Asking {
        explicit Asking(XcsXmlFilter* filter) : filter(filter) {}
        XcsXmlFilter* filter;
        std::exception_ptr thrown;
    };

    static int TOVALIN_CALL ask(tovalin_node* node, void* context) noexcept {
        auto* asking = static_cast<Asking*>(context);
        try {
            tovalin_node* copy = nullptr;
            tovalin::over_c::check(tovalin_node_copy(node, &copy));
            return asking->filter->acceptNode(tovalin::over_c::Access::node(copy));
        } catch (...) {
            asking->thrown = std::current_exception();
            return TOVALIN_FILTER_STOP;
        }
    }

    static tovalin_iterator* copied(tovalin_iterator* iterator) {
        tovalin_iterator* copy = nullptr;
        tovalin::over_c::check(tovalin_iterator_copy(iterator, &copy));
        return copy;
    }

    XcsXmlNode walked(tovalin_status(TOVALIN_CALL* move)(tovalin_iterator*, tovalin_node**)) {
        tovalin_node* found = nullptr;
        const tovalin_status status = move(handle, &found);
        if (status == TOVALIN_E_CALLBACK && asking->thrown) {
            std::rethrow_exception(std::exchange(asking->thrown, nullptr));
        }
        tovalin::over_c::check(status);
        return tovalin::over_c::Access::node(found);
    }

    std::shared_ptr<Asking> asking;
    tovalin_iterator* handle;
};

}  // namespace tovalin_over_c

#endif
