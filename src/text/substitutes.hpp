// What a transcoder writes in place of bytes it cannot read, and how to tell such a
// substitution from a character the bytes really encode.
#ifndef TOVALIN_TEXT_SUBSTITUTES_HPP
#define TOVALIN_TEXT_SUBSTITUTES_HPP

#include <cstddef>

#include <xercesc/util/TransService.hpp>

namespace tovalin::text {

// True when the character, read from these source bytes, stands in for bytes the code set
// does not assign: it is a substitute character (U+001A or U+FFFD) and the code set does not
// write it as those same bytes. Shift_JIS, for one, reads its substitution bytes FC FC as
// U+FFFD but has no mapping of U+FFFD.
bool isSubstitution(xercesc::XMLTranscoder& transcoder, XMLCh character, const XMLByte* source,
                    std::size_t count);

}  // namespace tovalin::text

#endif
