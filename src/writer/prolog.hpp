// What stands before the root element: the XML declaration, stylesheet instructions and the
// document type. Every function takes the document a document object holds.
#ifndef TOVALIN_WRITER_PROLOG_HPP
#define TOVALIN_WRITER_PROLOG_HPP

#include <string>

#include <xercesc/dom/DOMDocument.hpp>

#include "tovalin/settings.hpp"

namespace tovalin::writer {

// Puts a new declaration first, in place of one that stands there; false when the document
// has no node at all. The encoding it names is a placeholder: a save names its own.
bool setDeclaration(xercesc::DOMDocument* document, TL_ENCODE_TYPE type);

// Adds an XSL stylesheet instruction for the address directly before the root element, the
// address in the quotation marks it does not contain. False, with the document unchanged,
// for an address no instruction can carry: one holding a NUL, "?>" or both quotation marks.
bool addStylesheet(xercesc::DOMDocument* document, const std::string& href);

// Replaces the document type by one that names the DTD file; after the declaration or
// whatever else stands first, never after the root element. False, with the document
// unchanged, for a location no file could name or no document type could carry: empty,
// holding a NUL or both quotation marks.
bool setDtdReference(xercesc::DOMDocument* document, const std::string& dtdPath);

}  // namespace tovalin::writer

#endif
