// What the program needs to know about the files it is given.
#ifndef TOVALIN_TOOL_FILES_HPP
#define TOVALIN_TOOL_FILES_HPP

#include <string>

#include "tovalin/document.hpp"

namespace tool {

// The text with ASCII letters in lower case, as option values are compared.
std::string lowered(std::string text);

// The whole file; throws std::runtime_error naming the file when it cannot be read.
std::string readFile(const std::string& path);

// "shift_jis", "utf-16" or "utf-8", in any case; anything else is a usage error.
TL_ENCODE_TYPE encodingOption(const std::string& name);

// The encoding a file is written in when none is asked for, from the encoding the library
// read it in: UTF-16 and UTF-8 stay as they are, every other file becomes Shift_JIS.
TL_ENCODE_TYPE keptEncoding(const std::string& fileEncoding);

const char* encodingName(TL_ENCODE_TYPE type);

}  // namespace tool

#endif
