// ICU's table behind these names (ibm-943_P15A-2003) is code page 932 except for three
// control codes, which it rotates the way IBM's DOS did: byte 0x1A reads as U+001C, 0x1C as
// U+007F, 0x7F as U+001A, and back. None of the three bytes is ever part of a two-byte
// character, so the rotation is undone byte for byte: on the bytes before the table reads
// them, and on the bytes it writes. Every other mapping, one-way ones included, stays the
// table's. Bytes the code page does not assign, which the table would read as a substitute
// character, are refused: a file holding them does not load, rather than load changed. So is
// a file that ends inside a character, which the table would keep waiting for its end.
#include "text/windows_31j.hpp"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/TranscodingException.hpp>

#include "text/code_page.hpp"
#include "text/substitutes.hpp"

namespace tovalin::text {
namespace {

using xercesc::XMLTranscoder;

constexpr const char* icuTable = "ibm-943_P15A-2003";

// The byte the table reads as the character that code page 932 gives this byte.
XMLByte toTable(XMLByte byte) {
    switch (byte) {
        case 0x1A:
            return 0x7F;
        case 0x1C:
            return 0x1A;
        case 0x7F:
            return 0x1C;
        default:
            return byte;
    }
}

// The byte code page 932 gives the character the table wrote as this byte.
XMLByte fromTable(XMLByte byte) {
    switch (byte) {
        case 0x7F:
            return 0x1A;
        case 0x1A:
            return 0x1C;
        case 0x1C:
            return 0x7F;
        default:
            return byte;
    }
}

// The bytes up to the last whole character. Every byte that cannot lead ends a character, so
// the lead bytes after the last of those pair up from there; an odd one out at the end waits
// for the next call. The table would take it and keep it out of sight, and a file that ends
// there would lose it unseen.
XMLSize_t wholeCharacters(const XMLByte* bytes, XMLSize_t count) {
    XMLSize_t leads = 0;
    while (leads < count && isLeadByte(bytes[count - 1 - leads])) ++leads;
    return count - leads % 2;
}

bool holdsRotatedByte(const XMLByte* bytes, std::size_t count) {
    return std::memchr(bytes, 0x1A, count) != nullptr ||
           std::memchr(bytes, 0x1C, count) != nullptr || std::memchr(bytes, 0x7F, count) != nullptr;
}

std::unique_ptr<XMLTranscoder> makeTable(XMLSize_t blockSize, xercesc::MemoryManager* manager) {
    xercesc::XMLTransService::Codes result = xercesc::XMLTransService::Ok;
    std::unique_ptr<XMLTranscoder> made(
        xercesc::XMLPlatformUtils::fgTransService->makeNewTranscoderFor(icuTable, result, blockSize,
                                                                        manager));
    if (result != xercesc::XMLTransService::Ok) made.reset();
    return made;
}

class Windows31JTranscoder : public XMLTranscoder {
  public:
    Windows31JTranscoder(const XMLCh* encodingName, XMLSize_t blockSize,
                         xercesc::MemoryManager* manager)
        : XMLTranscoder(encodingName, blockSize, manager), table(makeTable(blockSize, manager)) {
        if (!table) {
            throw xercesc::TranscodingException(__FILE__, __LINE__,
                                                xercesc::XMLExcepts::Trans_CantCreateCvtrFor);
        }
    }

    XMLSize_t transcodeFrom(const XMLByte* source, XMLSize_t count, XMLCh* toFill,
                            XMLSize_t maxChars, XMLSize_t& bytesEaten,
                            unsigned char* charSizes) override {
        // No character takes more than two bytes, so the table reads no further than this.
        const XMLSize_t window = wholeCharacters(source, std::min(count, 2 * maxChars));
        bytesEaten = 0;
        if (window == 0) return 0;
        XMLSize_t made = 0;
        if (!holdsRotatedByte(source, window)) {
            made = table->transcodeFrom(source, window, toFill, maxChars, bytesEaten, charSizes);
        } else {
            rotated.assign(source, source + window);
            std::transform(rotated.begin(), rotated.end(), rotated.begin(), toTable);
            made = table->transcodeFrom(rotated.data(), window, toFill, maxChars, bytesEaten,
                                        charSizes);
        }
        return upToSubstitution(source, toFill, made, charSizes, bytesEaten);
    }

    XMLSize_t transcodeTo(const XMLCh* source, XMLSize_t count, XMLByte* toFill, XMLSize_t maxBytes,
                          XMLSize_t& charsEaten, UnRepOpts options) override {
        const XMLSize_t made =
            table->transcodeTo(source, count, toFill, maxBytes, charsEaten, options);
        if (holdsRotatedByte(toFill, made))
            std::transform(toFill, toFill + made, toFill, fromTable);
        return made;
    }

    // The table writes the three control characters too, only as other bytes.
    bool canTranscodeTo(unsigned int toCheck) override { return table->canTranscodeTo(toCheck); }

  private:
    // The characters before the first that stands in for bytes the code page does not assign.
    // Those bytes are refused when they come first: the parser's reader has then read on up
    // to them, and its record of the failure stands near them, not where its block began.
    XMLSize_t upToSubstitution(const XMLByte* source, const XMLCh* made, XMLSize_t count,
                               const unsigned char* sizes, XMLSize_t& bytesEaten) {
        XMLSize_t offset = 0;
        for (XMLSize_t i = 0; i < count; offset += sizes[i], ++i) {
            if (!isSubstitution(*this, made[i], source + offset, sizes[i])) continue;
            if (i == 0) refuseBytes();
            bytesEaten = offset;
            return i;
        }
        return count;
    }

    std::unique_ptr<XMLTranscoder> table;
    std::vector<XMLByte> rotated;
};

}  // namespace

void registerWindows31J() {
    // A parser whose transcoding service has no such table keeps its own mapping.
    if (makeTable(0, xercesc::XMLPlatformUtils::fgMemoryManager)) {
        registerUnderEveryName<Windows31JTranscoder>();
    }
}

}  // namespace tovalin::text
