#include "writer/tree_writer.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/declaration.hpp"
#include "text/code_page.hpp"
#include "writer/document_type.hpp"
#include "writer/markup_output.hpp"

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
void refuseIfFound(const XmlString& content, const char16_t* forbidden, const char* what) {
    if (content.find(forbidden) != XmlString::npos) throw std::domain_error(what);
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
           node->getParentNode()->getNodeType() != DOMNode::DOCUMENT_NODE;
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
    const DOMNode* parent = node->getParentNode();
    return parent != nullptr && parent->getNodeType() == DOMNode::DOCUMENT_NODE &&
           parent->getFirstChild() == node;
}

// A document type after the root element makes a file no parser reads.
void refuseIfAfterRoot(const DOMNode* type) {
    for (const DOMNode* before = type->getPreviousSibling(); before != nullptr;
         before = before->getPreviousSibling()) {
        if (before->getNodeType() == DOMNode::ELEMENT_NODE) {
            throw std::domain_error("the document type stands after the root element");
        }
    }
}

class TreeWriter {
  public:
    TreeWriter(xercesc::XMLFormatter& formatter, const std::string& encoding)
        : check(encoding), out(formatter, check), encoding(text::toXml(encoding)) {}

    // Writes what comes before the node's children; true when the children follow.
    bool open(const DOMNode* node) {
        switch (node->getNodeType()) {
            case DOMNode::DOCUMENT_NODE:
                startDocument(static_cast<const xercesc::DOMDocument*>(node));
                return node->hasChildNodes();
            case DOMNode::ELEMENT_NODE:
                return startElement(static_cast<const xercesc::DOMElement*>(node));
            case DOMNode::TEXT_NODE:
                // Outside the root element the parser keeps only layout, which a file
                // cannot carry there as text: it is left out.
                if (node->getParentNode()->getNodeType() != DOMNode::DOCUMENT_NODE) {
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
        out.literal(u"</");
        out.markup(node->getNodeName());
        out.literal(u">");
        lineEnd(node);
    }

    void finish() { out.flush(); }

  private:
    void startDocument(const xercesc::DOMDocument* document) {
        if (document->getDocumentElement() == nullptr) {
            throw std::domain_error("the document has no root element");
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
        return true;
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
                refuseIfFound(value + u"-", u"--", "a comment holds \"--\" or ends with \"-\"");
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
            throw std::domain_error("an XML declaration stands elsewhere than first");
        }
        if (declaration) {
            writeDeclaration(declaration::valueOf(node, u"version"),
                             declaration::valueOf(node, u"standalone"));
            return;
        }
        refuseIfFound(data, u"?>", "an instruction holds \"?>\"");
        const XmlString separator = data.empty() ? XmlString() : XmlString(u" ");
        out.markup(u"<?" + orEmpty(node->getNodeName()) + separator + data + u"?>");
    }

    void writeDeclaration(const XmlString& version, const XmlString& standalone) {
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
};

}  // namespace

bool writeTree(xercesc::XMLFormatter& formatter, const DOMNode* top, const std::string& encoding) {
    if (!isWritten(top)) return false;
    TreeWriter writer(formatter, encoding);
    // Depth first without recursion, so that no depth of nesting exhausts the stack.
    const DOMNode* node = top;
    for (;;) {
        if (isWritten(node) && writer.open(node)) {
            node = node->getFirstChild();
            continue;
        }
        for (;;) {
            if (node == top) {
                writer.finish();
                return true;
            }
            if (const DOMNode* next = node->getNextSibling()) {
                node = next;
                break;
            }
            node = node->getParentNode();
            writer.close(node);
        }
    }
}

}  // namespace tovalin::writer
