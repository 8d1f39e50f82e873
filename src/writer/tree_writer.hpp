// Writes a node and its subtree in the library's fixed layout: no indentation, and a line
// feed after the declaration, the document type, every instruction, comment, CDATA section,
// end tag and empty-element tag, and after every start tag, except where text or an entity
// reference follows: a line feed there would become part of that text when read back.
// Carriage returns in comments, instructions and CDATA sections are written as line feeds.
// On request the lines within element-only content are indented, a number of spaces per
// level; an element holding text, a CDATA section or an entity reference, and everything
// within it, keeps the fixed layout, so that no space is ever added to text.
#ifndef TOVALIN_WRITER_TREE_WRITER_HPP
#define TOVALIN_WRITER_TREE_WRITER_HPP

#include <cstddef>
#include <string>

#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/XMLFormatter.hpp>

namespace tovalin::writer {

// The encoding is the name the file declares ("UTF-16", "UTF-8" or "Shift_JIS"). A whole document
// written in any encoding but UTF-16 begins with a declaration even when the tree holds
// none, since only the declaration names the encoding to a reader. indent is the number of
// spaces per level; 0 writes the fixed layout. False when the node is of a kind that is not
// written; then nothing is written.
bool writeTree(xercesc::XMLFormatter& formatter, const xercesc::DOMNode* top,
               const std::string& encoding, std::size_t indent);

}  // namespace tovalin::writer

#endif
