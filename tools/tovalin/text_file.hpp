// A text file stored in an encoding of its own, read in the terminal's code page.
#ifndef TOVALIN_TOOL_TEXT_FILE_HPP
#define TOVALIN_TOOL_TEXT_FILE_HPP

#include <string>

namespace tool {

// The file's text, stored in the encoding (shift_jis, utf-8 or utf-16 in any case; without a
// byte-order mark UTF-16 is little-endian, as Windows writes it), without its byte-order mark
// and in the terminal's code page. Another encoding is a usage error; bytes that are no text
// in the encoding fail with std::runtime_error naming the file, and a character the terminal's
// code page cannot show with the parser's TranscodingException.
std::string readTextIn(const std::string& path, const std::string& encoding);

// The file's text, which must be in the terminal's code page already: bytes that are no text
// there (a file in another encoding, or one that ends inside a character) fail with
// std::runtime_error naming the file and the option that reads it.
std::string readTextInCodePage(const std::string& path);

}  // namespace tool

#endif
