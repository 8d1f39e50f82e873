#include "code_page_text.hpp"

#include <cstdio>
#include <stdexcept>

#include <xercesc/util/TranscodingException.hpp>

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

std::optional<std::string> CodePageText::exactly(const Utf16& text, std::string& shown) {
    try {
        return narrow(text);
    } catch (const xercesc::TranscodingException&) {
    }
    shown.clear();
    for (std::size_t at = 0; at < text.size();) {
        const bool pair = text[at] >= 0xD800 && text[at] < 0xDC00 && at + 1 < text.size();
        const Utf16 character = text.substr(at, pair ? 2 : 1);
        at += character.size();
        try {
            shown += narrow(character);
        } catch (const xercesc::TranscodingException&) {
            const unsigned long code =
                pair ? 0x10000 + ((character[0] - 0xD800UL) << 10) + (character[1] - 0xDC00UL)
                     : character[0];
            char written[16];
            std::snprintf(written, sizeof written, "<U+%04lX>", code);
            shown += written;
        }
    }
    return std::nullopt;
}

}  // namespace tool
