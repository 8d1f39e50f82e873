#include <vector>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/util/XMLString.hpp>

#include "data/element_text.hpp"
#include "tovalin/document.hpp"

namespace {

// Matches every element when read, but can name no new one.
bool namesNoElement(const std::string& tagName) { return tagName.empty() || tagName == "*"; }

// Puts a new element holding the text into the parent, before the reference node.
void insertValue(XcsXmlDocument& document, XcsXmlNode parent, const XcsXmlNode& before,
                 const std::string& tagName, const XcsXmlNode& text) {
    XcsXmlNode element = parent.insertBefore(document.createElement(tagName), before);
    element.appendChild(text);
}

void overwriteFirst(XcsXmlDocument& document, XcsXmlNode first, const std::string& value) {
    XcsXmlNode child = first.getFirstChild();
    if (!child.isNull() && child.getNodeType() == xercesc::DOMNode::TEXT_NODE) {
        child.setValue(value);
    } else {
        first.insertBefore(document.createTextNode(value), child);
    }
}

// Asked of the parser's text: a value the code page cannot show is a value all the same.
bool isEmptyText(const XcsXmlNode& node) {
    const xercesc::DOMNode* text = node;
    return text->getNodeType() == xercesc::DOMNode::TEXT_NODE &&
           xercesc::XMLString::stringLen(text->getNodeValue()) == 0;
}

void addAfterLast(XcsXmlDocument& document, const XcsXmlNodeList& elements,
                  const std::string& tagName, const std::string& value) {
    XcsXmlNode child = elements.item(0).getFirstChild();
    if (!child.isNull() && isEmptyText(child)) {
        child.setValue(value);
        return;
    }
    const XcsXmlNode last = elements.item(elements.getLength() - 1);
    insertValue(document, last.getParentNode(), last.getNextSibling(), tagName,
                document.createTextNode(value));
}

// The document can hold one root element only; refused before anything is removed.
void refuseSecondRoot(XcsXmlDocument& document, const XcsXmlNodeList& elements,
                      std::size_t entries) {
    if (entries > 1 && elements.item(0) == document.getDocumentElement()) {
        throw xercesc::DOMException(xercesc::DOMException::HIERARCHY_REQUEST_ERR);
    }
}

}  // namespace

bool XcsXmlDOMDocument::setXmlData(const std::string& tagName, const std::string& value,
                                   bool overwrite) {
    if (document->isNull() || namesNoElement(tagName)) return false;
    const XcsXmlNodeList elements = document->getElementsByTagName(tagName);
    if (elements.getLength() == 0) return false;
    if (overwrite) {
        overwriteFirst(*document, elements.item(0), value);
    } else {
        addAfterLast(*document, elements, tagName, value);
    }
    return true;
}

bool XcsXmlDOMDocument::setXmlData(const std::string& tagName, std::list<std::string>& values) {
    if (document->isNull() || namesNoElement(tagName)) return false;
    const XcsXmlNodeList elements = document->getElementsByTagName(tagName);
    // The first element tells; counting them all would walk the whole document.
    if (elements.item(0).isNull()) return false;
    refuseSecondRoot(*document, elements, values.size());
    // Every text is made before the tree changes, so a value that is no text in the code
    // page throws while the old elements are still in place.
    std::vector<XcsXmlNode> texts;
    for (const std::string& value : values) texts.push_back(document->createTextNode(value));
    if (texts.empty()) texts.push_back(document->createTextNode(std::string()));

    XcsXmlNode parent;
    XcsXmlNode before;
    for (XcsXmlNode element = elements.item(0); !element.isNull(); element = elements.item(0)) {
        parent = element.getParentNode();
        before = element.getNextSibling();
        parent.removeChild(element);
    }
    for (const XcsXmlNode& text : texts) insertValue(*document, parent, before, tagName, text);
    return true;
}
