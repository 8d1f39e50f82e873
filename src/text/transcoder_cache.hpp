// The parser's transcoders for the process code page, one per thread and code set, built
// once and reused by every conversion.
#ifndef TOVALIN_TEXT_TRANSCODER_CACHE_HPP
#define TOVALIN_TEXT_TRANSCODER_CACHE_HPP

#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <xercesc/util/TransService.hpp>

namespace tovalin::text {

// The most characters a transcoder of the library takes or gives in one call.
constexpr XMLSize_t transcoderBlockSize = 16 * 1024;

// A new transcoder of the parser for the encoding, as the parser names encodings; null when
// the parser has none for it.
std::unique_ptr<xercesc::XMLTranscoder> newTranscoder(const std::string& encoding);

// Decodes the bytes that read gives (a block at a time, none at the end) in the encoding,
// handing the characters, with how many bytes each took, to take until it gives false. False when the bytes cannot be read
// or decoded whole.
bool decode(const std::string& encoding, const std::function<std::size_t(char*, std::size_t)>& read,
            const std::function<bool(const XMLCh*, XMLSize_t, const unsigned char*)>& take);

struct Transcoder {
    std::string codeSet;
    std::unique_ptr<xercesc::XMLTranscoder> parser;
    // The ASCII characters that the code set writes as their own single byte, both ways;
    // text made of them alone needs no transcoder.
    std::bitset<128> plainAscii;
    // Per BMP character, once asked: 1 when the code set writes it exactly, 2 when not.
    std::vector<unsigned char> exact;
};

// Whether the transcoder writes the character (one unit, or the two of a surrogate pair) as
// bytes that read back as that character alone: no substitute, no one-way look-alike.
bool roundTrips(xercesc::XMLTranscoder& transcoder, const XMLCh* character, std::size_t units);

// The same for one code unit, remembered per transcoder; never for a surrogate alone.
bool writesExactly(Transcoder& transcoder, XMLCh character);

Transcoder& transcoderFor(const std::string& codeSet);

// The transcoder of the process code page at the time of the call.
Transcoder& processTranscoder();

// Drops the cached transcoder of the code set, for one whose conversion state may be left
// holding part of a character from an aborted conversion.
void discardTranscoder(const std::string& codeSet);

}  // namespace tovalin::text

#endif
