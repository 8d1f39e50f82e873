#include "writer/kept_layout.hpp"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>

#include "node/declaration.hpp"
#include "node/layout_text.hpp"
#include "node/parent_of.hpp"
#include "node/tree.hpp"
#include "writer/node_markup.hpp"
#include "writer/source_characters.hpp"
#include "writer/source_tokens.hpp"
#include "writer/tree_writer.hpp"

namespace tovalin::writer {
namespace {

using Kind = SourceToken::Kind;
using Piece = SourceToken::Piece;
using text::orEmpty;
using text::XmlString;
using xercesc::DOMNode;

// Entity references nested deeper than this in an attribute value are not compared.
constexpr int deepestExpansion = 16;

// How many of the tree's next siblings a piece of the file is looked for among. A piece
// whose node stands further on is taken for removed, and the node is written anew: the file
// stays right, and many removals cost no more than this for each.
constexpr std::size_t lookahead = 1024;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Markup that reads as itself: no reference, no line end to normalize, and in an attribute
// value no whitespace a reader turns into a space.
bool readsAsItself(Piece markup, bool attribute) {
    for (const XMLCh c : markup) {
        if (c == u'&' || c == u'\r' || (attribute && (c == u'\t' || c == u'\n'))) return false;
    }
    return true;
}

bool equals(Piece markup, const XMLCh* value) {
    return xercesc::XMLString::stringLen(value) == markup.size() &&
           std::char_traits<XMLCh>::compare(markup.data(), value, markup.size()) == 0;
}

// Whether the content of a comment, instruction or section reads as the value: its line
// ends read as line feeds.
bool readsAs(Piece content, const XMLCh* value) {
    for (std::size_t i = 0; i < content.size(); ++i, ++value) {
        XMLCh c = content[i];
        if (c == u'\r') {
            if (i + 1 < content.size() && content[i + 1] == u'\n') ++i;
            c = u'\n';
        }
        if (*value != c) return false;
    }
    return *value == 0;
}

void appendCodePoint(XmlString& text, unsigned long code) {
    if (code > 0xFFFF) {
        text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
        text += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        text += static_cast<char16_t>(code);
    }
}

// What the markup reads as, as a reader reads text (attribute false) or an attribute value;
// nothing when it names an entity whose text the writer cannot compare.
class Reading {
  public:
    explicit Reading(const detail::SourceFile& source) : source(source) {}

    std::optional<XmlString> text(Piece markup) const {
        XmlString read;
        return append(markup, false, 0, read) ? std::optional<XmlString>(read) : std::nullopt;
    }

    std::optional<XmlString> attribute(Piece markup, bool tokenized) const {
        XmlString read;
        if (!append(markup, true, 0, read)) return std::nullopt;
        if (!tokenized) return read;
        XmlString collapsed;
        for (const char16_t c : read) {
            if (c == u' ' && (collapsed.empty() || collapsed.back() == u' ')) continue;
            collapsed += c;
        }
        if (!collapsed.empty() && collapsed.back() == u' ') collapsed.pop_back();
        return collapsed;
    }

  private:
    bool append(Piece markup, bool attribute, int depth, XmlString& read) const {
        for (std::size_t i = 0; i < markup.size(); ++i) {
            const char16_t c = markup[i];
            // Line ends are read as one line feed in the file, not in an entity's text.
            if (c == u'\r' && depth == 0) {
                if (i + 1 < markup.size() && markup[i + 1] == u'\n') ++i;
                read += attribute ? u' ' : u'\n';
            } else if (c != u'&') {
                read += attribute && isSpace(c) ? u' ' : c;
            } else {
                const std::size_t end = markup.find(u';', i);
                if (end == Piece::npos ||
                    !reference(markup.substr(i + 1, end - i - 1), attribute, depth, read)) {
                    return false;
                }
                i = end;
            }
        }
        return true;
    }

