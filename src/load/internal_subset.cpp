#include "load/internal_subset.hpp"

#include "platform/platform.hpp"
#include "text/transcoder_cache.hpp"

namespace tovalin {
namespace {

using text::XmlString;

// Follows the characters of the file by line and column, the way the parser counts them,
// and keeps those of the span with each line end as one line feed.
class SpanCollector {
  public:
    explicit SpanCollector(const SubsetSpan& span) : span(span) {}

    // False once the span is complete.
    bool take(XMLCh c) {
        if (atStart) {
            atStart = false;
            if (c == 0xFEFF) return true;
        }
        if (afterCarriageReturn && c == u'\n') {
            afterCarriageReturn = false;
            return true;
        }
        afterCarriageReturn = c == u'\r';
        if (before(span.endLine, span.endColumn)) {
            if (!before(span.startLine, span.startColumn))
                collected += afterCarriageReturn ? u'\n' : c;
        }
        advance(c);
        return before(span.endLine, span.endColumn);
    }

    // The span without its closing bracket.
    XmlString text() const {
        if (collected.empty() || collected.back() != u']') return {};
        return collected.substr(0, collected.size() - 1);
    }

  private:
    bool before(XMLFileLoc lineAt, XMLFileLoc columnAt) const {
        return line < lineAt || (line == lineAt && column < columnAt);
    }
    void advance(XMLCh c) {
        if (c == u'\n' || c == u'\r') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }

    const SubsetSpan& span;
    XmlString collected;
    XMLFileLoc line = 1, column = 1;
    bool atStart = true;
    bool afterCarriageReturn = false;
};

}  // namespace

// The parser names the byte order of an encoding it detected in parentheses: "UTF-16 (LE)".
std::string transcoderName(const XmlString& parserName) {
    std::string name = text::fromXml(parserName.c_str());
    for (const char* order : {"LE", "BE"}) {
        const std::string marked = std::string(" (") + order + ")";
        const std::string::size_type at = name.find(marked);
        if (at != std::string::npos) name.replace(at, marked.size(), order);
    }
    return name;
}

XmlString readSubset(int fd, const SubsetSpan& span) {
    if (!span.seen || !platform::rewindFile(fd)) return {};
    SpanCollector collector(span);
    bool whole = false;
    const auto read = [fd](char* block, std::size_t size) {
        const long got = platform::readSome(fd, block, size);
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    };
    text::decode(transcoderName(span.encoding), read,
                 [&](const XMLCh* characters, XMLSize_t count, const unsigned char*) {
                     for (XMLSize_t i = 0; i < count; ++i) {
                         if (!collector.take(characters[i])) {
                             whole = true;
                             return false;
                         }
                     }
                     return true;
                 });
    return whole ? collector.text() : XmlString();
}

}  // namespace tovalin
