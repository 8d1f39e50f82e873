// The characters of a kept file, decoded for comparison with the tree, and where runs of them
// stand in the file's bytes: a save in the file's own encoding copies the bytes of what did
// not change rather than encoding the characters once more.
#ifndef TOVALIN_WRITER_SOURCE_CHARACTERS_HPP
#define TOVALIN_WRITER_SOURCE_CHARACTERS_HPP

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "node/source_file.hpp"
#include "text/code_page.hpp"

namespace tovalin::writer {

class SourceCharacters {
  public:
    // Throws std::runtime_error when the bytes do not decode.
    explicit SourceCharacters(const detail::SourceFile& source);

    const text::XmlString& characters() const { return decoded; }
    // Whether the encoding (as the document object names encodings) is the file's.
    bool ownEncoding(const std::string& encoding) const { return encoding == source.encoding; }
    // Whether bytesOf may be asked: the save is in the file's own encoding, least significant
    // byte first in UTF-16, and each character's size in it is known.
    bool locatesBytesFor(const std::string& encoding) const;
    // The bytes that hold the characters [begin, end); nothing where the sizes the decoder
    // gave do not bear out those the encoding's characters have.
    std::optional<std::string_view> bytesOf(std::size_t begin, std::size_t end) const;

  private:
    using SizeOf = std::size_t (*)(char16_t);

    void take(const XMLCh* some, XMLSize_t count, const unsigned char* sizes);
    std::optional<std::size_t> byteAt(std::size_t character) const;

    const detail::SourceFile& source;
    text::XmlString decoded;
    // The size of a character in the file's encoding, the whole pair given to the first
    // half of a surrogate pair; null when not known for the encoding.
    SizeOf sizeOf;
    // Where each stride-th character begins, by the sizes the decoder gave, and lastly the
    // end: [i] is the byte of character min(i * stride, characters().size()).
    std::vector<std::size_t> strideStarts;
    std::size_t counted = 0;
};

}  // namespace tovalin::writer

#endif
