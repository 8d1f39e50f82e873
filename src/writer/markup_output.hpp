// The pieces of a saved file, handed to the formatter with the escaping each kind of piece
// needs, after the check that the file can carry every character of them.
#ifndef TOVALIN_WRITER_MARKUP_OUTPUT_HPP
#define TOVALIN_WRITER_MARKUP_OUTPUT_HPP

#include <xercesc/framework/XMLFormatter.hpp>

#include "text/code_page.hpp"
#include "writer/character_check.hpp"

namespace tovalin::writer {

class MarkupOutput {
  public:
    MarkupOutput(xercesc::XMLFormatter& formatter, CharacterCheck& check);

    // Markup, names, and contents written as they are.
    void markup(const XMLCh* piece);
    void markup(const text::XmlString& piece) { markup(piece.c_str()); }
    // Text content: markup characters become entity references, and a carriage return a
    // character reference, since a reader would turn it into a line feed.
    void text(const XMLCh* content);
    // An attribute value: the ampersand, less-than and quotation mark become entity
    // references; tab, line feed and carriage return become character references, since a
    // reader would turn them into spaces.
    void attributeValue(const XMLCh* value);

  private:
    // Writes the runs between the characters to replace with the escaping given, and each
    // of those characters as its character reference.
    void escaped(const XMLCh* content, const XMLCh* replaced,
                 xercesc::XMLFormatter::EscapeFlags runEscapes);
    void put(const XMLCh* piece, XMLSize_t length, xercesc::XMLFormatter::EscapeFlags escapes);

    xercesc::XMLFormatter& formatter;
    CharacterCheck& check;
};

}  // namespace tovalin::writer

#endif
