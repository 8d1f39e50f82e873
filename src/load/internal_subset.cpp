#include "load/internal_subset.hpp"

#include <functional>
#include <memory>

#include <xercesc/util/XMLException.hpp>

#include "platform/platform.hpp"
#include "text/transcoder_cache.hpp"

namespace tovalin {
namespace {

using text::XmlString;

constexpr XMLSize_t blockSize = text::transcoderBlockSize;

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

bool readCharacters(int fd, const std::string& encoding,
                    const std::function<bool(const XMLCh*, XMLSize_t)>& take) {
    const std::unique_ptr<xercesc::XMLTranscoder> transcoder = text::newTranscoder(encoding);
    if (!transcoder || !platform::rewindFile(fd)) return false;
    std::string bytes;
    XMLCh characters[blockSize];
    unsigned char sizes[blockSize];
    char block[blockSize];
    try {
        for (long got; (got = platform::readSome(fd, block, sizeof block)) > 0;) {
            bytes.append(block, static_cast<std::size_t>(got));
            XMLSize_t eaten = 0;
            do {
                const XMLSize_t count =
                    transcoder->transcodeFrom(reinterpret_cast<const XMLByte*>(bytes.data()),
                                              bytes.size(), characters, blockSize, eaten, sizes);
                bytes.erase(0, eaten);
                if (!take(characters, count)) return true;
            } while (eaten != 0 && !bytes.empty());
        }
    } catch (const xercesc::XMLException&) {
        return false;
    }
    return bytes.empty();
}

XmlString readSubset(int fd, const SubsetSpan& span) {
    if (!span.seen) return {};
    SpanCollector collector(span);
    bool whole = false;
    readCharacters(fd, transcoderName(span.encoding),
                   [&](const XMLCh* characters, XMLSize_t count) {
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
