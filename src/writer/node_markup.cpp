#include "writer/node_markup.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/declaration.hpp"
#include "node/parent_of.hpp"
#include "writer/document_type.hpp"

namespace tovalin::writer {
namespace {

using text::orEmpty;
using text::XmlString;
using xercesc::DOMNode;

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

void writeInstruction(MarkupOutput& out, const DOMNode* node, const XmlString& encoding) {
    const bool declaration = declaration::isDeclaration(node);
    if (hasReservedTarget(node) && !(declaration && isFirstOfDocument(node))) {
        throw std::domain_error(
            text::messageText(u"XML 宣言が文書の先頭以外にある為、保存できません。"));
    }
    if (declaration) {
        writeDeclaration(out, declaration::valueOf(node, u"version"), encoding,
                         declaration::valueOf(node, u"standalone"));
        return;
    }
    const XmlString data = withLineFeeds(orEmpty(node->getNodeValue()));
    refuseIfFound(data, u"?>", u"処理命令に \"?>\" が含まれている為、保存できません。");
    const XmlString separator = data.empty() ? XmlString() : XmlString(u" ");
    out.markup(u"<?" + orEmpty(node->getNodeName()) + separator + data + u"?>");
}

// A section cannot hold its own end: "]]>" is split over two sections.
void writeCdata(MarkupOutput& out, const XmlString& content) {
    XmlString sections = content;
    for (auto at = sections.find(u"]]>"); at != XmlString::npos;
         at = sections.find(u"]]>", at + 15)) {
        sections.replace(at, 3, u"]]]]><![CDATA[>");
    }
    out.markup(u"<![CDATA[" + sections + u"]]>");
}

}  // namespace

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

void writeAttribute(MarkupOutput& out, const XMLCh* name, const XMLCh* value, XMLCh quote) {
    out.literal(u" ");
    out.markup(name);
    out.literal(u"=");
    out.markup(XmlString(1, quote));
    out.attributeValue(value, quote);
    out.markup(XmlString(1, quote));
}

void writeOpenTag(MarkupOutput& out, const xercesc::DOMElement* element, bool defaultsToo) {
    out.literal(u"<");
    out.markup(element->getTagName());
    const xercesc::DOMNamedNodeMap* attributes = element->getAttributes();
    const XMLSize_t count = attributes->getLength();
    for (XMLSize_t i = 0; i < count; ++i) {
        const auto* attribute = static_cast<const xercesc::DOMAttr*>(attributes->item(i));
        if (defaultsToo || attribute->getSpecified()) {
            writeAttribute(out, attribute->getName(), attribute->getValue());
        }
    }
}

void writeEndTag(MarkupOutput& out, const DOMNode* element) {
    out.literal(u"</");
    out.markup(element->getNodeName());
    out.literal(u">");
}

void writeDeclaration(MarkupOutput& out, const XmlString& version, const XmlString& encoding,
                      const XmlString& standalone) {
    out.setXml11(version == u"1.1");
    XmlString markup =
        u"<?xml version=\"" + (version.empty() ? u"1.0" : version) + u"\" encoding=\"" + encoding;
    if (!standalone.empty()) markup += u"\" standalone=\"" + standalone;
    out.markup(markup + u"\"?>");
}

void writeLeaf(MarkupOutput& out, const DOMNode* node, const XmlString& encoding) {
    const XmlString value = orEmpty(node->getNodeValue());
    switch (node->getNodeType()) {
        case DOMNode::DOCUMENT_TYPE_NODE:
            refuseIfAfterRoot(node);
            out.markup(documentTypeMarkup(static_cast<const xercesc::DOMDocumentType*>(node)));
            break;
        case DOMNode::CDATA_SECTION_NODE:
            writeCdata(out, withLineFeeds(value));
            break;
        case DOMNode::COMMENT_NODE:
            refuseIfFound(value + u"-", u"--",
                          u"コメントに \"--\" が含まれているか \"-\" で終わる為、保存できません。");
            out.markup(u"<!--" + withLineFeeds(value) + u"-->");
            break;
        case DOMNode::ENTITY_REFERENCE_NODE:
            out.literal(u"&");
            out.markup(node->getNodeName());
            out.literal(u";");
            break;
        default:
            writeInstruction(out, node, encoding);
    }
}

}  // namespace tovalin::writer
