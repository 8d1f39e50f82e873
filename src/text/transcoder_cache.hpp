// The parser's transcoders for the process code page, one per thread and code set, built
// once and reused by every conversion.
#ifndef TOVALIN_TEXT_TRANSCODER_CACHE_HPP
#define TOVALIN_TEXT_TRANSCODER_CACHE_HPP

#include <string>

#include <xercesc/util/TransService.hpp>

namespace tovalin::text {

xercesc::XMLTranscoder& transcoderFor(const std::string& codeSet);

// Drops the cached transcoder of the code set, for one whose conversion state may be left
// holding part of a character from an aborted conversion.
void discardTranscoder(const std::string& codeSet);

}  // namespace tovalin::text

#endif
