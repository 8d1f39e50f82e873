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

// Whether the document keeps the file it was loaded from, in a form a save can copy from.
bool canKeepLayout(const xercesc::DOMDocument* document);

// Whether a save in the encoding ("UTF-16", "UTF-8", "Shift_JIS") is in the file's own, whose
// line ends it keeps as they stand; a save in another encoding ends lines as that encoding's
// saves do, and names it in the declaration.
bool keepsLineEnds(const xercesc::DOMDocument* document, const std::string& encoding);

// Writes the whole document; canKeepLayout must hold. What is copied in the file's own
// encoding goes to the target as the file's bytes, the rest through the formatter, which
// writes to that target. Throws as writeTree does.
void writeKeptLayout(xercesc::XMLFormatter& formatter, xercesc::XMLFormatTarget& target,
                     const xercesc::DOMDocument* document, const std::string& encoding);

}  // namespace tovalin::writer

#endif
