#include "text/substitutes.hpp"

#include <cstring>

#include <xercesc/util/XMLException.hpp>

namespace tovalin::text {
namespace {

constexpr XMLCh asciiSubstitute = 0x1A;
constexpr XMLCh replacementCharacter = 0xFFFD;

}  // namespace

bool isSubstitution(xercesc::XMLTranscoder& transcoder, XMLCh character, const XMLByte* source,
                    std::size_t count) {
    if (character != asciiSubstitute && character != replacementCharacter) return false;
    XMLByte encoded[8];
    XMLSize_t eaten = 0;
    try {
        const XMLSize_t made = transcoder.transcodeTo(&character, 1, encoded, sizeof encoded, eaten,
                                                      xercesc::XMLTranscoder::UnRep_Throw);
        return made != count || std::memcmp(encoded, source, count) != 0;
    } catch (const xercesc::XMLException&) {
        return true;
    }
}

}  // namespace tovalin::text