    bool reference(Piece name, bool attribute, int depth, XmlString& read) const {
        if (!name.empty() && name[0] == u'#') {
            const bool hex = name.size() > 1 && name[1] == u'x';
            unsigned long code = 0;
            for (std::size_t i = hex ? 2 : 1; i < name.size(); ++i) {
                const char16_t d = name[i];
                const int digit = d >= u'0' && d <= u'9'   ? d - u'0'
                                  : d >= u'a' && d <= u'f' ? d - u'a' + 10
                                  : d >= u'A' && d <= u'F' ? d - u'A' + 10
                                                           : 99;
                if (digit >= (hex ? 16 : 10) || code > 0x10FFFF) return false;
                code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
            }
            appendCodePoint(read, code);
            return true;
        }
        static const std::pair<const char16_t*, char16_t> predefined[] = {
            {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};
        for (const auto& [entity, character] : predefined) {
            if (name == entity) {
                read += character;
                return true;
            }
        }
        const auto found = source.entityValues.find(XmlString(name));
        if (found == source.entityValues.end() || depth >= deepestExpansion) return false;
        const XmlString& value = found->second;
        // In text an entity may hold markup, which becomes nodes; only text compares.
        if (!attribute && value.find(u'<') != XmlString::npos) return false;
        return append(value, attribute, depth + 1, read);
    }

    const detail::SourceFile& source;
};

// Outside the root element the parser keeps only layout, which is not written as text.
bool isWrittenChild(const DOMNode* node) {
    if (node->getNodeType() == DOMNode::ELEMENT_NODE) return true;
    return isWritten(node) && !(node->getNodeType() == DOMNode::TEXT_NODE &&
                                detail::parentOf(node)->getNodeType() == DOMNode::DOCUMENT_NODE);
}

const DOMNode* writtenFrom(const DOMNode* node) {
    while (node != nullptr && !isWrittenChild(node)) node = node->getNextSibling();
    return node;
}

// The file's first line end when it is not a line feed alone ("\r\n" or "\r"), else empty.
XmlString firstLineEnd(const XmlString& characters) {
    const std::size_t at = characters.find_first_of(u"\r\n");
    if (at == XmlString::npos || characters[at] == u'\n') return {};
    return at + 1 < characters.size() && characters[at + 1] == u'\n' ? u"\r\n" : u"\r";
}

// The pieces a save copies from the file: its own bytes where the save is in the file's
// encoding and knows where they stand, else its characters, whose line ends become line feeds
// in a save in another encoding, as that encoding's saves end lines. Pieces that follow each
// other in the file are copied as one run, so that an unedited file is located only once.
// Whatever else the save writes goes through output(), after the run so far.
class Copier {
  public:
    Copier(MarkupOutput& out, xercesc::XMLFormatTarget& target, const SourceCharacters& source,
           const std::string& encoding)
        : out(out),
          target(target),
          source(source),
          ownEncoding(source.ownEncoding(encoding)),
          bytes(source.locatesBytesFor(encoding)) {}

    void copy(std::size_t begin, std::size_t end) {
        if (begin != runEnd) endRun();
        if (runBegin == runEnd) runBegin = begin;
        runEnd = end;
    }

    MarkupOutput& output() {
        endRun();
        return out;
    }

    bool inOwnEncoding() const { return ownEncoding; }

  private:
    void endRun() {
        if (runBegin == runEnd) return;
        const std::optional<std::string_view> held =
            bytes ? source.bytesOf(runBegin, runEnd) : std::nullopt;
        const XMLCh* const characters = source.characters().data() + runBegin;
        if (held) {
            out.flush();
            target.writeChars(reinterpret_cast<const XMLByte*>(held->data()), held->size(),
                              nullptr);
        } else if (ownEncoding) {
            out.markup(characters, runEnd - runBegin);
        } else {
            out.markup(withLineFeeds(XmlString(characters, runEnd - runBegin)));
        }
        runBegin = runEnd = 0;
    }

