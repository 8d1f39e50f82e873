// The file a tree was loaded from, kept beside the tree for saves that keep its layout: the
// document's bytes, and what the parser knew of them that the tree does not show.
#ifndef TOVALIN_NODE_SOURCE_FILE_HPP
#define TOVALIN_NODE_SOURCE_FILE_HPP

#include <map>
#include <set>
#include <string>

#include "text/code_page.hpp"

namespace tovalin::detail {

struct SourceFile {
    // The document entity's bytes, and the parser's name of the encoding they were read in.
    std::string bytes;
    std::string transcoder;
    // The encoding as the document object reports it: "Shift_JIS", "UTF-8", "UTF-16" or
    // another name.
    std::string encoding;
    // The document type node the load made, if any.
    const void* documentType = nullptr;
    // The document is XML 1.0 and the parser expanded every entity reference.
    bool comparable = false;
    // The replacement text of each internal general entity.
    std::map<text::XmlString, text::XmlString> entityValues;
    // "element attribute" for each attribute the DTD declares of another type than CDATA,
    // whose values the parser normalizes further.
    std::set<text::XmlString> tokenizedAttributes;
};

}  // namespace tovalin::detail

#endif
