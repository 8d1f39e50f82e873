#include "tovalin/node.hpp"

#include "node/access.hpp"

using tovalin::detail::TreeRef;

XcsXmlNodeList::XcsXmlNodeList(xercesc::DOMNodeList* wrapped) : list(wrapped) {}

XcsXmlNodeList::XcsXmlNodeList(xercesc::DOMNodeList* wrapped, const TreeRef& shared)
    : list(wrapped), tree(shared) {}

XcsXmlNodeList::XcsXmlNodeList(const XcsXmlNodeList& other) = default;

XcsXmlNodeList& XcsXmlNodeList::operator=(const XcsXmlNodeList& other) = default;

XcsXmlNodeList::~XcsXmlNodeList() = default;

unsigned int XcsXmlNodeList::getLength() const {
    return list == nullptr ? 0 : static_cast<unsigned int>(list->getLength());
}

XcsXmlNode XcsXmlNodeList::item(unsigned int index) const {
    if (list == nullptr) return {};
    xercesc::DOMNode* found = list->item(index);
    // A list made from a raw parser list holds no share; its nodes find their tree themselves.
    if (tree.get() == nullptr) return XcsXmlNode(found);
    return tovalin::detail::Access::node(found, tree);
}