    MarkupOutput& out;
    xercesc::XMLFormatTarget& target;
    const SourceCharacters& source;
    const bool ownEncoding;
    const bool bytes;
    // The characters [runBegin, runEnd) are yet to be copied.
    std::size_t runBegin = 0;
    std::size_t runEnd = 0;
};

class KeptWriter {
  public:
    KeptWriter(MarkupOutput& out, Copier& copier, const detail::SourceFile& source,
               const XmlString& characters, const XmlString& encoding)
        : copier(copier),
          characters(characters),
          source(source),
          reading(source),
          generator(out, encoding, {XmlString(), XmlString(), false}),
          encoding(encoding),
          lineEnd(copier.inOwnEncoding() ? firstLineEnd(characters) : XmlString()) {}

    void write(const xercesc::DOMDocument* document) {
        const std::size_t start = !characters.empty() && characters[0] == 0xFEFF ? 1 : 0;
        // A UTF-16 save writes its own byte-order mark; another encoding has none.
        if (start == 1 && copier.inOwnEncoding() && source.encoding != "UTF-16") copyOut(0, 1);
        if (!copier.inOwnEncoding()) declareWhereUndeclared(document);
        frames.push_back({document, writtenFrom(document->getFirstChild()), false});
        SourceTokens tokens(characters, start);
        SourceToken token;
        while (tokens.next(token)) take(token);
        if (tokens.failed() || frames.size() != 1) {
            throw std::runtime_error("the file's markup does not match the tree");
        }
        insertRest(frames.back());
        layoutBefore(frames.back(), false);
        copier.output();
    }

  private:
    // A pseudo-attribute of the declaration, where its value stands in the file: [valueBegin,
    // end - 1).
    struct Stated {
        XmlString name;
        XmlString value;
        std::size_t valueBegin;
        std::size_t end;
    };

    // A container being written: the document, or an element whose content follows.
    struct Frame {
        const DOMNode* parent;
        // Its next child not yet written.
        const DOMNode* next;
        // Its spaces are data (xml:space), so no layout is copied within it.
        bool preserve;
        // The last node written in it was text.
        bool afterText = false;
        // Layout of the file seen since the last node: [begin, end).
        std::size_t layoutBegin = 0;
        std::size_t layoutEnd = 0;
        // The last layout copied in it, for nodes that are new.
        std::size_t lastBegin = 0;
        std::size_t lastEnd = 0;
    };

    void take(const SourceToken& token) {
        if (skipping > 0) {
            if (token.kind == Kind::startTag && !token.empty) ++skipping;
            if (token.kind == Kind::endTag) --skipping;
            return;
        }
        Frame& frame = frames.back();
        if (token.kind == Kind::endTag) {
            close(token);
            return;
        }
        if (token.kind == Kind::text && isLayout(frame, token)) {
            frame.layoutBegin = token.begin;
            frame.layoutEnd = token.end;
            return;
        }
        std::size_t looked = 0;
        for (const DOMNode* node = frame.next; node != nullptr && looked < lookahead;
             node = writtenFrom(node->getNextSibling()), ++looked) {
            if (!matches(token, node)) continue;
            while (frame.next != node) insertNext(frame);
            copy(token, frame);
            return;
        }
        // Gone from the tree: so is the layout that led to it.
        frame.layoutEnd = frame.layoutBegin;
        if (token.kind == Kind::startTag && !token.empty) skipping = 1;
    }

    // Whitespace that is no node of the tree: the load left it out, and leaves it out again
    // where it is copied.
    bool isLayout(const Frame& frame, const SourceToken& token) const {
        for (std::size_t i = token.begin; i < token.end; ++i) {
            if (isSpace(characters[i])) continue;
            if (characters[i] != u'&') return false;
            const std::optional<XmlString> read = reading.text(markupOf(token));
            if (!read || read->find_first_not_of(u" \t\r\n") != XmlString::npos) return false;
            break;
        }
        return frame.next == nullptr || frame.next->getNodeType() != DOMNode::TEXT_NODE ||
               !matches(token, frame.next);
    }

