#include "node/character_data.hpp"

#include "node/declaration.hpp"

namespace tovalin::character_data {
namespace {

using xercesc::DOMNode;

void appendContent(const DOMNode* holder, text::XmlString& data) {
    for (const DOMNode* child = holder->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        switch (child->getNodeType()) {
            case DOMNode::TEXT_NODE:
            case DOMNode::CDATA_SECTION_NODE:
                data += child->getNodeValue();
                break;
            case DOMNode::ENTITY_REFERENCE_NODE:
                appendContent(child, data);
                break;
            default:
                break;
        }
    }
}

}  // namespace

text::XmlString of(const DOMNode* node) {
    switch (node->getNodeType()) {
        case DOMNode::TEXT_NODE:
        case DOMNode::CDATA_SECTION_NODE:
        case DOMNode::COMMENT_NODE:
        case DOMNode::PROCESSING_INSTRUCTION_NODE:
            return text::orEmpty(node->getNodeValue());
        case DOMNode::ELEMENT_NODE:
        case DOMNode::ENTITY_REFERENCE_NODE: {
            text::XmlString data;
            appendContent(node, data);
            return data;
        }
        default:
            return {};
    }
}

bool isReplaceable(const DOMNode* node) {
    switch (node->getNodeType()) {
        case DOMNode::TEXT_NODE:
        case DOMNode::CDATA_SECTION_NODE:
        case DOMNode::COMMENT_NODE:
            return true;
        case DOMNode::PROCESSING_INSTRUCTION_NODE:
            return !declaration::isDeclaration(node);
        default:
            return false;
    }
}

}  // namespace tovalin::character_data
