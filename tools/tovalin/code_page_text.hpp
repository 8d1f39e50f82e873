// Texts between the terminal's code page and UTF-16, converted by a text node of the library,
// so that the program's own texts come out exactly as the values it reads from documents do,
// in every code page the library serves, with no conversion tables of its own.
#ifndef TOVALIN_TOOL_CODE_PAGE_TEXT_HPP
#define TOVALIN_TOOL_CODE_PAGE_TEXT_HPP

#include <memory>
#include <optional>
#include <string>

#include "tovalin/document.hpp"

namespace tool {

using Utf16 = std::u16string;

// One object per thread. Every conversion throws the parser's TranscodingException for a
// text the other side cannot hold.
class CodePageText {
  public:
    // Throws std::runtime_error when the library did not start.
    CodePageText();
    std::string narrow(const Utf16& text);
    Utf16 wide(const std::string& text);
    // The text in the code page; nothing when the code page cannot hold it, and then shown
    // has the text with each character the code page lacks written as <U+XXXX>.
    std::optional<std::string> exactly(const Utf16& text, std::string& shown);

  private:
    std::unique_ptr<XcsXmlDOMDocument> object;
    XcsXmlNode node;
};

}  // namespace tool

#endif