    Piece markupOf(const SourceToken& token) const {
        return Piece(characters).substr(token.begin, token.end - token.begin);
    }

    void copyOut(std::size_t begin, std::size_t end) { copier.copy(begin, end); }

    bool matches(const SourceToken& token, const DOMNode* node) const {
        const XMLCh* const value = node->getNodeValue() != nullptr ? node->getNodeValue() : u"";
        switch (token.kind) {
            case Kind::text: {
                if (node->getNodeType() != DOMNode::TEXT_NODE) return false;
                const Piece markup = markupOf(token);
                if (readsAsItself(markup, false)) return equals(markup, value);
                const std::optional<XmlString> read = reading.text(markupOf(token));
                return read && *read == value;
            }
            case Kind::cdata:
                return node->getNodeType() == DOMNode::CDATA_SECTION_NODE &&
                       readsAs(token.content, value);
            case Kind::comment:
                return node->getNodeType() == DOMNode::COMMENT_NODE &&
                       readsAs(token.content, value);
            case Kind::instruction:
                if (token.name == u"xml") return sameDeclaration(token, node);
                return node->getNodeType() == DOMNode::PROCESSING_INSTRUCTION_NODE &&
                       !declaration::isDeclaration(node) && token.name == node->getNodeName() &&
                       readsAs(token.content, value);
            case Kind::documentType:
                return node == source.documentType;
            case Kind::startTag:
                return node->getNodeType() == DOMNode::ELEMENT_NODE &&
                       token.name == node->getNodeName();
            case Kind::endTag:
                return false;
        }
        return false;
    }

    // The pseudo-attributes of a declaration as the file states them; nothing when they do
    // not read as attributes.
    std::optional<std::vector<Stated>> statedIn(const SourceToken& declaration) const {
        const XmlString asTag = u"<x " + XmlString(declaration.content) + u">";
        SourceToken pseudo;
        if (!SourceTokens(asTag).next(pseudo)) return std::nullopt;
        // Where the tag's first character would stand in the file.
        const std::size_t shift = declaration.end - 2 - declaration.content.size() - 3;
        std::vector<Stated> stated;
        for (const auto& attribute : pseudo.attributes) {
            stated.push_back({XmlString(attribute.name), XmlString(attribute.value),
                              attribute.valueBegin + shift, attribute.end + shift});
        }
        return stated;
    }

    static const Stated* named(const std::vector<Stated>& stated, const char16_t* name) {
        for (const Stated& attribute : stated) {
            if (attribute.name == name) return &attribute;
        }
        return nullptr;
    }

    // A save in another encoding names its own in the declaration.
    bool sameDeclaration(const SourceToken& token, const DOMNode* node) const {
        if (!declaration::isDeclaration(node)) return false;
        const std::optional<std::vector<Stated>> stated = statedIn(token);
        if (!stated) return false;
        std::size_t known = 0;
        for (const char16_t* name : {u"version", u"encoding", u"standalone"}) {
            const Stated* attribute = named(*stated, name);
            known += attribute != nullptr ? 1 : 0;
            if (!copier.inOwnEncoding() && XmlString(name) == u"encoding") continue;
            if ((attribute != nullptr ? attribute->value : XmlString()) !=
                declaration::valueOf(node, name)) {
                return false;
            }
        }
        return known == stated->size();
    }

    // The declaration as the file wrote it, naming the save's encoding.
    void copyDeclaration(const SourceToken& token) {
        const std::vector<Stated> stated = *statedIn(token);
        if (const Stated* encodingStated = named(stated, u"encoding")) {
            copyOut(token.begin, encodingStated->valueBegin);
            copier.output().markup(encoding);
            copyOut(encodingStated->end - 1, token.end);
            return;
        }
        // A declaration states its version first (sameDeclaration found it); the encoding
        // follows it.
        const Stated* version = named(stated, u"version");
        copyOut(token.begin, version->end);
        const XmlString quote(1, characters[version->end - 1]);
        copier.output().markup(u" encoding=" + quote + encoding + quote);
        copyOut(version->end, token.end);
    }

