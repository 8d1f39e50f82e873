#include <stdexcept>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMException.hpp>

#include "node/access.hpp"
#include "node/character_data.hpp"
#include "node/declaration.hpp"
#include "node/deep_copy.hpp"
#include "node/parent_of.hpp"
#include "node/tree.hpp"
#include "text/code_page.hpp"
#include "tovalin/node.hpp"

namespace {

// The parser checks for a cycle only from the parent's parent up, so it takes a node as
// its own child, and the node and its subtree leave the document. A node without children
// is no ancestor of anything, which spares the walk up from a deep parent.
void refuseOwnAncestor(const xercesc::DOMNode* parent, const xercesc::DOMNode* child) {
    if (child != parent && !child->hasChildNodes()) return;
    for (const xercesc::DOMNode* above = parent; above != nullptr; above = above->getParentNode()) {
        if (above == child) {
            throw xercesc::DOMException(xercesc::DOMException::HIERARCHY_REQUEST_ERR);
        }
    }
}

const tovalin::detail::SourcePosition* sourcePosition(const tovalin::detail::Tree* owner,
                                                      const xercesc::DOMNode* node) {
    return owner == nullptr ? nullptr : owner->positionOf(node);
}

}  // namespace

using tovalin::detail::Access;
using tovalin::detail::Tree;
using tovalin::detail::TreeRef;
using tovalin::text::fromXml;
using tovalin::text::toXml;

XcsXmlNode::XcsXmlNode() : node(nullptr) {}

XcsXmlNode::XcsXmlNode(xercesc::DOMNode* wrapped) : node(wrapped), tree(Tree::of(wrapped)) {}

XcsXmlNode::XcsXmlNode(xercesc::DOMNode* wrapped, const TreeRef& shared)
    : node(wrapped), tree(shared) {}

XcsXmlNode::XcsXmlNode(const XcsXmlNode& other) = default;

XcsXmlNode& XcsXmlNode::operator=(const XcsXmlNode& other) = default;

XcsXmlNode::~XcsXmlNode() = default;

bool XcsXmlNode::operator==(const XcsXmlNode& other) const { return node == other.node; }

bool XcsXmlNode::operator!=(const XcsXmlNode& other) const { return node != other.node; }

XcsXmlNode::operator xercesc::DOMNode*() const { return node; }

xercesc::DOMNode* XcsXmlNode::boundNode() const {
    if (node == nullptr) throw std::invalid_argument("null node");
    return node;
}

XcsXmlNode XcsXmlNode::getParentNode() const {
    return {tovalin::detail::parentOf(boundNode()), tree};
}

XcsXmlDocument XcsXmlNode::getOwner() const { return {boundNode()->getOwnerDocument(), tree}; }

XcsXmlNode XcsXmlNode::getNextSibling() const { return {boundNode()->getNextSibling(), tree}; }

XcsXmlNode XcsXmlNode::getPreviousSibling() const {
    return {boundNode()->getPreviousSibling(), tree};
}

XcsXmlNode XcsXmlNode::getFirstChild() const { return {boundNode()->getFirstChild(), tree}; }

XcsXmlNode XcsXmlNode::getLastChild() const { return {boundNode()->getLastChild(), tree}; }

XcsXmlNodeList XcsXmlNode::getChildNodes() const {
    return Access::list(boundNode()->getChildNodes(), tree);
}

short XcsXmlNode::getNodeType() const {
    const xercesc::DOMNode* bound = boundNode();
    const auto type = static_cast<short>(bound->getNodeType());
    const bool declaration = type == xercesc::DOMNode::PROCESSING_INSTRUCTION_NODE &&
                             tovalin::declaration::isDeclaration(bound);
    return declaration ? tovalin::declaration::nodeType : type;
}

XcsXmlNode XcsXmlNode::insertBefore(const XcsXmlNode& newChild, const XcsXmlNode& refChild) {
    xercesc::DOMNode* child = Access::bound(newChild);
    refuseOwnAncestor(boundNode(), child);
    return {node->insertBefore(child, refChild.getTarget()), tree};
}

XcsXmlNode XcsXmlNode::appendChild(const XcsXmlNode& newChild) {
    xercesc::DOMNode* child = Access::bound(newChild);
    refuseOwnAncestor(boundNode(), child);
    return {node->appendChild(child), tree};
}

XcsXmlNode XcsXmlNode::removeChild(const XcsXmlNode& oldChild) {
    return {boundNode()->removeChild(Access::bound(oldChild)), tree};
}

bool XcsXmlNode::isNull() const { return node == nullptr; }

xercesc::DOMNode* XcsXmlNode::getTarget() const { return node; }

bool XcsXmlNode::hasAttribute(const std::string& name) const { return !getAttribute(name).empty(); }

std::string XcsXmlNode::getAttribute(const std::string& name) const {
    if (getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return {};
    return fromXml(static_cast<xercesc::DOMElement*>(node)->getAttribute(toXml(name).c_str()));
}

void XcsXmlNode::setAttribute(const std::string& name, const std::string& value) {
    if (getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return;
    static_cast<xercesc::DOMElement*>(node)->setAttribute(toXml(name).c_str(),
                                                          toXml(value).c_str());
}

void XcsXmlNode::removeAttribute(const std::string& name) {
    if (getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return;
    static_cast<xercesc::DOMElement*>(node)->removeAttribute(toXml(name).c_str());
}

std::string XcsXmlNode::getValue() const {
    const xercesc::DOMNode* bound = boundNode();
    if (bound->getNodeType() == xercesc::DOMNode::TEXT_NODE) return fromXml(bound->getNodeValue());
    return fromXml(bound->getNodeName());
}

void XcsXmlNode::setValue(const std::string& value) {
    if (getNodeType() != xercesc::DOMNode::TEXT_NODE) return;
    node->setNodeValue(toXml(value).c_str());
}

std::string XcsXmlNode::getData() const {
    return fromXml(tovalin::character_data::of(boundNode()).c_str());
}

void XcsXmlNode::setData(const std::string& data) {
    if (!tovalin::character_data::isReplaceable(boundNode())) throw std::exception();
    node->setNodeValue(toXml(data).c_str());
}

XcsXmlNode XcsXmlNode::cloneNode(bool deep) {
    const xercesc::DOMNode* source = boundNode();
    // Its copy would be a parser document of its own that no tree holds.
    if (source->getNodeType() == xercesc::DOMNode::DOCUMENT_NODE) {
        throw xercesc::DOMException(xercesc::DOMException::NOT_SUPPORTED_ERR);
    }
    return {deep ? tovalin::detail::cloneDeep(source) : source->cloneNode(false), tree};
}

XcsXmlNodeList XcsXmlNode::getElementsByTagName(const std::string& name) {
    if (getNodeType() != xercesc::DOMNode::ELEMENT_NODE) throw std::exception();
    auto* element = static_cast<xercesc::DOMElement*>(node);
    return Access::list(element->getElementsByTagName(toXml(name).c_str()), tree);
}

unsigned int XcsXmlNode::getLineNumber() const {
    const tovalin::detail::SourcePosition* position = sourcePosition(tree.get(), node);
    return position == nullptr ? 0 : position->line;
}

unsigned int XcsXmlNode::getColumnNumber() const {
    const tovalin::detail::SourcePosition* position = sourcePosition(tree.get(), node);
    return position == nullptr ? 0 : position->column;
}

std::string XcsXmlNode::getSourceFile() const {
    const std::string* file = tree.get() == nullptr ? nullptr : tree.get()->sourceFileOf(node);
    return file == nullptr ? std::string() : *file;
}
