// A tree as one line of text, for comparing trees: every node below the given one in
// document order with its kind, name, value and attributes. The declaration node is left
// out, since it names the encoding of each file; non-ASCII characters show as numbers.
#ifndef TOVALIN_TESTS_SUPPORT_TREE_DUMP_HPP
#define TOVALIN_TESTS_SUPPORT_TREE_DUMP_HPP

#include <string>

#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/dom/DOMNode.hpp>

namespace testing_support {

inline void appendShown(std::string& shown, const XMLCh* text) {
    for (; text != nullptr && *text != 0; ++text) {
        shown +=
            *text < 0x80 ? std::string(1, static_cast<char>(*text)) : "\\u" + std::to_string(*text);
    }
}

inline std::string dumpTree(const xercesc::DOMNode* node) {
    std::string shown;
    for (const xercesc::DOMNode* c = node->getFirstChild(); c != nullptr; c = c->getNextSibling()) {
        if (std::u16string(c->getNodeName()) == u"xml") continue;
        shown += "[" + std::to_string(c->getNodeType());
        appendShown(shown, c->getNodeName());
        if (c->getNodeValue() != nullptr) {
            shown += "=";
            appendShown(shown, c->getNodeValue());
        }
        if (const xercesc::DOMNamedNodeMap* attributes = c->getAttributes()) {
            for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
                shown += " ";
                appendShown(shown, attributes->item(i)->getNodeName());
                shown += "=";
                appendShown(shown, attributes->item(i)->getNodeValue());
            }
        }
        shown += dumpTree(c) + "]";
    }
    return shown;
}

}  // namespace testing_support

#endif