    // Only the declaration names the encoding to a reader, and only UTF-16 is read right
    // without one.
    void declareWhereUndeclared(const xercesc::DOMDocument* document) {
        if (declaration::isDeclaration(document->getFirstChild()) || encoding == u"UTF-16") return;
        writeDeclaration(copier.output(), u"1.0", encoding, XmlString());
        copier.output().literal(u"\n");
    }

    // Whether the attribute the tag states reads as the value the tree holds.
    bool sameValue(const SourceToken::Attribute& stated, const xercesc::DOMElement* element,
                   const xercesc::DOMAttr* attribute) const {
        const bool tokenized =
            !source.tokenizedAttributes.empty() &&
            source.tokenizedAttributes.count(XmlString(element->getNodeName()) + u" " +
                                             XmlString(stated.name)) != 0;
        const Piece markup = stated.value;
        if (!tokenized && readsAsItself(markup, true)) {
            return equals(markup, attribute->getValue());
        }
        const std::optional<XmlString> read = reading.attribute(markup, tokenized);
        return read && *read == orEmpty(attribute->getValue());
    }

    // The start tag as the file wrote it, but for the attributes that changed: a changed
    // value is written anew between its quotation marks, a removed attribute goes with the
    // spaces before it, and a new one is added before the tag's end.
    void writeStartTag(const SourceToken& token, const xercesc::DOMElement* element) {
        copyOut(token.begin, token.attributes.empty() ? token.tail : token.attributes[0].begin);
        for (const auto& written : token.attributes) {
            const xercesc::DOMAttr* attribute = attributeNamed(element, written.name);
            if (attribute == nullptr || !attribute->getSpecified()) continue;
            if (sameValue(written, element, attribute)) {
                copyOut(written.begin, written.end);
                continue;
            }
            copyOut(written.begin, written.valueBegin);
            copier.output().attributeValue(attribute->getValue(), characters[written.end - 1]);
            copyOut(written.end - 1, written.end);
        }
        const xercesc::DOMNamedNodeMap* attributes = element->getAttributes();
        for (XMLSize_t i = 0; attributes != nullptr && i < attributes->getLength(); ++i) {
            const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
            if (!attribute->getSpecified() || statedIn(token, attribute->getName())) continue;
            writeAttribute(copier.output(), attribute->getName(), attribute->getValue());
        }
        copyOut(token.tail, token.end);
    }

    static const xercesc::DOMAttr* attributeNamed(const xercesc::DOMElement* element, Piece name) {
        const xercesc::DOMNamedNodeMap* attributes = element->getAttributes();
        for (XMLSize_t i = 0; attributes != nullptr && i < attributes->getLength(); ++i) {
            const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
            if (name == attribute->getName()) return attribute;
        }
        return nullptr;
    }

    static bool statedIn(const SourceToken& token, const XMLCh* name) {
        for (const auto& written : token.attributes) {
            if (written.name == name) return true;
        }
        return false;
    }

    // Copies the layout before a node, where it cannot join text: within xml:space="preserve"
    // whitespace is text, so layout the tree lacks there was taken away.
    void layoutBefore(Frame& frame, bool textFollows) {
        const bool document = frame.parent->getNodeType() == DOMNode::DOCUMENT_NODE;
        if (frame.layoutEnd > frame.layoutBegin &&
            (document || (!frame.preserve && !frame.afterText && !textFollows))) {
            copyOut(frame.layoutBegin, frame.layoutEnd);
            frame.lastBegin = frame.layoutBegin;
            frame.lastEnd = frame.layoutEnd;
        }
        frame.layoutEnd = frame.layoutBegin;
    }

