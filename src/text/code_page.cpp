#include "text/code_page.hpp"

#include <cstdio>

#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLString.hpp>

#include "platform/platform.hpp"
#include "text/surrogates.hpp"

namespace tovalin::text {
namespace {

std::string notation(unsigned long codePoint) {
    char shown[16];
    std::snprintf(shown, sizeof shown, "<U+%04lX>", codePoint);
    return shown;
}

}  // namespace

void refuseBytes() {
    throw xercesc::TranscodingException(__FILE__, __LINE__, xercesc::XMLExcepts::Trans_BadSrcSeq);
}

void refuseCharacter(unsigned long codePoint) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%lX", codePoint);
    const XmlString hexText(hex, hex + std::char_traits<char>::length(hex));
    const std::string codeSet = platform::processCodeSet();
    const XmlString codeSetText(codeSet.begin(), codeSet.end());
    throw xercesc::TranscodingException(__FILE__, __LINE__,
                                        xercesc::XMLExcepts::Trans_Unrepresentable, hexText.c_str(),
                                        codeSetText.c_str());
}

std::string fromXmlForMessage(const XMLCh* text) {
    try {
        return fromXml(text);
    } catch (const xercesc::XMLException&) {
        // Character by character, to show the ones the code page lacks.
    }
    std::string shown;
    const std::size_t length = xercesc::XMLString::stringLen(text);
    for (std::size_t i = 0; i < length;) {
        const std::size_t units = unitsOfCharacter(text + i, length - i);
        try {
            shown += fromXml(text + i, units);
        } catch (const xercesc::XMLException&) {
            shown += notation(codePointOf(text + i, units));
        }
        i += units;
    }
    return shown;
}

}  // namespace tovalin::text
