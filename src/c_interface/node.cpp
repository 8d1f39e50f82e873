// Node handles: navigation, editing, attributes and values.
#include <stdexcept>

#include "c_interface/boundary.hpp"

namespace tovalin::c_interface {

XcsXmlNode nodeOf(tovalin_node* handle) {
    return handle == nullptr ? XcsXmlNode() : live(handle).node;
}

XcsXmlDocument documentNodeOf(tovalin_node* handle) {
    if (handle == nullptr) throw std::invalid_argument("null node");
    const tovalin_node& node = live(handle);
    if (!node.document) throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "not the document node"};
    return *node.document;
}

tovalin_node* give(const XcsXmlNode& node) {
    return node.isNull() ? nullptr : registered(std::make_unique<tovalin_node>(node));
}

tovalin_node* give(const XcsXmlDocument& document) {
    return document.isNull() ? nullptr : registered(std::make_unique<tovalin_node>(document));
}

}  // namespace tovalin::c_interface

namespace {

using namespace tovalin::c_interface;

// The node one step away, or the null node.
tovalin_status navigate(tovalin_node* node, tovalin_node** found,
                        XcsXmlNode (XcsXmlNode::*step)() const) {
    return guarded([&] {
        tovalin_node*& out = result(found);
        out = give((nodeOf(node).*step)());
        return TOVALIN_OK;
    });
}

// The node's text that the member reads, in the caller's encoding.
tovalin_status readText(tovalin_node* node, char** text, std::string (XcsXmlNode::*read)() const) {
    return guarded([&] {
        char*& out = result(text);
        out = giveText((nodeOf(node).*read)());
        return TOVALIN_OK;
    });
}

// Replaces the node's text that the member writes.
tovalin_status writeText(tovalin_node* node, const char* text,
                         void (XcsXmlNode::*write)(const std::string&)) {
    return guarded([&] {
        (nodeOf(node).*write)(textArgument(text));
        return TOVALIN_OK;
    });
}

tovalin_status giveOptionally(tovalin_node** out, const XcsXmlNode& node) {
    if (out != nullptr) *out = give(node);
    return TOVALIN_OK;
}

}  // namespace

