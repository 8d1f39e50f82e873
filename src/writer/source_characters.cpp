#include "writer/source_characters.hpp"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "text/shift_jis_table.hpp"
#include "text/transcoder_cache.hpp"

namespace tovalin::writer {
namespace {

constexpr std::size_t stride = 256;

std::size_t sizeInShiftJis(char16_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
}

std::size_t sizeInUtf8(char16_t c) {
    if (c < 0x80) return 1;
    if (c < 0x800) return 2;
    if (c >= 0xD800 && c <= 0xDBFF) return 4;
    return c >= 0xDC00 && c <= 0xDFFF ? 0 : 3;
}

std::size_t sizeInUtf16(char16_t) { return 2; }

}  // namespace

SourceCharacters::SourceCharacters(const detail::SourceFile& source)
    : source(source),
      sizeOf(source.encoding == "Shift_JIS" ? sizeInShiftJis
             : source.encoding == "UTF-8"   ? sizeInUtf8
             : source.encoding == "UTF-16"  ? sizeInUtf16
                                            : nullptr) {
    const std::unique_ptr<xercesc::XMLTranscoder> transcoder =
        text::newTranscoder(source.transcoder);
    if (!transcoder) throw std::runtime_error("the file's encoding has no decoder");
    const text::ShiftJisTable* table =
        source.encoding == "Shift_JIS" ? text::ShiftJisTable::get() : nullptr;
    // No encoding the parser reads gives more characters than bytes.
    decoded.reserve(source.bytes.size());
    const auto* bytes = reinterpret_cast<const XMLByte*>(source.bytes.data());
    XMLCh block[text::transcoderBlockSize];
    unsigned char sizes[text::transcoderBlockSize];
    try {
        for (std::size_t at = 0; at < source.bytes.size();) {
            const XMLSize_t count = source.bytes.size() - at;
            XMLSize_t eaten = 0;
            XMLSize_t made = table != nullptr ? table->decode(bytes + at, count, block,
                                                              text::transcoderBlockSize, eaten, sizes)
                                              : 0;
            // What the table holds no character for, the transcoder decodes or refuses.
            if (eaten == 0) {
                made = transcoder->transcodeFrom(bytes + at, count, block,
                                                 text::transcoderBlockSize, eaten, sizes);
            }
            if (eaten == 0) throw std::runtime_error("the file ends within a character");
            take(block, made, sizes);
            at += eaten;
        }
    } catch (const xercesc::XMLException&) {
        throw std::runtime_error("the file's bytes do not decode");
    }
    strideStarts.push_back(counted);
}

void SourceCharacters::take(const XMLCh* some, XMLSize_t count, const unsigned char* sizes) {
    for (XMLSize_t i = 0; i < count;) {
        const std::size_t index = decoded.size() + i;
        if (index % stride == 0) strideStarts.push_back(counted);
        const XMLSize_t upTo = std::min<XMLSize_t>(count, i + stride - index % stride);
        for (; i < upTo; ++i) counted += sizes[i];
    }
    decoded.append(some, count);
}

bool SourceCharacters::locatesBytesFor(const std::string& encoding) const {
    if (sizeOf == nullptr || !ownEncoding(encoding) || counted != source.bytes.size()) return false;
    if (encoding != "UTF-16") return true;
    // The first character after a byte-order mark is markup or a space: ASCII.
    const std::size_t first = !decoded.empty() && decoded[0] == 0xFEFF ? 1 : 0;
    return first < decoded.size() &&
           static_cast<unsigned char>(source.bytes[2 * first]) == decoded[first] &&
           source.bytes[2 * first + 1] == 0;
}

// From the start of its stride; the sizes of the whole stride must add up to where the next
// one starts.
std::optional<std::size_t> SourceCharacters::byteAt(std::size_t character) const {
    const std::size_t first = character - character % stride;
    const std::size_t last = std::min(first + stride, decoded.size());
    if (first == last) return strideStarts[first / stride];
    std::size_t byte = strideStarts[first / stride];
    std::size_t at = byte;
    for (std::size_t i = first; i < last; ++i) {
        if (i == character) at = byte;
        byte += sizeOf(decoded[i]);
    }
    if (character == last) at = byte;
    if (byte != strideStarts[first / stride + 1]) return std::nullopt;
    return at;
}

std::optional<std::string_view> SourceCharacters::bytesOf(std::size_t begin,
                                                          std::size_t end) const {
    const std::optional<std::size_t> from = byteAt(begin);
    const std::optional<std::size_t> to = byteAt(end);
    if (!from || !to) return std::nullopt;
    return std::string_view(source.bytes).substr(*from, *to - *from);
}

}  // namespace tovalin::writer
