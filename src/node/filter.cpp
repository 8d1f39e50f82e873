#include "node/filter_adapter.hpp"
#include "tovalin/node.hpp"

XFilter::FilterAction XFilter::acceptNode(const xercesc::DOMNode* node) const {
    return static_cast<FilterAction>(
        owner->acceptNode(XcsXmlNode(const_cast<xercesc::DOMNode*>(node))));
}

XcsXmlFilter::XcsXmlFilter() : adapter(new XFilter(this)) {}

XcsXmlFilter::XcsXmlFilter(const XcsXmlFilter& /*other*/) : adapter(new XFilter(this)) {}

XcsXmlFilter& XcsXmlFilter::operator=(const XcsXmlFilter& /*other*/) { return *this; }

XcsXmlFilter::~XcsXmlFilter() { delete adapter; }

short XcsXmlFilter::acceptNode(const XcsXmlNode& /*node*/) const { return TL_FILTER_SKIP; }