    // A node the file does not have, laid out as the sibling before it was.
    void insertNext(Frame& frame) {
        const DOMNode* node = frame.next;
        const bool isText = node->getNodeType() == DOMNode::TEXT_NODE;
        const bool document = frame.parent->getNodeType() == DOMNode::DOCUMENT_NODE;
        const bool afterSibling = frame.lastEnd > frame.lastBegin;
        const std::size_t begin = afterSibling ? frame.lastBegin : frame.layoutBegin;
        const std::size_t end = afterSibling ? frame.lastEnd : frame.layoutEnd;
        if (end > begin && (document || (!frame.preserve && !frame.afterText && !isText))) {
            copyOut(begin, end);
        }
        generate(node, frame.preserve);
        frame.afterText = isText;
        frame.next = writtenFrom(node->getNextSibling());
    }

    // Writes the node from the tree, its line feeds ending lines as the file's first line
    // end does.
    void generate(const DOMNode* node, bool preserve) {
        MarkupOutput& out = copier.output();
        out.setLineEnd(lineEnd);
        generator.writeNode(node, true, preserve);
        out.setLineEnd(XmlString());
    }

    void insertRest(Frame& frame) {
        while (frame.next != nullptr) insertNext(frame);
    }

    void copy(const SourceToken& token, Frame& frame) {
        const DOMNode* node = frame.next;
        const bool isText = token.kind == Kind::text;
        layoutBefore(frame, isText);
        frame.afterText = isText;
        frame.next = writtenFrom(node->getNextSibling());
        if (declaration::isDeclaration(node) && !copier.inOwnEncoding()) {
            copyDeclaration(token);
            return;
        }
        if (token.kind != Kind::startTag) {
            copyOut(token.begin, token.end);
            return;
        }
        const auto* element = static_cast<const xercesc::DOMElement*>(node);
        if (token.empty && element->hasChildNodes()) {
            generate(node, frame.preserve);
            return;
        }
        writeStartTag(token, element);
        if (token.empty) return;
        const bool preserve = preservesWithin(spaceRuleOf(element), frame.preserve);
        frames.push_back({node, writtenFrom(node->getFirstChild()), preserve});
    }

    void close(const SourceToken& token) {
        Frame& frame = frames.back();
        insertRest(frame);
        layoutBefore(frame, false);
        copyOut(token.begin, token.end);
        frames.pop_back();
        if (frames.empty()) throw std::runtime_error("the file's markup does not match the tree");
    }

    Copier& copier;
    // The file's characters, line ends and byte-order mark as they stand.
    const XmlString& characters;
    const detail::SourceFile& source;
    const Reading reading;
    TreeWriter generator;
    // The encoding the save names.
    const XmlString encoding;
    // What a generated line feed is written as: empty where the file ends lines with one.
    const XmlString lineEnd;
    std::vector<Frame> frames;
    // While above zero, the tokens of an element the tree no longer has are passed over.
    std::size_t skipping = 0;
};

}  // namespace

bool canKeepLayout(const xercesc::DOMDocument* document) {
    const detail::Tree* tree = detail::Tree::of(document);
    return tree != nullptr && tree->source != nullptr && tree->source->comparable;
}

bool keepsLineEnds(const xercesc::DOMDocument* document, const std::string& encoding) {
    return canKeepLayout(document) && detail::Tree::of(document)->source->encoding == encoding;
}

void writeKeptLayout(xercesc::XMLFormatter& formatter, xercesc::XMLFormatTarget& target,
                     const xercesc::DOMDocument* document, const std::string& encoding) {
    const detail::SourceFile& source = *detail::Tree::of(document)->source;
    SourceCharacters characters(source);
    writeChecked(formatter, document, encoding, [&](MarkupOutput& out) {
        Copier copier(out, target, characters, encoding);
        KeptWriter(out, copier, source, characters.characters(), text::toXml(encoding))
            .write(document);
    });
}

}  // namespace tovalin::writer
