#include "data/xml_data.hpp"

#include <vector>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMNodeList.hpp>
#include <xercesc/dom/DOMText.hpp>

#include "text/code_page.hpp"

namespace tovalin::data {
namespace {

using xercesc::DOMNode;
using xercesc::DOMNodeList;

// Matches every element when read, but can name no new one.
bool namesNoElement(const std::string& tagName) { return tagName.empty() || tagName == "*"; }

DOMNodeList* elementsNamed(xercesc::DOMDocument* document, const text::XmlString& tagName) {
    return document->getElementsByTagName(tagName.c_str());
}

std::string valueOf(const DOMNode* element) {
    for (const DOMNode* child = element->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        if (child->getNodeType() == DOMNode::TEXT_NODE) return text::fromXml(child->getNodeValue());
    }
    return {};
}

bool isText(const DOMNode* node) {
    return node != nullptr && node->getNodeType() == DOMNode::TEXT_NODE;
}

// Puts a new element of the name holding the text into the parent, before the reference node.
void insertValue(xercesc::DOMDocument* document, DOMNode* parent, DOMNode* before,
                 const text::XmlString& tagName, DOMNode* text) {
    DOMNode* element = parent->insertBefore(document->createElement(tagName.c_str()), before);
    element->appendChild(text);
}

void overwriteFirst(xercesc::DOMDocument* document, DOMNode* first, const text::XmlString& value) {
    DOMNode* child = first->getFirstChild();
    if (isText(child)) {
        child->setNodeValue(value.c_str());
    } else {
        first->insertBefore(document->createTextNode(value.c_str()), child);
    }
}

void addAfterLast(xercesc::DOMDocument* document, DOMNodeList* elements,
                  const text::XmlString& tagName, const text::XmlString& value) {
    DOMNode* child = elements->item(0)->getFirstChild();
    if (isText(child) && *child->getNodeValue() == 0) {
        child->setNodeValue(value.c_str());
        return;
    }
    DOMNode* last = elements->item(elements->getLength() - 1);
    insertValue(document, last->getParentNode(), last->getNextSibling(), tagName,
                document->createTextNode(value.c_str()));
}

}  // namespace

std::string readValue(xercesc::DOMDocument* document, const std::string& tagName) {
    if (tagName.empty()) return {};
    const DOMNode* first = elementsNamed(document, text::toXml(tagName))->item(0);
    return first == nullptr ? std::string() : valueOf(first);
}

std::string readValues(xercesc::DOMDocument* document, const std::string& tagName,
                       std::list<std::string>& values) {
    if (tagName.empty()) return {};
    std::list<std::string> found;
    const DOMNodeList* elements = elementsNamed(document, text::toXml(tagName));
    for (XMLSize_t i = 0; const DOMNode* element = elements->item(i); ++i) {
        found.push_back(valueOf(element));
    }
    const std::string first = found.empty() ? std::string() : found.front();
    values.splice(values.end(), found);
    return first;
}

bool writeValue(xercesc::DOMDocument* document, const std::string& tagName,
                const std::string& value, bool overwrite) {
    if (namesNoElement(tagName)) return false;
    const text::XmlString name = text::toXml(tagName);
    DOMNodeList* elements = elementsNamed(document, name);
    if (elements->item(0) == nullptr) return false;
    const text::XmlString converted = text::toXml(value);
    if (overwrite) {
        overwriteFirst(document, elements->item(0), converted);
    } else {
        addAfterLast(document, elements, name, converted);
    }
    return true;
}

bool replaceValues(xercesc::DOMDocument* document, const std::string& tagName,
                   const std::list<std::string>& values) {
    if (namesNoElement(tagName)) return false;
    const text::XmlString name = text::toXml(tagName);
    DOMNodeList* elements = elementsNamed(document, name);
    // The first element tells; counting them all would walk the whole document.
    DOMNode* first = elements->item(0);
    if (first == nullptr) return false;
    // The document can hold one root element only.
    if (values.size() > 1 && first == document->getDocumentElement()) {
        throw xercesc::DOMException(xercesc::DOMException::HIERARCHY_REQUEST_ERR);
    }
    std::vector<DOMNode*> texts;
    for (const std::string& value : values) {
        texts.push_back(document->createTextNode(text::toXml(value).c_str()));
    }
    if (texts.empty()) texts.push_back(document->createTextNode(u""));

    DOMNode* parent = nullptr;
    DOMNode* before = nullptr;
    for (DOMNode* element = first; element != nullptr; element = elements->item(0)) {
        parent = element->getParentNode();
        before = element->getNextSibling();
        parent->removeChild(element);
    }
    for (DOMNode* text : texts) insertValue(document, parent, before, name, text);
    return true;
}

}  // namespace tovalin::data
