#include "writer/markup_output.hpp"

#include <algorithm>

#include <xercesc/util/XMLString.hpp>

namespace tovalin::writer {
namespace {

constexpr std::size_t flushSize = 64 * 1024;

// What stands for the character in the context, or null when it is written as it is. In an
// attribute value only the quotation mark that delimits it needs a reference.
const XMLCh* replacement(XMLCh c, bool inAttribute, XMLCh quote) {
    switch (c) {
        case u'&':
            return u"&amp;";
        case u'<':
            return u"&lt;";
        case u'"':
            return inAttribute && quote != u'"' ? nullptr : u"&quot;";
        case u'\r':
            return u"&#13;";
        case u'>':
            return inAttribute ? nullptr : u"&gt;";
        case u'\'':
            return inAttribute && quote != u'\'' ? nullptr : u"&apos;";
        case u'\t':
            return inAttribute ? u"&#9;" : nullptr;
        case u'\n':
            return inAttribute ? u"&#10;" : nullptr;
        default:
            return nullptr;
    }
}

// The characters XML 1.1 does not give back as they stand in content.
bool changesInXml11(XMLCh c) {
    return (c < 0x20 && c != u'\t' && c != u'\n') || (c >= 0x7F && c <= 0x9F) || c == 0x2028;
}

text::XmlString reference(XMLCh c) {
    static const char16_t digits[] = u"0123456789ABCDEF";
    text::XmlString written(u"&#x");
    for (int shift = c > 0xFF ? 12 : 4; shift >= 0; shift -= 4)
        written += digits[(c >> shift) & 0xF];
    return written + u';';
}

}  // namespace

MarkupOutput::MarkupOutput(xercesc::XMLFormatter& formatter, CharacterCheck& check)
    : formatter(formatter), check(check) {
    gathered.reserve(flushSize + 1024);
}

void MarkupOutput::markup(const XMLCh* piece) {
    if (piece != nullptr) append(piece, xercesc::XMLString::stringLen(piece));
}

void MarkupOutput::text(const XMLCh* content) { escaped(content, false, 0); }

void MarkupOutput::attributeValue(const XMLCh* value, XMLCh quote) { escaped(value, true, quote); }

void MarkupOutput::escaped(const XMLCh* content, bool inAttribute, XMLCh quote) {
    if (content == nullptr) return;
    const XMLCh* run = content;
    for (const XMLCh* at = content;; ++at) {
        if (*at == 0) {
            append(run, static_cast<std::size_t>(at - run));
            return;
        }
        const bool referenced = xml11 && changesInXml11(*at);
        if (*at > u'>' && !referenced) continue;
        const XMLCh* instead = replacement(*at, inAttribute, quote);
        if (instead == nullptr && !referenced) continue;
        gather(run, static_cast<std::size_t>(at - run));
        gathered.append(instead != nullptr ? text::XmlString(instead) : reference(*at));
        run = at + 1;
    }
}

void MarkupOutput::setXml11(bool on) {
    xml11 = on;
    check.setXml11(on);
}

void MarkupOutput::setLineEnd(const text::XmlString& end) { lineEnd = end; }

void MarkupOutput::append(const XMLCh* piece, std::size_t length) {
    gather(piece, length);
    if (gathered.size() >= flushSize) flush();
}

void MarkupOutput::gather(const XMLCh* piece, std::size_t length) {
    const XMLCh* const end = piece + length;
    if (lineEnd.empty()) {
        gathered.append(piece, length);
        return;
    }
    for (;;) {
        const XMLCh* const feed = std::find(piece, end, u'\n');
        gathered.append(piece, static_cast<std::size_t>(feed - piece));
        if (feed == end) return;
        gathered += lineEnd;
        piece = feed + 1;
    }
}

void MarkupOutput::flush() {
    if (gathered.empty()) return;
    check.require(gathered.data(), gathered.size());
    formatter.formatBuf(gathered.data(), gathered.size(), xercesc::XMLFormatter::NoEscapes,
                        xercesc::XMLFormatter::DefaultUnRep);
    gathered.clear();
}

}  // namespace tovalin::writer
