// Values addressed by tag name: the value of an element is the text of its first child that
// is a text node; text further down, or only after other kinds of children, is not part of
// it. Every function takes the index of the document a document object holds, finds the
// elements through it and tells it of the edits it makes.
#ifndef TOVALIN_DATA_XML_DATA_HPP
#define TOVALIN_DATA_XML_DATA_HPP

#include <list>
#include <string>

#include "node/tag_index.hpp"

namespace tovalin::data {

// The value of the first element of the name; empty when there is none. "*" names every
// element.
std::string readValue(detail::TagIndex& elements, const std::string& tagName);

// The same, and appends the value of every element of the name, in document order; the list
// is left as it was when a value cannot be given in the process code page.
std::string readValues(detail::TagIndex& elements, const std::string& tagName,
                       std::list<std::string>& values);

// Writes into the first element of the name, or adds an element after the last one (into
// the first, when its value is an empty text). Creates no element of a name the document
// does not hold yet, and none named "*": false then.
bool writeValue(detail::TagIndex& elements, const std::string& tagName, const std::string& value,
                bool overwrite);

// Replaces every element of the name by one element per value (one empty one for no
// values), where the last of them stood. Every value is converted before the tree changes;
// more than one value for the root element throws the parser's HIERARCHY_REQUEST_ERR with
// the tree unchanged.
bool replaceValues(detail::TagIndex& elements, const std::string& tagName,
                   const std::list<std::string>& values);

}  // namespace tovalin::data

#endif
