#include "text/code_page.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>

#include "platform/platform.hpp"
#include "text/substitutes.hpp"
#include "text/surrogates.hpp"
#include "text/transcoder_cache.hpp"

namespace tovalin::text {
namespace {

using xercesc::XMLTranscoder;

// A transcoder may keep the lead byte of an unfinished character for its next call and
// report it eaten. Only a byte at 0x80 or above can lead; a plain letter then shows whether
// something was pending.
bool leftACharacterUnfinished(XMLTranscoder& transcoder, XMLByte lastByte) {
    if (lastByte < 0x80) return false;
    const XMLByte probe = 'A';
    XMLCh out[4];
    unsigned char sizes[4];
    XMLSize_t eaten = 0;
    const XMLSize_t made = transcoder.transcodeFrom(&probe, 1, out, 4, eaten, sizes);
    return made != 1 || out[0] != u'A';
}

// Throws unless every source byte went into a character and none was a substitution.
void verifyInbound(XMLTranscoder& transcoder, const XMLByte* source, std::size_t length,
                   const XmlString& converted, const std::vector<unsigned char>& sizes) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < converted.size(); ++i) {
        if (isSubstitution(transcoder, converted[i], source + offset, sizes[i])) refuseBytes();
        offset += sizes[i];
    }
    if (offset != length || leftACharacterUnfinished(transcoder, source[length - 1])) {
        refuseBytes();
    }
}

XmlString transcodeFrom(XMLTranscoder& transcoder, const XMLByte* source, std::size_t length) {
    // A code unit never takes less than one byte, so the length bounds the output.
    XmlString converted(length, XMLCh(0));
    std::vector<unsigned char> sizes(length);
    std::size_t produced = 0;
    std::size_t consumed = 0;
    // The parser's ICU transcoder keeps offsets for at most its block size of characters
    // and writes past them when asked for more.
    const std::size_t chunk = transcoder.getBlockSize();
    while (consumed < length) {
        XMLSize_t eaten = 0;
        const XMLSize_t made = transcoder.transcodeFrom(
            source + consumed, length - consumed, &converted[produced],
            std::min(length - produced, chunk), eaten, sizes.data() + produced);
        if (made == 0 && eaten == 0) break;
        produced += made;
        consumed += eaten;
    }
    converted.resize(produced);
    verifyInbound(transcoder, source, length, converted, sizes);
    return converted;
}

// Expects a text whose every character the code set writes exactly.
std::string transcodeTo(XMLTranscoder& transcoder, const XMLCh* text, std::size_t length) {
    // Four bytes a code unit hold every code set the parser knows; the loop covers the rest.
    std::string narrow(4 * length + 4, '\0');
    std::size_t produced = 0;
    std::size_t consumed = 0;
    while (consumed < length) {
        if (narrow.size() - produced < 16) narrow.resize(2 * narrow.size());
        XMLSize_t eaten = 0;
        const XMLSize_t made = transcoder.transcodeTo(
            text + consumed, length - consumed, reinterpret_cast<XMLByte*>(&narrow[produced]),
            narrow.size() - produced, eaten, XMLTranscoder::UnRep_Throw);
        if (made == 0 && eaten == 0) break;
        produced += made;
        consumed += eaten;
    }
    narrow.resize(produced);
    return narrow;
}

// Throws for the first character the code set cannot write so that it reads back as itself.
void requireExact(Transcoder& transcoder, const XMLCh* text, std::size_t length) {
    for (std::size_t i = 0; i < length;) {
        const std::size_t units = unitsOfCharacter(text + i, length - i);
        const bool exact = units == 2 ? roundTrips(*transcoder.parser, text + i, 2)
                                      : writesExactly(transcoder, text[i]);
        if (!exact) refuseCharacter(codePointOf(text + i, units));
        i += units;
    }
}

// The length of the leading text that the code set writes as plain ASCII, byte for unit.
template <class Unit>
std::size_t plainPrefix(const Transcoder& transcoder, const Unit* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length && static_cast<unsigned int>(text[i]) < 128 &&
           transcoder.plainAscii[static_cast<unsigned int>(text[i])]) {
        ++i;
    }
    return i;
}

// The plain ASCII start as it is, then the rest through the transcoder.
std::string withRest(Transcoder& transcoder, const XMLCh* text, std::size_t plain,
                     std::size_t length) {
    const XMLCh* rest = text + plain;
    const std::size_t restLength = length - plain;
    requireExact(transcoder, rest, restLength);
    std::string converted = transcodeTo(*transcoder.parser, rest, restLength);
    if (plain == 0) return converted;
    return std::string(text, rest) + converted;
}

}  // namespace

XmlString toXml(const std::string& narrow) {
    const std::size_t length = std::strlen(narrow.c_str());
    if (length == 0) return {};
    Transcoder& transcoder = processTranscoder();
    const std::size_t plain = plainPrefix(transcoder, narrow.data(), length);
    XmlString converted(narrow.begin(), narrow.begin() + static_cast<std::ptrdiff_t>(plain));
    if (plain == length) return converted;
    try {
        return converted + transcodeFrom(*transcoder.parser,
                                         reinterpret_cast<const XMLByte*>(narrow.data()) + plain,
                                         length - plain);
    } catch (const xercesc::XMLException&) {
        // Also the UTF-8 transcoder's own exception for malformed bytes. The transcoder may
        // hold the start of an unfinished character for its next call.
        const std::string codeSet = transcoder.codeSet;
        discardTranscoder(codeSet);
        refuseBytes();
    }
}

std::string fromXml(const XMLCh* text) {
    if (text == nullptr) return {};
    Transcoder& transcoder = processTranscoder();
    // The plain part is found while the end is looked for: most texts are names.
    const XMLCh* plainEnd = text;
    while (*plainEnd != 0 && *plainEnd < 128 && transcoder.plainAscii[*plainEnd]) ++plainEnd;
    const auto plain = static_cast<std::size_t>(plainEnd - text);
    if (*plainEnd == 0) return std::string(text, plainEnd);
    return withRest(transcoder, text, plain, plain + xercesc::XMLString::stringLen(plainEnd));
}

std::string fromXml(const XMLCh* text, std::size_t length) {
    if (text == nullptr || length == 0) return {};
    Transcoder& transcoder = processTranscoder();
    const std::size_t plain = plainPrefix(transcoder, text, length);
    if (plain == length) return std::string(text, text + length);
    return withRest(transcoder, text, plain, length);
}

}  // namespace tovalin::text
