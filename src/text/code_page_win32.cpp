#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLString.hpp>

#include "text/code_page.hpp"
#include "text/surrogates.hpp"

// On Windows the process code page is the ANSI code page, and the system converts.
namespace tovalin::text {

XmlString toXml(const std::string& narrow) {
    const int length = static_cast<int>(std::strlen(narrow.c_str()));
    if (length == 0) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), length, nullptr, 0);
    if (size <= 0) {
        throw xercesc::TranscodingException(__FILE__, __LINE__,
                                            xercesc::XMLExcepts::Trans_BadSrcSeq);
    }
    XmlString wide(static_cast<std::size_t>(size), XMLCh(0));
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), length,
                        reinterpret_cast<wchar_t*>(wide.data()), size);
    return wide;
}

std::string fromXml(const XMLCh* text) {
    return text == nullptr ? std::string() : fromXml(text, xercesc::XMLString::stringLen(text));
}

std::string fromXml(const XMLCh* text, std::size_t length) {
    if (text == nullptr || length == 0) return {};
    const XmlString cleaned = pairedSurrogatesOnly(text, length);
    const auto* wide = reinterpret_cast<const wchar_t*>(cleaned.data());
    const int count = static_cast<int>(cleaned.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, count, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide, count, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

}  // namespace tovalin::text
