#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

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
    if (size <= 0) refuseBytes();
    XmlString wide(static_cast<std::size_t>(size), XMLCh(0));
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), length,
                        reinterpret_cast<wchar_t*>(wide.data()), size);
    return wide;
}

std::string fromXml(const XMLCh* text) {
    return text == nullptr ? std::string() : fromXml(text, xercesc::XMLString::stringLen(text));
}

namespace {

const wchar_t* wide(const XMLCh* text) { return reinterpret_cast<const wchar_t*>(text); }

// Without WC_NO_BEST_FIT_CHARS the system writes look-alikes (U+00A5 as a backslash, é as
// "e"); with it, a character that does not read back as itself becomes the default character,
// which is reported. A UTF-8 ANSI code page holds every character and takes neither flag nor
// report.
DWORD exactFlags() { return GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS; }

// The size of the text in the ANSI code page; 0 when a character does not read back as itself.
int exactSize(const XMLCh* text, std::size_t length) {
    const DWORD flags = exactFlags();
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide(text), static_cast<int>(length),
                                         nullptr, 0, nullptr, flags == 0 ? nullptr : &usedDefault);
    return usedDefault ? 0 : size;
}

[[noreturn]] void refuseFirstLacking(const XMLCh* text, std::size_t length) {
    std::size_t i = 0;
    std::size_t units = unitsOfCharacter(text, length);
    while (i + units < length && exactSize(text + i, units) > 0) {
        i += units;
        units = unitsOfCharacter(text + i, length - i);
    }
    refuseCharacter(codePointOf(text + i, units));
}

}  // namespace

std::string fromXml(const XMLCh* text, std::size_t length) {
    if (text == nullptr || length == 0) return {};
    const std::size_t unpaired = firstUnpairedSurrogate(text, length);
    if (unpaired != length) refuseCharacter(text[unpaired]);
    const int size = exactSize(text, length);
    if (size <= 0) refuseFirstLacking(text, length);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, exactFlags(), wide(text), static_cast<int>(length), narrow.data(),
                        size, nullptr, nullptr);
    return narrow;
}

}  // namespace tovalin::text
