// The markup of one node on its own, as both layouts write it: start and end tags, comments,
// instructions, CDATA sections, references, the declaration and the document type. What no
// markup can carry is refused with std::domain_error, so that no file is written that a
// parser would not read back: a comment holding "--", an instruction holding "?>", an
// instruction named "xml" anywhere but first, a declaration anywhere but first, a document
// type after the root element.
#ifndef TOVALIN_WRITER_NODE_MARKUP_HPP
#define TOVALIN_WRITER_NODE_MARKUP_HPP

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>

#include "text/code_page.hpp"
#include "writer/markup_output.hpp"

namespace tovalin::writer {

// XML has no way to carry a carriage return in a comment, an instruction or a CDATA
// section: every reader turns CR LF and a lone CR into one line feed. Each is written as
// that line feed, one line end of the file.
text::XmlString withLineFeeds(const text::XmlString& content);

// " name="value"" with the value escaped for the quotation mark.
void writeAttribute(MarkupOutput& out, const XMLCh* name, const XMLCh* value, XMLCh quote = u'"');

// "<name" and the attributes, all of them or only those the document specified; the caller
// closes the tag.
void writeOpenTag(MarkupOutput& out, const xercesc::DOMElement* element, bool defaultsToo);

void writeEndTag(MarkupOutput& out, const xercesc::DOMNode* element);

// The declaration naming the file's encoding, with the version (1.0 when empty) and the
// standalone value (left out when empty).
void writeDeclaration(MarkupOutput& out, const text::XmlString& version,
                      const text::XmlString& encoding, const text::XmlString& standalone);

// Writes a node that has no content of its own to write: a document type, comment,
// instruction (the declaration node among them), CDATA section or entity reference.
void writeLeaf(MarkupOutput& out, const xercesc::DOMNode* node, const text::XmlString& encoding);

}  // namespace tovalin::writer

#endif