tovalin_status TOVALIN_CALL tovalin_node_copy(tovalin_node* node, tovalin_node** copy) {
    return guarded([&] {
        tovalin_node*& out = result(copy);
        if (node == nullptr) return TOVALIN_OK;
        const tovalin_node& source = live(node);
        out = source.document ? give(*source.document) : give(source.node);
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_is_same(tovalin_node* node, tovalin_node* other,
                                                 int* same) {
    return guarded([&] {
        int& out = result(same);
        out = nodeOf(node) == nodeOf(other) ? 1 : 0;
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_parent(tovalin_node* node, tovalin_node** parent) {
    return guarded([&] {
        tovalin_node*& out = result(parent);
        const XcsXmlNode child = nodeOf(node);
        const XcsXmlNode found = child.getParentNode();
        // The document node keeps its own wrapper, which only the child's owner can give.
        if (!found.isNull() && found.getNodeType() == TOVALIN_DOCUMENT_NODE) {
            out = give(child.getOwner());
        } else {
            out = give(found);
        }
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_owner(tovalin_node* node,
                                                   tovalin_node** document_node) {
    return guarded([&] {
        tovalin_node*& out = result(document_node);
        out = give(nodeOf(node).getOwner());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_next_sibling(tovalin_node* node,
                                                          tovalin_node** sibling) {
    return navigate(node, sibling, &XcsXmlNode::getNextSibling);
}

tovalin_status TOVALIN_CALL tovalin_node_get_previous_sibling(tovalin_node* node,
                                                              tovalin_node** sibling) {
    return navigate(node, sibling, &XcsXmlNode::getPreviousSibling);
}

tovalin_status TOVALIN_CALL tovalin_node_get_first_child(tovalin_node* node, tovalin_node** child) {
    return navigate(node, child, &XcsXmlNode::getFirstChild);
}

tovalin_status TOVALIN_CALL tovalin_node_get_last_child(tovalin_node* node, tovalin_node** child) {
    return navigate(node, child, &XcsXmlNode::getLastChild);
}

tovalin_status TOVALIN_CALL tovalin_node_get_child_nodes(tovalin_node* node,
                                                         tovalin_node_list** list) {
    return guarded([&] {
        tovalin_node_list*& out = result(list);
        out = give(nodeOf(node).getChildNodes());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_type(tovalin_node* node, int* type) {
    return guarded([&] {
        int& out = result(type);
        out = nodeOf(node).getNodeType();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_position(tovalin_node* node, unsigned int* line,
                                                      unsigned int* column) {
    return guarded([&] {
        unsigned int& lineOut = result(line);
        unsigned int& columnOut = result(column);
        const XcsXmlNode& element = nodeOf(node);
        lineOut = element.getLineNumber();
        columnOut = element.getColumnNumber();
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_source_file(tovalin_node* node, char** file) {
    return guarded([&] {
        char*& out = result(file);
        out = giveText(nodeOf(node).getSourceFile());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_insert_before(tovalin_node* node, tovalin_node* new_child,
                                                       tovalin_node* ref_child,
                                                       tovalin_node** inserted) {
    return guarded([&] {
        if (inserted != nullptr) *inserted = nullptr;
        return giveOptionally(inserted,
                              nodeOf(node).insertBefore(nodeOf(new_child), nodeOf(ref_child)));
    });
}

tovalin_status TOVALIN_CALL tovalin_node_append_child(tovalin_node* node, tovalin_node* new_child,
                                                      tovalin_node** appended) {
    return guarded([&] {
        if (appended != nullptr) *appended = nullptr;
        return giveOptionally(appended, nodeOf(node).appendChild(nodeOf(new_child)));
    });
}

tovalin_status TOVALIN_CALL tovalin_node_remove_child(tovalin_node* node, tovalin_node* old_child,
                                                      tovalin_node** removed) {
    return guarded([&] {
        if (removed != nullptr) *removed = nullptr;
        return giveOptionally(removed, nodeOf(node).removeChild(nodeOf(old_child)));
    });
}

tovalin_status TOVALIN_CALL tovalin_node_has_attribute(tovalin_node* node, const char* name,
                                                       int* has) {
    return guarded([&] {
        int& out = result(has);
        out = nodeOf(node).hasAttribute(textArgument(name)) ? 1 : 0;
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_attribute(tovalin_node* node, const char* name,
                                                       char** value) {
    return guarded([&] {
        char*& out = result(value);
        out = giveText(nodeOf(node).getAttribute(textArgument(name)));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_set_attribute(tovalin_node* node, const char* name,
                                                       const char* value) {
    return guarded([&] {
        nodeOf(node).setAttribute(textArgument(name), textArgument(value));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_remove_attribute(tovalin_node* node, const char* name) {
    return guarded([&] {
        nodeOf(node).removeAttribute(textArgument(name));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_value(tovalin_node* node, char** value) {
    return readText(node, value, &XcsXmlNode::getValue);
}

tovalin_status TOVALIN_CALL tovalin_node_set_value(tovalin_node* node, const char* value) {
    return writeText(node, value, &XcsXmlNode::setValue);
}

tovalin_status TOVALIN_CALL tovalin_node_get_data(tovalin_node* node, char** data) {
    return readText(node, data, &XcsXmlNode::getData);
}

tovalin_status TOVALIN_CALL tovalin_node_set_data(tovalin_node* node, const char* data) {
    return writeText(node, data, &XcsXmlNode::setData);
}

tovalin_status TOVALIN_CALL tovalin_node_clone(tovalin_node* node, int deep, tovalin_node** copy) {
    return guarded([&] {
        tovalin_node*& out = result(copy);
        out = give(nodeOf(node).cloneNode(deep != 0));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_node_get_elements_by_tag_name(tovalin_node* node,
                                                                  const char* name,
                                                                  tovalin_node_list** list) {
    return guarded([&] {
        tovalin_node_list*& out = result(list);
        out = give(nodeOf(node).getElementsByTagName(textArgument(name)));
        return TOVALIN_OK;
    });
}
