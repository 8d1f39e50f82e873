#include "writer/source_tokens.hpp"

namespace tovalin::writer {
namespace {

using Kind = SourceToken::Kind;
using text::XmlString;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool endsName(char16_t c) {
    return isSpace(c) || c == u'=' || c == u'>' || c == u'/' || c == u'?' || c == u'<' ||
           c == u'"' || c == u'\'';
}

bool startsWith(const XmlString& text, std::size_t at, const char16_t* prefix) {
    return text.compare(at, std::char_traits<char16_t>::length(prefix), prefix) == 0;
}

}  // namespace

SourceTokens::SourceTokens(const XmlString& characters, std::size_t from)
    : characters(characters), at(from) {}

bool SourceTokens::fail() {
    broken = true;
    return false;
}

SourceToken::Piece SourceTokens::piece(std::size_t begin, std::size_t end) const {
    return SourceToken::Piece(characters.data() + begin, end - begin);
}

bool SourceTokens::next(SourceToken& token) {
    if (broken || at >= characters.size()) return false;
    token.name = {};
    token.content = {};
    token.attributes.clear();
    token.empty = false;
    token.tail = 0;
    token.begin = at;
    if (characters[at] == u'<') return cutMarkup(token);
    const std::size_t stop = characters.find(u'<', at);
    at = stop == XmlString::npos ? characters.size() : stop;
    token.kind = Kind::text;
    token.end = at;
    return true;
}

bool SourceTokens::cutMarkup(SourceToken& token) {
    // Tags, by far the most pieces, are told apart by their second character.
    const char16_t second = at + 1 < characters.size() ? characters[at + 1] : u'\0';
    if (second != u'!' && second != u'?') return cutTag(token);
    if (startsWith(characters, at, u"<!--")) {
        token.kind = Kind::comment;
        return cutUntil(token, u"-->", 4);
    }
    if (startsWith(characters, at, u"<![CDATA[")) {
        token.kind = Kind::cdata;
        return cutUntil(token, u"]]>", 9);
    }
    if (startsWith(characters, at, u"<?")) {
        token.kind = Kind::instruction;
        if (!cutUntil(token, u"?>", 2)) return false;
        std::size_t name = 0;
        while (name < token.content.size() && !isSpace(token.content[name])) ++name;
        token.name = token.content.substr(0, name);
        while (name < token.content.size() && isSpace(token.content[name])) ++name;
        token.content.remove_prefix(name);
        return true;
    }
    if (startsWith(characters, at, u"<!DOCTYPE")) return cutDocumentType(token);
    return cutTag(token);
}

bool SourceTokens::cutUntil(SourceToken& token, const char16_t* close, std::size_t skip) {
    const std::size_t stop = characters.find(close, at + skip);
    if (stop == XmlString::npos) return fail();
    token.content = piece(at + skip, stop);
    at = stop + std::char_traits<char16_t>::length(close);
    token.end = at;
    return true;
}

// Up to the ">" that is outside quotation marks, the internal subset, comments and
// instructions.
bool SourceTokens::cutDocumentType(SourceToken& token) {
    token.kind = Kind::documentType;
    bool subset = false;
    for (std::size_t i = at + 9; i < characters.size(); ++i) {
        const char16_t c = characters[i];
        if (c == u'"' || c == u'\'') {
            i = characters.find(c, i + 1);
        } else if (subset && startsWith(characters, i, u"<!--")) {
            i = characters.find(u"-->", i + 4);
            if (i != XmlString::npos) i += 2;
        } else if (subset && startsWith(characters, i, u"<?")) {
            i = characters.find(u"?>", i + 2);
            if (i != XmlString::npos) ++i;
        } else if (c == u'[') {
            subset = true;
        } else if (c == u']') {
            subset = false;
        } else if (c == u'>' && !subset) {
            at = i + 1;
            token.end = at;
            return true;
        }
        if (i == XmlString::npos) break;
    }
    return fail();
}

bool SourceTokens::cutTag(SourceToken& token) {
    std::size_t i = at + 1;
    token.kind = Kind::startTag;
    if (i < characters.size() && characters[i] == u'/') {
        token.kind = Kind::endTag;
        ++i;
    }
    const std::size_t name = i;
    while (i < characters.size() && !endsName(characters[i])) ++i;
    token.name = piece(name, i);
    if (token.name.empty()) return fail();
    for (;;) {
        token.tail = i;
        while (i < characters.size() && isSpace(characters[i])) ++i;
        if (i >= characters.size()) return fail();
        if (characters[i] == u'>' || startsWith(characters, i, u"/>")) break;
        if (token.kind == Kind::endTag) return fail();
        const std::size_t attributeName = i;
        while (i < characters.size() && !endsName(characters[i])) ++i;
        SourceToken::Attribute attribute;
        attribute.begin = token.tail;
        attribute.name = piece(attributeName, i);
        while (i < characters.size() && isSpace(characters[i])) ++i;
        if (attribute.name.empty() || i >= characters.size() || characters[i] != u'=')
            return fail();
        ++i;
        while (i < characters.size() && isSpace(characters[i])) ++i;
        if (i >= characters.size() || (characters[i] != u'"' && characters[i] != u'\''))
            return fail();
        const std::size_t close = characters.find(characters[i], i + 1);
        if (close == XmlString::npos) return fail();
        attribute.value = piece(i + 1, close);
        attribute.valueBegin = i + 1;
        attribute.end = close + 1;
        token.attributes.push_back(attribute);
        i = close + 1;
    }
    token.empty = characters[i] == u'/';
    if (token.empty && token.kind == Kind::endTag) return fail();
    at = i + (token.empty ? 2 : 1);
    token.end = at;
    return true;
}

}  // namespace tovalin::writer
