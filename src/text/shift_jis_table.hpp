// Shift_JIS (code page 932) decoded through a table of every one- and two-byte character,
// built once by decoding each of them alone with the code set's transcoder, whose mapping it
// therefore is: long texts decode several times faster than through the transcoder.
#ifndef TOVALIN_TEXT_SHIFT_JIS_TABLE_HPP
#define TOVALIN_TEXT_SHIFT_JIS_TABLE_HPP

#include <array>
#include <vector>

#include <xercesc/util/XercesDefs.hpp>

namespace tovalin::text {

class ShiftJisTable {
  public:
    // The table, built on first use; null when the code set has no transcoder.
    static const ShiftJisTable* get();

    // As a transcoder's transcodeFrom: decodes up to maxChars characters of whole ones,
    // giving each one's size in bytes. Stops before a byte sequence the code set assigns no
    // character and before a lead byte that ends the bytes.
    XMLSize_t decode(const XMLByte* bytes, XMLSize_t count, XMLCh* toFill, XMLSize_t maxChars,
                     XMLSize_t& eaten, unsigned char* sizes) const;

  private:
    ShiftJisTable() = default;

    // No character: the code set assigns none to the bytes.
    static constexpr XMLCh none = 0xFFFF;
    std::array<XMLCh, 256> single{};
    // [lead - 0x80][trail] for each lead byte.
    std::vector<std::array<XMLCh, 256>> pairs;
};

}  // namespace tovalin::text

#endif
