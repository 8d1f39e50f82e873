#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNodeIterator.hpp>

#include "node/access.hpp"
#include "node/filter_adapter.hpp"
#include "node/holders.hpp"
#include "node/tree.hpp"
#include "tovalin/node.hpp"

namespace tovalin::detail {

// One parser iterator with the count of the wrappers that share it.
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
using tovalin::detail::documentOf;
using tovalin::detail::hold;
using tovalin::detail::letGo;
using tovalin::detail::SharedIterator;

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
    : iterator(hold(other.iterator)), filter(other.filter) {}

XcsXmlNodeIterator& XcsXmlNodeIterator::operator=(const XcsXmlNodeIterator& other) {
    SharedIterator* taken = hold(other.iterator);
    letGo(iterator);
    iterator = taken;
    filter = other.filter;
    return *this;
}

XcsXmlNodeIterator::~XcsXmlNodeIterator() { letGo(iterator); }

unsigned long XcsXmlNodeIterator::getWhatToShow() { return iterator->walker->getWhatToShow(); }

XcsXmlNode XcsXmlNodeIterator::nextNode() {
    return Access::node(iterator->walker->nextNode(), iterator->tree);
}

XcsXmlNode XcsXmlNodeIterator::previousNode() {
    return Access::node(iterator->walker->previousNode(), iterator->tree);
}
