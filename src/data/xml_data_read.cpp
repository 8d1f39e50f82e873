#include "data/element_text.hpp"
#include "tovalin/document.hpp"

namespace {

std::string valueOf(const XcsXmlNode& element) {
    const XcsXmlNode text = tovalin::firstTextChild(element);
    return text.isNull() ? std::string() : text.getValue();
}

}  // namespace

std::string XcsXmlDOMDocument::getXmlData(const std::string& tagName) {
    if (document->isNull() || tagName.empty()) return {};
    const XcsXmlNodeList elements = document->getElementsByTagName(tagName);
    const XcsXmlNode first = elements.item(0);
    return first.isNull() ? std::string() : valueOf(first);
}

std::string XcsXmlDOMDocument::getXmlData(const std::string& tagName,
                                          std::list<std::string>& values) {
    std::string firstValue;
    if (document->isNull() || tagName.empty()) return firstValue;
    const XcsXmlNodeList elements = document->getElementsByTagName(tagName);
    const unsigned int count = elements.getLength();
    for (unsigned int i = 0; i < count; ++i) {
        const XcsXmlNode element = elements.item(i);
        if (element.isNull()) continue;
        values.push_back(valueOf(element));
        if (i == 0) firstValue = values.back();
    }
    return firstValue;
}
