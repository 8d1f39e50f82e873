// The markup of a loaded file cut into the pieces a save in the keep layout copies: each
// tag, text run, comment, instruction, CDATA section and the document type, with where it
// stands. The file loaded, so it is well formed; anything else ends the cutting as failed.
#ifndef TOVALIN_WRITER_SOURCE_TOKENS_HPP
#define TOVALIN_WRITER_SOURCE_TOKENS_HPP

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/code_page.hpp"

namespace tovalin::writer {

// Names and contents are views into the characters cut, which must outlive the token.
struct SourceToken {
    using Piece = std::u16string_view;
    enum class Kind { text, cdata, comment, instruction, documentType, startTag, endTag };
    struct Attribute {
        Piece name;
        // The value between the quotation marks, references and all.
        Piece value;
        // From the spaces before the name to the closing quotation mark: [begin, end); the
        // value stands in [valueBegin, end - 1).
        std::size_t begin = 0;
        std::size_t valueBegin = 0;
        std::size_t end = 0;
    };
    Kind kind = Kind::text;
    // Where the piece stands in the file's characters: [begin, end).
    std::size_t begin = 0;
    std::size_t end = 0;
    // The name of a tag, the target of an instruction.
    Piece name;
    // What a comment, instruction or section holds, as it stands in the file.
    Piece content;
    std::vector<Attribute> attributes;
    // A start tag that closes itself: "<a/>".
    bool empty = false;
    // Where the spaces before a tag's ">" or "/>" begin.
    std::size_t tail = 0;
};

class SourceTokens {
  public:
    explicit SourceTokens(const text::XmlString& characters, std::size_t from = 0);
    // The next piece, reusing the token's room; false at the end of the characters, or when they are not markup as
    // the cutting knows it (then failed() is true).
    bool next(SourceToken& token);
    bool failed() const { return broken; }

  private:
    bool cutMarkup(SourceToken& token);
    bool cutTag(SourceToken& token);
    bool cutUntil(SourceToken& token, const char16_t* close, std::size_t skip);
    bool cutDocumentType(SourceToken& token);
    bool fail();

    SourceToken::Piece piece(std::size_t begin, std::size_t end) const;

    const text::XmlString& characters;
    std::size_t at;
    bool broken = false;
};

}  // namespace tovalin::writer

#endif
