// Every conversion between the interface's narrow strings (process code page) and the
// parser's UTF-16 strings goes through here. A conversion either gives the text exactly or
// throws the parser's TranscodingException, and no other exception of the parser.
#ifndef TOVALIN_TEXT_CODE_PAGE_HPP
#define TOVALIN_TEXT_CODE_PAGE_HPP

#include <cstddef>
#include <string>

#include <xercesc/util/XercesDefs.hpp>

namespace tovalin::text {

using XmlString = std::basic_string<XMLCh>;

// The parser's text, or the empty text for its null.
inline XmlString orEmpty(const XMLCh* text) {
    return text == nullptr ? XmlString() : XmlString(text);
}

// Narrow to UTF-16. The bytes up to the first NUL take part. Bytes that are not text in the
// process code page (malformed or unfinished sequences, overlong UTF-8, encoded surrogates,
// sequences the code page leaves unassigned) throw instead of turning into substitution
// characters that would make the document unreadable once saved.
XmlString toXml(const std::string& narrow);

// UTF-16 to narrow. A null or empty text gives the empty string. A character the code page
// cannot represent so that it reads back as itself (no mapping, a one-way look-alike, an
// unpaired surrogate) throws: the value would change when written back.
std::string fromXml(const XMLCh* text);
std::string fromXml(const XMLCh* text, std::size_t length);

// For messages and the names in them, which must never fail: as fromXml, with each
// character the code page cannot hold shown as "<U+XXXX>".
std::string fromXmlForMessage(const XMLCh* text);
// A message of the library's own, written as a UTF-16 literal, in the process code page.
inline std::string messageText(const char16_t* text) {
    return fromXmlForMessage(reinterpret_cast<const XMLCh*>(text));
}

// The exceptions of a failed conversion.
[[noreturn]] void refuseBytes();
[[noreturn]] void refuseCharacter(unsigned long codePoint);

}  // namespace tovalin::text

#endif
