// Writes a loaded document in the keep layout: each node the writer finds unchanged, by
// comparing the file's markup with the tree, is copied as the file had it, with the layout
// around it; every other node is generated without added layout. A node that cannot be
// compared is generated, so the save always holds the tree.
#ifndef TOVALIN_WRITER_KEPT_LAYOUT_HPP
#define TOVALIN_WRITER_KEPT_LAYOUT_HPP

#include <string>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/framework/XMLFormatter.hpp>

namespace tovalin::writer {

// Whether the document keeps the file it was loaded from, in a form a save in the encoding
// ("UTF-16", "UTF-8", "Shift_JIS") can copy from.
bool canKeepLayout(const xercesc::DOMDocument* document, const std::string& encoding);

// Writes the whole document; canKeepLayout must hold. Throws as writeTree does.
void writeKeptLayout(xercesc::XMLFormatter& formatter, const xercesc::DOMDocument* document,
                     const std::string& encoding);

}  // namespace tovalin::writer

#endif
