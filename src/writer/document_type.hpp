// How a document type is written. One made to name a DTD file is written with the name of
// the current root element and the file as its system identifier. Any other, above all one
// read from a file, is written with its own name and identifiers and, for one read from a
// file, its internal subset as the file wrote it, so the written file reads back the same.
#ifndef TOVALIN_WRITER_DOCUMENT_TYPE_HPP
#define TOVALIN_WRITER_DOCUMENT_TYPE_HPP

#include <xercesc/dom/DOMDocumentType.hpp>

#include "text/code_page.hpp"

namespace tovalin::writer {

// Whether a literal can be written in quotation marks: not when it holds both kinds.
bool canQuote(const text::XmlString& literal);

// The literal in the quotation marks it does not contain; std::domain_error when it cannot
// be quoted.
text::XmlString quoted(const text::XmlString& literal);

// Makes a document type that names a DTD file, ready to be put into the document.
xercesc::DOMDocumentType* newDtdReference(xercesc::DOMDocument* document,
                                          const text::XmlString& dtdPath);

// The whole declaration, from "<!DOCTYPE" to its closing ">".
text::XmlString documentTypeMarkup(const xercesc::DOMDocumentType* type);

}  // namespace tovalin::writer

#endif
