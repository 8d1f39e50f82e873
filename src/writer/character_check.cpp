#include "writer/character_check.hpp"

#include "text/surrogates.hpp"
#include "text/transcoder_cache.hpp"
#include "writer/save_messages.hpp"

namespace tovalin::writer {
namespace {

using text::isHighSurrogate;
using text::isLowSurrogate;

// The characters of XML 1.0 within one UTF-16 unit (surrogates are judged in pairs).
bool isXmlCharacter(XMLCh c) {
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    return c < 0xD800 || (c >= 0xE000 && c <= 0xFFFD);
}

[[noreturn]] void refuse(unsigned long codePoint, const std::string& encoding) {
    throw UnwritableCharacter(codePoint, encoding);
}

}  // namespace

UnwritableCharacter::UnwritableCharacter(unsigned long codePoint, const std::string& encoding)
    : std::domain_error(save_messages::unwritableCharacter(codePoint, encoding, "?")),
      codePoint(codePoint) {}

CharacterCheck::CharacterCheck(std::string encoding)
    : encoding(std::move(encoding)),
      unicode(this->encoding == "UTF-16" || this->encoding == "UTF-8") {}

void CharacterCheck::require(const XMLCh* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const XMLCh c = text[i];
        if (c >= 0x20 && c < 0x7F) continue;
        if (xml11 && ((c >= 0x7F && c <= 0x9F) || c == 0x2028)) refuse(c, encoding);
        if (c >= 0x20 && unicode && c < 0xD800) continue;
        if (c < 0x20 && isXmlCharacter(c)) continue;
        if (isHighSurrogate(c) && i + 1 < length && isLowSurrogate(text[i + 1])) {
            const unsigned long pair = 0x10000 + ((c - 0xD800UL) << 10) + (text[i + 1] - 0xDC00UL);
            if (!unicode) refuse(pair, encoding);
            ++i;
            continue;
        }
        if (!isXmlCharacter(c) || !representable(c)) refuse(c, encoding);
    }
}

bool CharacterCheck::representable(XMLCh character) {
    if (unicode) return true;
    if (answers.empty()) answers.resize(0x10000);
    unsigned char& answer = answers[character];
    if (answer == 0) {
        // A character that is dropped, replaced or mapped one way only does not come back.
        answer = text::roundTrips(*text::transcoderFor(encoding).parser, &character, 1) ? 1 : 2;
    }
    return answer == 1;
}

}  // namespace tovalin::writer
