// The value stored in an element: the text of its first child that is a text node. Text
// further down, and text after other kinds of children, is not part of it.
#ifndef TOVALIN_DATA_ELEMENT_TEXT_HPP
#define TOVALIN_DATA_ELEMENT_TEXT_HPP

#include "tovalin/node.hpp"

namespace tovalin {

// The element's first text child, or the null node.
inline XcsXmlNode firstTextChild(const XcsXmlNode& element) {
    for (XcsXmlNode child = element.getFirstChild(); !child.isNull();
         child = child.getNextSibling()) {
        if (child.getNodeType() == xercesc::DOMNode::TEXT_NODE) return child;
    }
    return {};
}

}  // namespace tovalin

#endif
