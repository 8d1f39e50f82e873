// A document loaded from a file for the program, and written back.
#ifndef TOVALIN_TOOL_DOCUMENT_FILE_HPP
#define TOVALIN_TOOL_DOCUMENT_FILE_HPP

#include <list>
#include <memory>
#include <set>
#include <string>

#include "command_line.hpp"
#include "tovalin/document.hpp"

namespace tool {

// The switches given, and those of every command that loads XML: --huge lifts the limits
// of the load for large trusted files, --local-only reads DTDs and entities from the file's
// own folder only.
std::set<std::string> withLoadSwitches(std::set<std::string> switches);

// Makes the document object load as those switches say, with the parser's messages in
// Japanese for a user who reads it; its loads without validation read a file whose DTD
// cannot be read without it, with a warning.
void applyLoadSwitches(XcsXmlDOMDocument& document, const CommandLine& line);

// Makes the document object's saves indent by the spaces given; a usage error for anything
// but a number the library takes.
void setIndent(XcsXmlDOMDocument& document, const std::string& spaces);

// The layout --layout names ("keep" or "fixed"); a usage error for any other.
TL_LAYOUT_TYPE layoutOption(const std::string& name);

// A new document object that loads as those switches say, and saves in the layout --layout
// names (else the one given) indented as --indent says; throws std::runtime_error when the
// parser could not start.
std::unique_ptr<XcsXmlDOMDocument> newDocument(const CommandLine& line,
                                               TL_LAYOUT_TYPE layout = TL_LAYOUT_FIXED);

// Whether the document held has a document type declaration.
bool hasDocumentType(XcsXmlDOMDocument& document);

// Loads without validation, for saves in the layout --layout names (else the one given);
// throws std::runtime_error with the first problem when the file does not load. A DTD that
// cannot be read is left out, with a warning on standard error.
std::unique_ptr<XcsXmlDOMDocument> loadDocument(const std::string& path, const CommandLine& line,
                                                TL_LAYOUT_TYPE layout = TL_LAYOUT_FIXED);

// Saves through the library's backup protection; throws std::runtime_error when it fails.
void saveDocument(XcsXmlDOMDocument& document, const std::string& path, TL_ENCODE_TYPE type);

// The failure of a command that found no element of the tag name.
std::string noElementNamed(const std::string& file, const std::string& tag);

}  // namespace tool

#endif
