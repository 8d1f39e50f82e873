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
#include "text/transcoder_cache.hpp"
#include "writer/node_markup.hpp"
#include "writer/source_tokens.hpp"
#include "writer/tree_writer.hpp"

namespace tovalin::writer {
namespace {

using Kind = SourceToken::Kind;
using text::orEmpty;
using text::XmlString;
using xercesc::DOMNode;

// Entity references nested deeper than this in an attribute value are not compared.
constexpr int deepestExpansion = 16;

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Markup that reads as itself: no reference, no line end to normalize, and in an attribute
// value no whitespace a reader turns into a space.
bool readsAsItself(const XMLCh* markup, std::size_t length, bool attribute) {
    for (std::size_t i = 0; i < length; ++i) {
        const XMLCh c = markup[i];
        if (c == u'&' || c == u'\r' || (attribute && (c == u'\t' || c == u'\n'))) return false;
    }
    return true;
}

bool equals(const XMLCh* markup, std::size_t length, const XMLCh* value) {
    return xercesc::XMLString::stringLen(value) == length &&
           std::char_traits<XMLCh>::compare(markup, value, length) == 0;
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

    std::optional<XmlString> text(const XmlString& markup) const {
        XmlString read;
        return append(markup, false, 0, read) ? std::optional<XmlString>(read) : std::nullopt;
    }

    std::optional<XmlString> attribute(const XmlString& markup, bool tokenized) const {
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
    bool append(const XmlString& markup, bool attribute, int depth, XmlString& read) const {
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
                if (end == XmlString::npos ||
                    !reference(markup.substr(i + 1, end - i - 1), attribute, depth, read)) {
                    return false;
                }
                i = end;
            }
        }
        return true;
    }

