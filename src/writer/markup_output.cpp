#include "writer/markup_output.hpp"

#include <xercesc/util/XMLString.hpp>

namespace tovalin::writer {
namespace {

const XMLCh* referenceTo(XMLCh c) {
    switch (c) {
        case u'\t':
            return u"&#9;";
        case u'\n':
            return u"&#10;";
        default:
            return u"&#13;";
    }
}

}  // namespace

MarkupOutput::MarkupOutput(xercesc::XMLFormatter& formatter, CharacterCheck& check)
    : formatter(formatter), check(check) {}

void MarkupOutput::markup(const XMLCh* piece) {
    if (piece == nullptr) return;
    put(piece, xercesc::XMLString::stringLen(piece), xercesc::XMLFormatter::NoEscapes);
}

void MarkupOutput::text(const XMLCh* content) {
    escaped(content, u"\r", xercesc::XMLFormatter::StdEscapes);
}

void MarkupOutput::attributeValue(const XMLCh* value) {
    escaped(value, u"\t\n\r", xercesc::XMLFormatter::AttrEscapes);
}

void MarkupOutput::escaped(const XMLCh* content, const XMLCh* replaced,
                           xercesc::XMLFormatter::EscapeFlags runEscapes) {
    if (content == nullptr) return;
    const XMLCh* run = content;
    for (const XMLCh* at = content;; ++at) {
        const bool end = *at == 0;
        if (!end && xercesc::XMLString::indexOf(replaced, *at) < 0) continue;
        put(run, static_cast<XMLSize_t>(at - run), runEscapes);
        if (end) return;
        markup(referenceTo(*at));
        run = at + 1;
    }
}

void MarkupOutput::put(const XMLCh* piece, XMLSize_t length,
                       xercesc::XMLFormatter::EscapeFlags escapes) {
    if (length == 0) return;
    check.require(piece, length);
    formatter.formatBuf(piece, length, escapes, xercesc::XMLFormatter::DefaultUnRep);
}

}  // namespace tovalin::writer
