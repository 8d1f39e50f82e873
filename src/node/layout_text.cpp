#include "node/layout_text.hpp"

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/XMLString.hpp>

#include "node/parent_of.hpp"

namespace tovalin {

SpaceRule spaceRuleOf(const xercesc::DOMNode* element) {
    if (element->getNodeType() != xercesc::DOMNode::ELEMENT_NODE || !element->hasAttributes()) {
        return SpaceRule::inherited;
    }
    const xercesc::DOMNode* attribute =
        static_cast<const xercesc::DOMElement*>(element)->getAttributeNode(u"xml:space");
    if (attribute == nullptr) return SpaceRule::inherited;
    const XMLCh* value = attribute->getNodeValue();
    if (xercesc::XMLString::equals(value, u"preserve")) return SpaceRule::preserve;
    if (xercesc::XMLString::equals(value, u"default")) return SpaceRule::byDefault;
    return SpaceRule::inherited;
}

bool preservesSpace(const xercesc::DOMNode* node) {
    for (; node != nullptr; node = detail::parentOf(node)) {
        const SpaceRule rule = spaceRuleOf(node);
        if (rule != SpaceRule::inherited) return rule == SpaceRule::preserve;
    }
    return false;
}

}  // namespace tovalin
