// The character data of a node, as a reader of the document sees it: what a text node, a CDATA
// section, a comment or a processing instruction holds, and for an element (or an entity
// reference) its text and CDATA sections together.
#ifndef TOVALIN_NODE_CHARACTER_DATA_HPP
#define TOVALIN_NODE_CHARACTER_DATA_HPP

#include <xercesc/dom/DOMNode.hpp>

#include "text/code_page.hpp"

namespace tovalin::character_data {

// A text node's, CDATA section's or comment's content or an instruction's data; for an element
// or an entity reference the data of its text and CDATA children in order, and of those an
// entity reference among them brings. Empty for any other node.
text::XmlString of(const xercesc::DOMNode* node);

// Whether the node holds character data of its own that a program may replace: a text node, a
// CDATA section, a comment or an instruction other than the XML declaration.
bool isReplaceable(const xercesc::DOMNode* node);

}  // namespace tovalin::character_data

#endif
