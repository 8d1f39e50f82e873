// A document loaded from a file for the program, and written back.
#ifndef TOVALIN_TOOL_DOCUMENT_FILE_HPP
#define TOVALIN_TOOL_DOCUMENT_FILE_HPP

#include <list>
#include <memory>
#include <string>

#include "tovalin/document.hpp"

namespace tool {

// Loads without validation; throws std::runtime_error with the first problem when the file
// does not load.
std::unique_ptr<XcsXmlDOMDocument> loadDocument(const std::string& path);

// Saves through the library's backup protection; throws std::runtime_error when it fails.
void saveDocument(XcsXmlDOMDocument& document, const std::string& path, TL_ENCODE_TYPE type);

// The number of elements of the tag name.
unsigned int countElements(XcsXmlDOMDocument& document, const std::string& tagName);

}  // namespace tool

#endif