    bool reference(const XmlString& name, bool attribute, int depth, XmlString& read) const {
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
        const auto found = source.entityValues.find(name);
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

class KeptWriter {
  public:
    KeptWriter(MarkupOutput& out, const detail::SourceFile& source, const XmlString& characters,
               const XmlString& encoding)
        : out(out),
          characters(characters),
          source(source),
          reading(source),
          generator(out, encoding, {XmlString(), XmlString(), false}),
          lineEnd(firstLineEnd(characters)) {}

    void write(const xercesc::DOMDocument* document) {
        const std::size_t start = !characters.empty() && characters[0] == 0xFEFF ? 1 : 0;
        // A UTF-16 save writes its own byte-order mark.
        if (start == 1 && source.encoding != "UTF-16") out.markup(characters.substr(0, 1));
        frames.push_back({document, writtenFrom(document->getFirstChild()), false});
        SourceTokens tokens(characters, start);
        SourceToken token;
        while (tokens.next(token)) take(token);
        if (tokens.failed() || frames.size() != 1) {
            throw std::runtime_error("the file's markup does not match the tree");
        }
        insertRest(frames.back());
        layoutBefore(frames.back(), false);
    }

  private:
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
        for (const DOMNode* node = frame.next; node != nullptr;
             node = writtenFrom(node->getNextSibling())) {
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

    XmlString markupOf(const SourceToken& token) const {
        return characters.substr(token.begin, token.end - token.begin);
    }

    void copyOut(std::size_t begin, std::size_t end) {
        out.markup(characters.data() + begin, end - begin);
    }

    bool matches(const SourceToken& token, const DOMNode* node) const {
        const XMLCh* const value = node->getNodeValue() != nullptr ? node->getNodeValue() : u"";
        switch (token.kind) {
            case Kind::text: {
                if (node->getNodeType() != DOMNode::TEXT_NODE) return false;
                const XMLCh* markup = characters.data() + token.begin;
                const std::size_t length = token.end - token.begin;
                if (readsAsItself(markup, length, false)) {
                    return equals(markup, length, value);
                }
                const std::optional<XmlString> read = reading.text(markupOf(token));
                return read && *read == value;
            }
            case Kind::cdata:
                return node->getNodeType() == DOMNode::CDATA_SECTION_NODE &&
                       withLineFeeds(token.content) == value;
            case Kind::comment:
                return node->getNodeType() == DOMNode::COMMENT_NODE &&
                       withLineFeeds(token.content) == value;
            case Kind::instruction:
                if (token.name == u"xml") return sameDeclaration(token, node);
                return node->getNodeType() == DOMNode::PROCESSING_INSTRUCTION_NODE &&
                       !declaration::isDeclaration(node) && token.name == node->getNodeName() &&
                       withLineFeeds(token.content) == value;
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

    bool sameDeclaration(const SourceToken& token, const DOMNode* node) const {
        if (!declaration::isDeclaration(node)) return false;
        SourceToken pseudo;
        const XmlString asTag = u"<x " + token.content + u">";
        if (!SourceTokens(asTag).next(pseudo)) return false;
        std::size_t named = 0;
        for (const char16_t* name : {u"version", u"encoding", u"standalone"}) {
            XmlString stated;
            for (const auto& attribute : pseudo.attributes) {
                if (attribute.name == name) stated = attribute.value;
            }
            if (stated != declaration::valueOf(node, name)) return false;
            named += stated.empty() ? 0 : 1;
        }
        return named == pseudo.attributes.size();
    }

    // Whether the attribute the tag states reads as the value the tree holds.
    bool sameValue(const SourceToken::Attribute& stated, const xercesc::DOMElement* element,
                   const xercesc::DOMAttr* attribute) const {
        const bool tokenized = !source.tokenizedAttributes.empty() &&
                               source.tokenizedAttributes.count(XmlString(element->getNodeName()) +
                                                                u" " + stated.name) != 0;
        const XmlString& markup = stated.value;
        if (!tokenized && readsAsItself(markup.data(), markup.size(), true)) {
            return equals(markup.data(), markup.size(), attribute->getValue());
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
            const xercesc::DOMAttr* attribute = element->getAttributeNode(written.name.c_str());
            if (attribute == nullptr || !attribute->getSpecified()) continue;
            if (sameValue(written, element, attribute)) {
                copyOut(written.begin, written.end);
                continue;
            }
            copyOut(written.begin, written.valueBegin);
            out.attributeValue(attribute->getValue(), characters[written.end - 1]);
            copyOut(written.end - 1, written.end);
        }
        const xercesc::DOMNamedNodeMap* attributes = element->getAttributes();
        for (XMLSize_t i = 0; attributes != nullptr && i < attributes->getLength(); ++i) {
            const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
            if (!attribute->getSpecified() || statedIn(token, attribute->getName())) continue;
            writeAttribute(out, attribute->getName(), attribute->getValue());
        }
        copyOut(token.tail, token.end);
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
            out.markup(characters.substr(frame.layoutBegin, frame.layoutEnd - frame.layoutBegin));
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

    MarkupOutput& out;
    // The file's characters, line ends and byte-order mark as they stand.
    const XmlString& characters;
    const detail::SourceFile& source;
    const Reading reading;
    TreeWriter generator;
    // What a generated line feed is written as: empty where the file ends lines with one.
    const XmlString lineEnd;
    std::vector<Frame> frames;
    // While above zero, the tokens of an element the tree no longer has are passed over.
    std::size_t skipping = 0;
};

}  // namespace

bool canKeepLayout(const xercesc::DOMDocument* document, const std::string& encoding) {
    const detail::Tree* tree = detail::Tree::of(document);
    return tree != nullptr && tree->source != nullptr && tree->source->comparable &&
           tree->source->encoding == encoding;
}

void writeKeptLayout(xercesc::XMLFormatter& formatter, const xercesc::DOMDocument* document,
                     const std::string& encoding) {
    const detail::SourceFile& source = *detail::Tree::of(document)->source;
    XmlString characters;
    // No encoding the parser reads gives more characters than bytes.
    characters.reserve(source.bytes.size());
    std::size_t at = 0;
    const auto read = [&](char* block, std::size_t size) {
        const std::size_t got = std::min(size, source.bytes.size() - at);
        source.bytes.copy(block, got, at);
        at += got;
        return got;
    };
    const bool decoded =
        text::decode(source.transcoder, read, [&](const XMLCh* some, XMLSize_t count) {
            characters.append(some, count);
            return true;
        });
    if (!decoded) throw std::runtime_error("the file's bytes do not decode");
    writeChecked(formatter, document, encoding, [&](MarkupOutput& out) {
        KeptWriter(out, source, characters, text::toXml(encoding)).write(document);
    });
}

}  // namespace tovalin::writer
