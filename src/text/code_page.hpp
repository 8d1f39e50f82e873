// Every conversion between the interface's narrow strings (process code page) and the
// parser's UTF-16 strings goes through here.
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

// Narrow to UTF-16. The bytes up to the first NUL take part. Bytes that are not text in
// the process code page throw the parser's TranscodingException instead of turning into
// substitution characters that would make the document unreadable once saved.
XmlString toXml(const std::string& narrow);

// UTF-16 to narrow. A null or empty text gives the empty string; characters the code page
// cannot represent become its substitution character.
std::string fromXml(const XMLCh* text);
std::string fromXml(const XMLCh* text, std::size_t length);

}  // namespace tovalin::text

#endif
