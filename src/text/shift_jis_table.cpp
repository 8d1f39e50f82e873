#include "text/shift_jis_table.hpp"

#include <memory>

#include <xercesc/util/TransService.hpp>

#include "text/transcoder_cache.hpp"
#include "text/windows_31j.hpp"

namespace tovalin::text {
namespace {

// The one character the bytes decode to alone, or none.
XMLCh decodedAlone(xercesc::XMLTranscoder& transcoder, const XMLByte* bytes, XMLSize_t count,
                   XMLCh none) {
    XMLCh made[4];
    unsigned char sizes[4];
    XMLSize_t eaten = 0;
    try {
        const XMLSize_t got = transcoder.transcodeFrom(bytes, count, made, 4, eaten, sizes);
        return got == 1 && eaten == count && made[0] != none ? made[0] : none;
    } catch (const xercesc::XMLException&) {
        return none;
    }
}

}  // namespace

const ShiftJisTable* ShiftJisTable::get() {
    static const std::unique_ptr<const ShiftJisTable> table = [] {
        std::unique_ptr<ShiftJisTable> made;
        const std::unique_ptr<xercesc::XMLTranscoder> transcoder = newTranscoder("Shift_JIS");
        if (!transcoder) return made;
        made.reset(new ShiftJisTable());
        made->pairs.resize(0x80);
        for (unsigned lead = 0; lead < 256; ++lead) {
            const XMLByte bytes[2] = {static_cast<XMLByte>(lead), 0};
            made->single[lead] =
                isLeadByte(bytes[0]) ? none : decodedAlone(*transcoder, bytes, 1, none);
            if (!isLeadByte(bytes[0])) continue;
            for (unsigned trail = 0; trail < 256; ++trail) {
                const XMLByte pair[2] = {bytes[0], static_cast<XMLByte>(trail)};
                made->pairs[lead - 0x80][trail] = decodedAlone(*transcoder, pair, 2, none);
            }
        }
        return made;
    }();
    return table.get();
}

XMLSize_t ShiftJisTable::decode(const XMLByte* bytes, XMLSize_t count, XMLCh* toFill,
                                XMLSize_t maxChars, XMLSize_t& eaten, unsigned char* sizes) const {
    XMLSize_t at = 0;
    XMLSize_t made = 0;
    while (made < maxChars && at < count) {
        const XMLByte first = bytes[at];
        XMLCh character = single[first];
        unsigned char size = 1;
        if (isLeadByte(first)) {
            if (at + 1 == count) break;
            character = pairs[first - 0x80][bytes[at + 1]];
            size = 2;
        }
        if (character == none) break;
        toFill[made] = character;
        sizes[made++] = size;
        at += size;
    }
    eaten = at;
    return made;
}

}  // namespace tovalin::text
