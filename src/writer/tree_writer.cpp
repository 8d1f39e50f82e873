#include "writer/tree_writer.hpp"

#include <stdexcept>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/declaration.hpp"
#include "node/parent_of.hpp"
#include "text/code_page.hpp"
#include "text/format_string.hpp"
#include "writer/document_type.hpp"
#include "writer/markup_output.hpp"
#include "writer/save_messages.hpp"

namespace tovalin::writer {
namespace {

using text::orEmpty;
using text::XmlString;
using xercesc::DOMNode;

bool isWritten(const DOMNode* node) {
    switch (node->getNodeType()) {
        case DOMNode::DOCUMENT_NODE:
        case DOMNode::DOCUMENT_TYPE_NODE:
        case DOMNode::ELEMENT_NODE:
        case DOMNode::TEXT_NODE:
        case DOMNode::CDATA_SECTION_NODE:
        case DOMNode::ENTITY_REFERENCE_NODE:
        case DOMNode::PROCESSING_INSTRUCTION_NODE:
        case DOMNode::COMMENT_NODE:
            return true;
        default:
            return false;
    }
}

// Content that no markup can carry is refused rather than written into a file that no
// parser reads back.
void refuseIfFound(const XmlString& content, const char16_t* forbidden, const char16_t* why) {
    if (content.find(forbidden) != XmlString::npos) {
        throw std::domain_error(text::messageText(why));
    }
}

// "xml" in any case is the declaration's name; no other instruction may carry it.
bool hasReservedTarget(const DOMNode* node) {
    const XMLCh* target = node->getNodeName();
    return xercesc::XMLString::compareIString(target, u"xml") == 0;
}

// Text, and an entity reference, which reads back as text: a line end of the layout
// written before either would become part of it.
bool isCharacterData(const DOMNode* node) {
    const DOMNode::NodeType type = node->getNodeType();
    return type == DOMNode::TEXT_NODE || type == DOMNode::ENTITY_REFERENCE_NODE;
}

// Beside the root element the parser keeps only layout, which is not written.
bool followedByWrittenText(const DOMNode* node) {
    const DOMNode* next = node->getNextSibling();
    return next != nullptr && isCharacterData(next) &&
           detail::parentOf(node)->getNodeType() != DOMNode::DOCUMENT_NODE;
}

// XML has no way to carry a carriage return in a comment, an instruction or a CDATA
// section: every reader turns CR LF and a lone CR into one line feed. Each is written as
// that line feed, one line end of the file; written as it is, a CR would stand before the
// CR LF that a Shift_JIS file stores for the line feed and read back as a second line end.
XmlString withLineFeeds(const XmlString& content) {
    XmlString written;
    written.reserve(content.size());
    for (XmlString::size_type i = 0; i < content.size(); ++i) {
        if (content[i] != u'\r') {
            written += content[i];
        } else if (i + 1 == content.size() || content[i + 1] != u'\n') {
            written += u'\n';
        }
    }
    return written;
}

bool isFirstOfDocument(const DOMNode* node) {
    const DOMNode* parent = detail::parentOf(node);
    return parent != nullptr && parent->getNodeType() == DOMNode::DOCUMENT_NODE &&
           parent->getFirstChild() == node;
}

// A document type after the root element makes a file no parser reads.
void refuseIfAfterRoot(const DOMNode* type) {
    for (const DOMNode* before = type->getPreviousSibling(); before != nullptr;
         before = before->getPreviousSibling()) {
        if (before->getNodeType() == DOMNode::ELEMENT_NODE) {
            throw std::domain_error(
                text::messageText(u"文書型がルート要素の後にある為、保存できません。"));
        }
    }
}

// The node after this one in document order within the top node's subtree, or null.
const DOMNode* nextWithin(const DOMNode* node, const DOMNode* top) {
    if (const DOMNode* child = node->getFirstChild()) return child;
    for (; node != top; node = detail::parentOf(node)) {
        if (const DOMNode* next = node->getNextSibling()) return next;
    }
    return nullptr;
}

bool holds(const DOMNode* node, const XmlString& character) {
    if (XmlString(orEmpty(node->getNodeName())).find(character) != XmlString::npos ||
        XmlString(orEmpty(node->getNodeValue())).find(character) != XmlString::npos) {
        return true;
    }
    const xercesc::DOMNamedNodeMap* attributes = node->getAttributes();
    for (XMLSize_t i = 0; attributes != nullptr && i < attributes->getLength(); ++i) {
        if (holds(attributes->item(i), character)) return true;
    }
    return false;
}

// "/r/c[2]": the element's name after its ancestors', numbered among the elements of its
// name beside it. The document type, which bears the root element's name, is not one.
std::string pathOf(const DOMNode* element) {
    std::string path;
    for (; element != nullptr && element->getNodeType() == DOMNode::ELEMENT_NODE;
         element = detail::parentOf(element)) {
        int before = 0;
        int namesakes = 0;
        for (const DOMNode* sibling = detail::parentOf(element)->getFirstChild(); sibling;
             sibling = sibling->getNextSibling()) {
            if (sibling->getNodeType() != DOMNode::ELEMENT_NODE ||
                !xercesc::XMLString::equals(sibling->getNodeName(), element->getNodeName()))
                continue;
            ++namesakes;
            if (sibling == element) before = namesakes;
        }
        const std::string name = text::fromXmlForMessage(element->getNodeName());
        path = "/" + name + (namesakes > 1 ? formatString("[%d]", before) : "") + path;
    }
    return path.empty() ? "/" : path;
}

// The element where the character first stands, as a path. Looked for only once a save has
// failed: the check itself runs over large pieces of output that mix many nodes.
std::string whereFound(const DOMNode* top, unsigned long codePoint) {
    XmlString character;
    if (codePoint > 0xFFFF) {
        character += static_cast<XMLCh>(0xD800 + ((codePoint - 0x10000) >> 10));
        character += static_cast<XMLCh>(0xDC00 + (codePoint & 0x3FF));
    } else {
        character += static_cast<XMLCh>(codePoint);
    }
    for (const DOMNode* node = top; node != nullptr; node = nextWithin(node, top)) {
        if (!holds(node, character)) continue;
        if (node->getNodeType() != DOMNode::ELEMENT_NODE) node = detail::parentOf(node);
        return pathOf(node);
    }
    return "/";
}

// Whether the element's content is elements, comments and instructions only: the layout
// between them is dropped on loading, so indentation there changes nothing.
bool holdsOnlyMarkup(const DOMNode* element) {
    for (const DOMNode* child = element->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        if (isCharacterData(child) || child->getNodeType() == DOMNode::CDATA_SECTION_NODE) {
            return false;
        }
    }
    return true;
}

class TreeWriter {
  public:
    TreeWriter(xercesc::XMLFormatter& formatter, const std::string& encoding, std::size_t indent)
        : check(encoding), out(formatter, check), encoding(text::toXml(encoding)), indent(indent) {}

