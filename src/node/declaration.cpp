#include "node/declaration.hpp"

#include <xercesc/util/XMLString.hpp>

namespace tovalin::declaration {

bool isDeclaration(const xercesc::DOMNode* node) {
    static const XMLCh target[] = u"xml";
    return node->getNodeType() == xercesc::DOMNode::PROCESSING_INSTRUCTION_NODE &&
           xercesc::XMLString::equals(node->getNodeName(), target);
}

}  // namespace tovalin::declaration
