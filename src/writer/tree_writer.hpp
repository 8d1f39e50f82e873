// Writes a node and its subtree in the library's fixed layout: no indentation, and a line
// feed after the declaration, the document type, every instruction, comment, CDATA section,
// end tag and empty-element tag, and after every start tag, except where text or an entity
// reference follows: a line feed there would become part of that text when read back.
// Carriage returns in comments, instructions and CDATA sections are written as line feeds.
#ifndef TOVALIN_WRITER_TREE_WRITER_HPP
#define TOVALIN_WRITER_TREE_WRITER_HPP

#include <string>

#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/XMLFormatter.hpp>

namespace tovalin::writer {

// The encoding is the name the file declares ("UTF-16", "UTF-8" or "Shift_JIS"). A whole document
// written in any encoding but UTF-16 begins with a declaration even when the tree holds
// none, since only the declaration names the encoding to a reader. False when the node is
// of a kind that is not written; then nothing is written.
bool writeTree(xercesc::XMLFormatter& formatter, const xercesc::DOMNode* top,
               const std::string& encoding);

}  // namespace tovalin::writer

#endif
