// Deep copies made without recursion, so that no depth of nesting exhausts the stack as the
// parser's own deep clone and import do. Each gives the same nodes as the parser's.
#ifndef TOVALIN_NODE_DEEP_COPY_HPP
#define TOVALIN_NODE_DEEP_COPY_HPP

#include <xercesc/dom/DOMDocument.hpp>

namespace tovalin::detail {

// As cloneNode(true): a copy in the node's own document, without a parent.
xercesc::DOMNode* cloneDeep(const xercesc::DOMNode* source);

// As importNode(source, true): a copy that belongs to the document, without a parent. An
// entity reference gets its children from that document.
xercesc::DOMNode* importDeep(xercesc::DOMDocument* into, const xercesc::DOMNode* source);

}  // namespace tovalin::detail

#endif
