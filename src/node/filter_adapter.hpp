// Lets the parser's iterator ask a caller's filter about each node it visits.
#ifndef TOVALIN_NODE_FILTER_ADAPTER_HPP
#define TOVALIN_NODE_FILTER_ADAPTER_HPP

#include <xercesc/dom/DOMNodeFilter.hpp>

class XcsXmlFilter;

class XFilter : public xercesc::DOMNodeFilter {
  public:
    explicit XFilter(const XcsXmlFilter* owner) : owner(owner) {}
    ~XFilter() override = default;
    XFilter(const XFilter&) = delete;
    XFilter& operator=(const XFilter&) = delete;

    // The owner's answer for the node, unchanged.
    FilterAction acceptNode(const xercesc::DOMNode* node) const override;

  private:
    const XcsXmlFilter* owner;
};

#endif
