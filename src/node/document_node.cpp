#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMText.hpp>

#include "node/access.hpp"
#include "node/deep_copy.hpp"
#include "node/tree.hpp"
#include "text/code_page.hpp"
#include "tovalin/node.hpp"

using tovalin::detail::Access;
using tovalin::detail::TagIndex;
using tovalin::detail::Tree;
using tovalin::detail::TreeRef;
using tovalin::text::toXml;

XcsXmlDocument::XcsXmlDocument(xercesc::DOMDocument* document, const TreeRef& shared)
    : XcsXmlNode(document, shared) {}

XcsXmlDocument::XcsXmlDocument(const XcsXmlDocument& other) = default;

XcsXmlDocument& XcsXmlDocument::operator=(const XcsXmlDocument& other) = default;

XcsXmlDocument::~XcsXmlDocument() = default;

bool XcsXmlDocument::operator==(const XcsXmlDocument& other) const {
    return getTarget() == other.getTarget();
}

xercesc::DOMDocument* XcsXmlDocument::parserDocument() const {
    return static_cast<xercesc::DOMDocument*>(boundNode());
}

XcsXmlNodeList XcsXmlDocument::getElementsByTagName(const std::string& name) {
    xercesc::DOMDocument* document = parserDocument();
    const tovalin::text::XmlString wanted = toXml(name);
    Tree* tree = treeRef().get();
    // A document the library does not hold has no index: the parser searches it.
    xercesc::DOMNodeList* found = tree != nullptr && tree->document == document
                                      ? TagIndex::of(*tree).list(wanted.c_str())
                                      : document->getElementsByTagName(wanted.c_str());
    return Access::list(found, treeRef());
}

XcsXmlNode XcsXmlDocument::createElement(const std::string& tagName) {
    return Access::node(parserDocument()->createElement(toXml(tagName).c_str()), treeRef());
}

XcsXmlNode XcsXmlDocument::createTextNode(const std::string& text) {
    return Access::node(parserDocument()->createTextNode(toXml(text).c_str()), treeRef());
}

XcsXmlNode XcsXmlDocument::importNode(const XcsXmlNode& source, bool deep) {
    xercesc::DOMDocument* into = parserDocument();
    const xercesc::DOMNode* copied = Access::bound(source);
    return Access::node(
        deep ? tovalin::detail::importDeep(into, copied) : into->importNode(copied, false),
        treeRef());
}

XcsXmlNode XcsXmlDocument::getDocumentElement() {
    return Access::node(parserDocument()->getDocumentElement(), treeRef());
}