    // Writes what comes before the node's children; true when the children follow.
    bool open(const DOMNode* node) {
        if (indentsContent()) writeIndentation(indented.size());
        switch (node->getNodeType()) {
            case DOMNode::DOCUMENT_NODE:
                startDocument(static_cast<const xercesc::DOMDocument*>(node));
                return node->hasChildNodes();
            case DOMNode::ELEMENT_NODE:
                return startElement(static_cast<const xercesc::DOMElement*>(node));
            case DOMNode::TEXT_NODE:
                // Outside the root element the parser keeps only layout, which a file
                // cannot carry there as text: it is left out.
                if (detail::parentOf(node)->getNodeType() != DOMNode::DOCUMENT_NODE) {
                    out.text(node->getNodeValue());
                }
                return false;
            case DOMNode::ENTITY_REFERENCE_NODE:
                out.literal(u"&");
                out.markup(node->getNodeName());
                out.literal(u";");
                return false;
            default:
                writeLeaf(node);
                return false;
        }
    }

    // Writes what comes after the children of a node that had them.
    void close(const DOMNode* node) {
        if (node->getNodeType() != DOMNode::ELEMENT_NODE) return;
        const bool indentedContent = indentsContent();
        indented.pop_back();
        if (indentedContent) writeIndentation(indented.size());
        out.literal(u"</");
        out.markup(node->getNodeName());
        out.literal(u">");
        lineEnd(node);
    }

    void finish() { out.flush(); }

  private:
    void startDocument(const xercesc::DOMDocument* document) {
        if (document->getDocumentElement() == nullptr) {
            throw std::domain_error(
                text::messageText(u"文書にルート要素が無い為、保存できません。"));
        }
        const DOMNode* first = document->getFirstChild();
        const bool declared = first != nullptr && declaration::isDeclaration(first);
        if (!declared && encoding != u"UTF-16") {
            writeDeclaration(u"1.0", XmlString());
            out.literal(u"\n");
        }
    }

    bool startElement(const xercesc::DOMElement* element) {
        out.literal(u"<");
        out.markup(element->getTagName());
        const xercesc::DOMNamedNodeMap* attributes = element->getAttributes();
        const XMLSize_t count = attributes->getLength();
        for (XMLSize_t i = 0; i < count; ++i) {
            const DOMNode* attribute = attributes->item(i);
            out.literal(u" ");
            out.markup(attribute->getNodeName());
            out.literal(u"=\"");
            out.attributeValue(attribute->getNodeValue());
            out.literal(u"\"");
        }
        const DOMNode* first = element->getFirstChild();
        if (first == nullptr) {
            out.literal(u"/>");
            lineEnd(element);
            return false;
        }
        out.literal(u">");
        if (!isCharacterData(first)) out.literal(u"\n");
        const bool withinIndented = indented.empty() || indented.back();
        indented.push_back(indent != 0 && withinIndented && holdsOnlyMarkup(element));
        return true;
    }

