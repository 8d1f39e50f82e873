// Which characters a saved file can carry. A file must hold only characters XML allows,
// each of them representable in the file's encoding in a way that reads back as the same
// character: the Shift_JIS transcoder drops some characters (U+FEFF) without complaint.
#ifndef TOVALIN_WRITER_CHARACTER_CHECK_HPP
#define TOVALIN_WRITER_CHARACTER_CHECK_HPP

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include <xercesc/util/XercesDefs.hpp>

namespace tovalin::writer {

// A character the file cannot carry, as a code point.
struct UnwritableCharacter : std::domain_error {
    UnwritableCharacter(unsigned long codePoint, const std::string& encoding);
    unsigned long codePoint;
};

class CharacterCheck {
  public:
    // The encoding name as the file declares it: "UTF-16", "UTF-8" or "Shift_JIS".
    explicit CharacterCheck(std::string encoding);

    // Throws UnwritableCharacter for the first character the file cannot carry.
    void require(const XMLCh* text, std::size_t length);
    // In an XML 1.1 file the C1 controls cannot stand as they are, and NEL and LS read back
    // as line ends.
    void setXml11(bool on) { xml11 = on; }

  private:
    bool representable(XMLCh character);

    std::string encoding;
    bool unicode;
    bool xml11 = false;
    // Per BMP character of the non-Unicode encoding: 0 not yet asked, 1 yes, 2 no.
    std::vector<unsigned char> answers;
};

}  // namespace tovalin::writer

#endif
