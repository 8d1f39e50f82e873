// Creates a document, edits it through the node layer, prints the tree, then walks it with
// an iterator and a filter that picks the elements holding an id.
#include <clocale>
#include <iostream>
#include <memory>
#include <string>

#include "tovalin/tovalin.hpp"

namespace {

void print(const XcsXmlNode& node, int depth) {
    const std::string indent(2 * depth, ' ');
    if (node.getNodeType() == xercesc::DOMNode::TEXT_NODE) {
        std::cout << indent << '"' << node.getValue() << "\"\n";
        return;
    }
    std::cout << indent << node.getValue();
    for (const char* attribute : {"id", "unit"}) {
        if (node.hasAttribute(attribute)) {
            std::cout << ' ' << attribute << '=' << node.getAttribute(attribute);
        }
    }
    std::cout << '\n';
    for (XcsXmlNode child = node.getFirstChild(); !child.isNull(); child = child.getNextSibling()) {
        print(child, depth + 1);
    }
}

// Accepts the elements that have an id attribute; the iterator passes over every other node.
class WithId : public XcsXmlFilter {
  public:
    short acceptNode(const XcsXmlNode& node) const override {
        return node.hasAttribute("id") ? TL_FILTER_ACCEPT : TL_FILTER_SKIP;
    }
};

}  // namespace

int main() {
    std::setlocale(LC_ALL, "");
    std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
    if (!object) {
        std::cerr << "the library could not start its parser\n";
        return 1;
    }
    XcsXmlDocument& document = object->createDocument("inventory");
    XcsXmlNode root = document.getDocumentElement();
    for (const char* id : {"A-1", "B-2"}) {
        XcsXmlNode item = root.appendChild(document.createElement("item"));
        item.setAttribute("id", id);
        item.appendChild(document.createTextNode(std::string("part ") + id));
    }
    XcsXmlNode weight = root.appendChild(document.createElement("weight"));
    weight.setAttribute("unit", "kg");
    weight.appendChild(document.createTextNode("12"));

    XcsXmlNode second = document.getElementsByTagName("item").item(1);
    second.getFirstChild().setValue("part B-2 (revised)");
    root.removeChild(root.getFirstChild());

    print(document, 0);

    WithId withId;
    const unsigned long elementsOnly = 1UL << (xercesc::DOMNode::ELEMENT_NODE - 1);
    XcsXmlNodeIterator walk(document, &withId, elementsOnly);
    for (XcsXmlNode node = walk.nextNode(); !node.isNull(); node = walk.nextNode()) {
        std::cout << "with id: " << node.getAttribute("id") << '\n';
    }
    return 0;
}
