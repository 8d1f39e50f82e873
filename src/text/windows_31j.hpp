// Shift_JIS exactly as Windows code page 932 has it, under each of its names, for the
// parser's files and for the process code page alike.
#ifndef TOVALIN_TEXT_WINDOWS_31J_HPP
#define TOVALIN_TEXT_WINDOWS_31J_HPP

#include <xercesc/util/TransENameMap.hpp>
#include <xercesc/util/TransService.hpp>

namespace tovalin::text {

// Makes the parser's transcoding service give every name of Shift_JIS and Windows-31J the
// transcoder of code page 932. Called once, after the parser platform has started and before
// any parse or conversion.
void registerWindows31J();

// Whether the byte begins a two-byte character of code page 932.
inline bool isLeadByte(XMLByte byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Every name of Shift_JIS and Windows-31J, in upper case as the service looks them up.
constexpr const char16_t* codePage932Names[] = {
    u"SHIFT_JIS",   u"SHIFT-JIS",    u"MS_KANJI", u"CSSHIFTJIS", u"SJIS",        u"X-SJIS",
    u"WINDOWS-31J", u"CSWINDOWS31J", u"CP932",    u"MS932",      u"WINDOWS-932", u"X-MS-CP932"};

// Registers the transcoder class under each name; the service keeps the mappings, keys
// included.
template <class CodePage932Transcoder>
void registerUnderEveryName() {
    for (const char16_t* name : codePage932Names) {
        auto* mapping =
            new xercesc::ENameMapFor<CodePage932Transcoder>(reinterpret_cast<const XMLCh*>(name));
        xercesc::XMLTransService::addEncoding(mapping->getKey(), mapping);
    }
}

}  // namespace tovalin::text

#endif
