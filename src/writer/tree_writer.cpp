#include "writer/tree_writer.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/declaration.hpp"
#include "node/layout_text.hpp"
#include "node/parent_of.hpp"
#include "text/format_string.hpp"
#include "writer/node_markup.hpp"
#include "writer/save_messages.hpp"

namespace tovalin::writer {
namespace {

using text::orEmpty;
using text::XmlString;
using xercesc::DOMNode;

bool isText(const DOMNode* node) { return node->getNodeType() == DOMNode::TEXT_NODE; }

// Outside the root element the parser keeps only layout, which a file cannot carry there as
// text: it is left out.
bool isOutsideRoot(const DOMNode* text) {
    return detail::parentOf(text)->getNodeType() == DOMNode::DOCUMENT_NODE;
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

// A standalone document may not have whitespace in the element content of elements its
// external declarations declare: a validating reader rejects it. Since the writer does not
// know where each element was declared, such a document gets no added line breaks inside
// its root at all.
bool breaksForbiddenInRoot(const xercesc::DOMDocument* document) {
    const DOMNode* first = document->getFirstChild();
    if (!declaration::isDeclaration(first) ||
        XmlString(declaration::valueOf(first, u"standalone")) != u"yes") {
        return false;
    }
    const xercesc::DOMDocumentType* type = document->getDoctype();
    return type != nullptr &&
           (!XmlString(orEmpty(type->getSystemId())).empty() ||
            XmlString(orEmpty(type->getInternalSubset())).find(u'%') != XmlString::npos);
}

}  // namespace

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

bool holdsCharacterData(const DOMNode* element, bool spacesAreData) {
    for (const DOMNode* child = element->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        switch (child->getNodeType()) {
            case DOMNode::TEXT_NODE: {
                const XMLCh* value = child->getNodeValue();
                if (spacesAreData ||
                    !isBlankPiece(value, xercesc::XMLString::stringLen(value), false)) {
                    return true;
                }
                break;
            }
            case DOMNode::CDATA_SECTION_NODE:
            case DOMNode::ENTITY_REFERENCE_NODE:
                return true;
            default:
                break;
        }
    }
    return false;
}

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

TreeWriter::TreeWriter(MarkupOutput& out, const XmlString& encoding, Layout layout)
    : out(out), encoding(encoding), layout(std::move(layout)) {}

void TreeWriter::writeDocument(const xercesc::DOMDocument* document) {
    if (document->getDocumentElement() == nullptr) {
        throw std::domain_error(text::messageText(u"文書にルート要素が無い為、保存できません。"));
    }
    frames.push_back({false, false, false, true});
    flatRoot = breaksForbiddenInRoot(document);
    const DOMNode* first = document->getFirstChild();
    if (!declaration::isDeclaration(first) && encoding != u"UTF-16") {
        writeDeclaration(out, u"1.0", encoding, XmlString());
        frames.back().first = false;
    }
    for (const DOMNode* child = first; child != nullptr; child = child->getNextSibling()) {
        walk(child);
    }
    out.literal(u"\n");
    frames.clear();
}

void TreeWriter::writeNode(const DOMNode* node, bool characterData, bool preserve) {
    frames.push_back({characterData, preserve, false, true});
    flatRoot = false;
    walk(node);
    frames.clear();
}

bool TreeWriter::breaks(const Frame& container) const {
    return !container.characterData && !container.preserve && !layout.lineStart.empty();
}

void TreeWriter::gap(std::size_t level) {
    out.markup(layout.lineStart);
    if (layout.unit.empty()) return;
    for (std::size_t i = 0; i < level; ++i) out.markup(layout.unit);
}

bool TreeWriter::open(const DOMNode* node) {
    Frame& container = frames.back();
    if (isText(node) && isOutsideRoot(node)) return false;
    if (breaks(container) && !container.first && !container.afterText && !isText(node)) {
        gap(frames.size() - 1);
    }
    container.first = false;
    container.afterText = isText(node);
    switch (node->getNodeType()) {
        case DOMNode::ELEMENT_NODE: {
            const auto* element = static_cast<const xercesc::DOMElement*>(node);
            writeOpenTag(out, element, layout.defaultsToo);
            if (!element->hasChildNodes()) {
                out.literal(u"/>");
                return false;
            }
            out.literal(u">");
            const bool preserve = preservesWithin(spaceRuleOf(element), container.preserve);
            const bool characterData = container.characterData ||
                                       (flatRoot && frames.size() == 1) ||
                                       holdsCharacterData(element, preserve);
            frames.push_back({characterData, preserve, false, false});
            return true;
        }
        case DOMNode::TEXT_NODE:
            out.text(node->getNodeValue());
            return false;
        default:
            writeLeaf(out, node, encoding);
            return false;
    }
}

void TreeWriter::close(const DOMNode* node) {
    const Frame content = frames.back();
    frames.pop_back();
    if (breaks(content) && !content.afterText) gap(frames.size() - 1);
    writeEndTag(out, node);
}

// Depth first without recursion, so that no depth of nesting exhausts the stack.
void TreeWriter::walk(const DOMNode* top) {
    const DOMNode* node = top;
    for (;;) {
        if (isWritten(node) && open(node)) {
            node = node->getFirstChild();
            continue;
        }
        for (;;) {
            if (node == top) return;
            if (const DOMNode* next = node->getNextSibling()) {
                node = next;
                break;
            }
            node = detail::parentOf(node);
            close(node);
        }
    }
}

void writeChecked(xercesc::XMLFormatter& formatter, const DOMNode* top, const std::string& encoding,
                  const std::function<void(MarkupOutput&)>& write) {
    CharacterCheck check(encoding);
    MarkupOutput out(formatter, check);
    try {
        write(out);
        out.flush();
    } catch (const UnwritableCharacter& refused) {
        throw std::domain_error(save_messages::unwritableCharacter(
            refused.codePoint, encoding, whereFound(top, refused.codePoint)));
    }
}

bool writeTree(xercesc::XMLFormatter& formatter, const DOMNode* top, const std::string& encoding,
               std::size_t indent) {
    if (!isWritten(top)) return false;
    writeChecked(formatter, top, encoding, [&](MarkupOutput& out) {
        TreeWriter writer(out, text::toXml(encoding), {u"\n", XmlString(indent, u' '), true});
        if (top->getNodeType() == DOMNode::DOCUMENT_NODE) {
            writer.writeDocument(static_cast<const xercesc::DOMDocument*>(top));
        } else {
            writer.writeNode(top, false, preservesSpace(top));
            out.literal(u"\n");
        }
    });
    return true;
}

}  // namespace tovalin::writer
