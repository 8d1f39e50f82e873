// The text of a saved file, gathered in large pieces for the formatter, which turns them
// into the file's encoding. Markup goes in as it is; text content and attribute values are
// escaped here by the rules of the formatter's escape modes (text: the ampersand,
// less-than, greater-than, quotation mark and apostrophe; attribute values: the ampersand,
// less-than and the quotation mark that delimits them), and besides that the characters a
// reader would not give back as they are become character references.
#ifndef TOVALIN_WRITER_MARKUP_OUTPUT_HPP
#define TOVALIN_WRITER_MARKUP_OUTPUT_HPP

#include <cstddef>

#include <xercesc/framework/XMLFormatter.hpp>

#include "text/code_page.hpp"
#include "writer/character_check.hpp"

namespace tovalin::writer {

class MarkupOutput {
  public:
    MarkupOutput(xercesc::XMLFormatter& formatter, CharacterCheck& check);

    // Markup, names, and contents written as they are.
    void markup(const XMLCh* piece);
    template <std::size_t size>
    void literal(const char16_t (&piece)[size]) {
        append(piece, size - 1);
    }
    void markup(const text::XmlString& piece) { append(piece.data(), piece.size()); }
    void markup(const XMLCh* piece, std::size_t length) { append(piece, length); }
    // Text content; a carriage return becomes a character reference, since a reader would
    // turn it into a line feed.
    void text(const XMLCh* content);
    // An attribute value between the quotation marks given; tab, line feed and carriage
    // return become character references, since a reader would turn them into spaces.
    void attributeValue(const XMLCh* value, XMLCh quote = u'"');
    // Hands what is gathered to the formatter; the writer calls it once it is done.
    void flush();
    // An XML 1.1 file takes control characters in content only as character references,
    // and reads NEL (U+0085) and LS (U+2028) as line ends: all of them become references.
    void setXml11(bool xml11);
    // What each line feed written from here on becomes ("\r\n" for a file whose lines end
    // so); empty writes line feeds as they are. Line feeds in attribute values stay
    // references.
    void setLineEnd(const text::XmlString& lineEnd);

  private:
    void escaped(const XMLCh* content, bool inAttribute, XMLCh quote);
    void append(const XMLCh* piece, std::size_t length);
    void gather(const XMLCh* piece, std::size_t length);

    xercesc::XMLFormatter& formatter;
    CharacterCheck& check;
    text::XmlString gathered;
    bool xml11 = false;
    text::XmlString lineEnd;
};

}  // namespace tovalin::writer

#endif
