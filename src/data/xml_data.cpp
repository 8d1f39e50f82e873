#include "data/xml_data.hpp"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMText.hpp>
#include <xercesc/dom/impl/DOMCasts.hpp>

#include "text/code_page.hpp"

namespace tovalin::data {
namespace {

using detail::TagIndex;
using xercesc::DOMElement;
using xercesc::DOMNode;

// Matches every element when read, but can name no new one.
bool namesNoElement(const std::string& tagName) { return tagName.empty() || tagName == "*"; }

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

// Whether elements stand below the node: its children of their own, or those an entity
// reference brings.
bool holdsElements(const DOMNode* node) {
    for (const DOMNode* child = node->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        const DOMNode::NodeType type = child->getNodeType();
        if (type == DOMNode::ELEMENT_NODE || type == DOMNode::ENTITY_REFERENCE_NODE) return true;
    }
    return false;
}

bool inDocument(const DOMNode* node) {
    while (node->getParentNode() != nullptr) node = node->getParentNode();
    return node->getNodeType() == DOMNode::DOCUMENT_NODE;
}

bool withinAnotherOf(const DOMNode* element, const std::unordered_set<const DOMNode*>& elements) {
    for (const DOMNode* above = element->getParentNode(); above != nullptr;
         above = above->getParentNode()) {
        if (elements.count(above) != 0) return true;
    }
    return false;
}

// Throws the parser's NO_MODIFICATION_ALLOWED_ERR, before anything changes, when one of the
// elements cannot be taken out where it stands: its parent is read-only, as an entity
// reference node and all within it are. One inside another of them goes with that one.
void requireRemovable(const TagIndex::Elements& elements, bool nested) {
    std::unordered_set<const DOMNode*> all;
    if (nested) all.insert(elements.begin(), elements.end());
    for (const DOMNode* element : elements) {
        if (nested && withinAnotherOf(element, all)) continue;
        if (xercesc::castToNodeImpl(element->getParentNode())->isReadOnly()) {
            throw xercesc::DOMException(xercesc::DOMException::NO_MODIFICATION_ALLOWED_ERR);
        }
    }
}

// Puts a new element of the name holding the text into the parent, before the reference node.
DOMElement* insertValue(xercesc::DOMDocument* document, DOMNode* parent, DOMNode* before,
                        const text::XmlString& tagName, DOMNode* text) {
    DOMElement* element = document->createElement(tagName.c_str());
    parent->insertBefore(element, before);
    element->appendChild(text);
    return element;
}

void overwriteFirst(TagIndex& elements, DOMNode* first, const text::XmlString& value) {
    DOMNode* child = first->getFirstChild();
    if (isText(child)) {
        child->setNodeValue(value.c_str());
    } else {
        first->insertBefore(elements.document()->createTextNode(value.c_str()), child);
    }
    elements.keep();
}

void addAfterLast(TagIndex& elements, DOMNode* first, const text::XmlString& tagName,
                  const text::XmlString& value) {
    DOMNode* child = first->getFirstChild();
    if (isText(child) && *child->getNodeValue() == 0) {
        child->setNodeValue(value.c_str());
        return;
    }
    DOMNode* last = elements.item(tagName.c_str(), elements.count(tagName.c_str()) - 1);
    xercesc::DOMDocument* document = elements.document();
    elements.addedLast(insertValue(document, last->getParentNode(), last->getNextSibling(), tagName,
                                   document->createTextNode(value.c_str())));
}

}  // namespace

std::string readValue(TagIndex& elements, const std::string& tagName) {
    if (tagName.empty()) return {};
    const DOMNode* first = elements.item(text::toXml(tagName).c_str(), 0);
    return first == nullptr ? std::string() : valueOf(first);
}

std::string readValues(TagIndex& elements, const std::string& tagName,
                       std::list<std::string>& values) {
    if (tagName.empty()) return {};
    const text::XmlString name = text::toXml(tagName);
    std::list<std::string> found;
    for (std::size_t i = 0; const DOMNode* element = elements.item(name.c_str(), i); ++i) {
        found.push_back(valueOf(element));
    }
    const std::string first = found.empty() ? std::string() : found.front();
    values.splice(values.end(), found);
    return first;
}

bool writeValue(TagIndex& elements, const std::string& tagName, const std::string& value,
                bool overwrite) {
    if (namesNoElement(tagName)) return false;
    const text::XmlString name = text::toXml(tagName);
    DOMNode* first = elements.item(name.c_str(), 0);
    if (first == nullptr) return false;
    const text::XmlString converted = text::toXml(value);
    if (overwrite) {
        overwriteFirst(elements, first, converted);
    } else {
        addAfterLast(elements, first, name, converted);
    }
    return true;
}

bool replaceValues(TagIndex& elements, const std::string& tagName,
                   const std::list<std::string>& values) {
    if (namesNoElement(tagName)) return false;
    const text::XmlString name = text::toXml(tagName);
    xercesc::DOMDocument* document = elements.document();
    // The first element tells; counting them all would walk the whole document.
    DOMNode* first = elements.item(name.c_str(), 0);
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

    const TagIndex::Elements old = elements.all(name.c_str());
    const bool nested = std::any_of(old.begin(), old.end(), holdsElements);
    requireRemovable(old, nested);
    DOMNode* parent = nullptr;
    DOMNode* before = nullptr;
    for (DOMNode* element : old) {
        // One inside another of the name went with it.
        if (nested && !inDocument(element)) continue;
        parent = element->getParentNode();
        before = element->getNextSibling();
        parent->removeChild(element);
    }
    TagIndex::Elements made;
    for (DOMNode* text : texts) made.push_back(insertValue(document, parent, before, name, text));
    elements.replaced(name.c_str(), made, nested);
    return true;
}

}  // namespace tovalin::data
