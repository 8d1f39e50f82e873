#include "code_page_text.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMText.hpp>

namespace tool {
namespace {

// Converts the text between its NULs, which a node's text would end at, and keeps the NULs.
template <class To, class From, class Convert>
To piecewise(const From& text, Convert convert) {
    To result;
    for (typename From::size_type start = 0;;) {
        const typename From::size_type end = text.find(typename From::value_type(), start);
        result += convert(text.substr(start, end - start));
        if (end == From::npos) return result;
        result += typename To::value_type();
        start = end + 1;
    }
}

}  // namespace

CodePageText::CodePageText() : object(XmlDocumentFactory::createDocument()) {
    if (!object) throw std::runtime_error("the XML parser could not start");
    XcsXmlDocument& document = object->createDocument("text");
    node = document.getDocumentElement().appendChild(document.createTextNode(""));
}

std::string CodePageText::narrow(const Utf16& text) {
    return piecewise<std::string>(text, [this](const Utf16& piece) {
        static_cast<xercesc::DOMText*>(node.getTarget())->setData(piece.c_str());
        return node.getValue();
    });
}

Utf16 CodePageText::wide(const std::string& text) {
    return piecewise<Utf16>(text, [this](const std::string& piece) {
        node.setValue(piece);
        return Utf16(node.getTarget()->getNodeValue());
    });
}

}  // namespace tool
