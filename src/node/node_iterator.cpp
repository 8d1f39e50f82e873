#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNodeIterator.hpp>

#include "node/access.hpp"
#include "node/filter_adapter.hpp"
#include "tovalin/node.hpp"

namespace tovalin::detail {

// One parser iterator with the count of the wrappers that share it. Not atomic: a tree and
// its iterators are used by one thread at a time.
struct SharedIterator {
    SharedIterator(xercesc::DOMNodeIterator* walker, const TreeRef& tree)
        : walker(walker), tree(tree) {}
    ~SharedIterator() { walker->release(); }
    SharedIterator(const SharedIterator&) = delete;
    SharedIterator& operator=(const SharedIterator&) = delete;

    xercesc::DOMNodeIterator* const walker;
    // Let go only after the destructor released the walker, which the tree's document owns.
    const TreeRef tree;
    unsigned long holders = 1;
};

}  // namespace tovalin::detail

namespace {

using tovalin::detail::Access;
using tovalin::detail::SharedIterator;

xercesc::DOMDocument* documentOf(xercesc::DOMNode* node) {
    if (node->getNodeType() == xercesc::DOMNode::DOCUMENT_NODE) {
        return static_cast<xercesc::DOMDocument*>(node);
    }
    return node->getOwnerDocument();
}

SharedIterator* share(SharedIterator* shared) {
    ++shared->holders;
    return shared;
}

void leave(SharedIterator* shared) {
    if (--shared->holders == 0) delete shared;
}

}  // namespace

XcsXmlNodeIterator::XcsXmlNodeIterator(const XcsXmlNode& root, XcsXmlFilter* filter,
                                       unsigned long whatToShow)
    : iterator(nullptr), filter(filter) {
    xercesc::DOMNode* start = Access::bound(root);
    xercesc::DOMNodeIterator* walker = documentOf(start)->createNodeIterator(
        start, whatToShow, filter == nullptr ? nullptr : filter->adapter, false);
    try {
        iterator = new SharedIterator(walker, Access::tree(root));
    } catch (...) {
        walker->release();
        throw;
    }
}

XcsXmlNodeIterator::XcsXmlNodeIterator(const XcsXmlNodeIterator& other)
    : iterator(share(other.iterator)), filter(other.filter) {}

XcsXmlNodeIterator& XcsXmlNodeIterator::operator=(const XcsXmlNodeIterator& other) {
    SharedIterator* taken = share(other.iterator);
    leave(iterator);
    iterator = taken;
    filter = other.filter;
    return *this;
}

XcsXmlNodeIterator::~XcsXmlNodeIterator() { leave(iterator); }

unsigned long XcsXmlNodeIterator::getWhatToShow() { return iterator->walker->getWhatToShow(); }

XcsXmlNode XcsXmlNodeIterator::nextNode() {
    return Access::node(iterator->walker->nextNode(), iterator->tree);
}

XcsXmlNode XcsXmlNodeIterator::previousNode() {
    return Access::node(iterator->walker->previousNode(), iterator->tree);
}