    // Whether the innermost open element has its content indented.
    bool indentsContent() const { return !indented.empty() && indented.back(); }

    void writeIndentation(std::size_t levels) {
        if (levels != 0) out.markup(XmlString(levels * indent, u' '));
    }

    // The layout's line end after a node, left out where text follows.
    void lineEnd(const DOMNode* node) {
        if (!followedByWrittenText(node)) out.literal(u"\n");
    }

    void writeLeaf(const DOMNode* node) {
        const XmlString value = orEmpty(node->getNodeValue());
        switch (node->getNodeType()) {
            case DOMNode::DOCUMENT_TYPE_NODE:
                refuseIfAfterRoot(node);
                out.markup(documentTypeMarkup(static_cast<const xercesc::DOMDocumentType*>(node)));
                break;
            case DOMNode::CDATA_SECTION_NODE:
                writeCdata(withLineFeeds(value));
                break;
            case DOMNode::COMMENT_NODE:
                refuseIfFound(
                    value + u"-", u"--",
                    u"コメントに \"--\" が含まれているか \"-\" で終わる為、保存できません。");
                out.markup(u"<!--" + withLineFeeds(value) + u"-->");
                break;
            default:
                writeInstruction(node, withLineFeeds(value));
        }
        lineEnd(node);
    }

    void writeInstruction(const DOMNode* node, const XmlString& data) {
        const bool declaration = declaration::isDeclaration(node);
        if (hasReservedTarget(node) && !(declaration && isFirstOfDocument(node))) {
            throw std::domain_error(
                text::messageText(u"XML 宣言が文書の先頭以外にある為、保存できません。"));
        }
        if (declaration) {
            writeDeclaration(declaration::valueOf(node, u"version"),
                             declaration::valueOf(node, u"standalone"));
            return;
        }
        refuseIfFound(data, u"?>", u"処理命令に \"?>\" が含まれている為、保存できません。");
        const XmlString separator = data.empty() ? XmlString() : XmlString(u" ");
        out.markup(u"<?" + orEmpty(node->getNodeName()) + separator + data + u"?>");
    }

    void writeDeclaration(const XmlString& version, const XmlString& standalone) {
        out.setXml11(version == u"1.1");
        XmlString markup = u"<?xml version=\"" + (version.empty() ? u"1.0" : version) +
                           u"\" encoding=\"" + encoding;
        if (!standalone.empty()) markup += u"\" standalone=\"" + standalone;
        out.markup(markup + u"\"?>");
    }

    // A section cannot hold its own end: "]]>" is split over two sections.
    void writeCdata(const XmlString& content) {
        XmlString sections = content;
        for (auto at = sections.find(u"]]>"); at != XmlString::npos;
             at = sections.find(u"]]>", at + 15)) {
            sections.replace(at, 3, u"]]]]><![CDATA[>");
        }
        out.markup(u"<![CDATA[" + sections + u"]]>");
    }

    CharacterCheck check;
    MarkupOutput out;
    const XmlString encoding;
    const std::size_t indent;
    // For each element open, outermost first: whether its content is indented.
    std::vector<bool> indented;
};

// Depth first without recursion, so that no depth of nesting exhausts the stack.
void writeWalking(xercesc::XMLFormatter& formatter, const DOMNode* top, const std::string& encoding,
                  std::size_t indent) {
    TreeWriter writer(formatter, encoding, indent);
    const DOMNode* node = top;
    for (;;) {
        if (isWritten(node) && writer.open(node)) {
            node = node->getFirstChild();
            continue;
        }
        for (;;) {
            if (node == top) {
                writer.finish();
                return;
            }
            if (const DOMNode* next = node->getNextSibling()) {
                node = next;
                break;
            }
            node = detail::parentOf(node);
            writer.close(node);
        }
    }
}

}  // namespace

bool writeTree(xercesc::XMLFormatter& formatter, const DOMNode* top, const std::string& encoding,
               std::size_t indent) {
    if (!isWritten(top)) return false;
    try {
        writeWalking(formatter, top, encoding, indent);
    } catch (const UnwritableCharacter& refused) {
        throw std::domain_error(save_messages::unwritableCharacter(
            refused.codePoint, encoding, whereFound(top, refused.codePoint)));
    }
    return true;
}

}  // namespace tovalin::writer
