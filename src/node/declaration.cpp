#include "node/declaration.hpp"

#include <xercesc/dom/DOMProcessingInstruction.hpp>
#include <xercesc/util/XMLString.hpp>

namespace tovalin::declaration {
namespace {

const XMLCh target[] = u"xml";

void appendPseudoAttribute(text::XmlString& data, const char16_t* name,
                           const text::XmlString& value) {
    if (value.empty()) return;
    if (!data.empty()) data += u' ';
    data += reinterpret_cast<const XMLCh*>(name);
    data += u"=\"";
    data += value;
    data += u'"';
}

}  // namespace

bool isDeclaration(const xercesc::DOMNode* node) {
    return node->getNodeType() == xercesc::DOMNode::PROCESSING_INSTRUCTION_NODE &&
           xercesc::XMLString::equals(node->getNodeName(), target);
}

void insertFirst(xercesc::DOMDocument* document, const text::XmlString& version,
                 const text::XmlString& encoding, const text::XmlString& standalone) {
    text::XmlString data;
    appendPseudoAttribute(data, u"version", version);
    appendPseudoAttribute(data, u"encoding", encoding);
    appendPseudoAttribute(data, u"standalone", standalone);
    document->insertBefore(document->createProcessingInstruction(target, data.c_str()),
                           document->getFirstChild());
}

text::XmlString valueOf(const xercesc::DOMNode* declaration, const char16_t* name) {
    const text::XmlString data(declaration->getNodeValue());
    const text::XmlString opening = text::XmlString(reinterpret_cast<const XMLCh*>(name)) + u"=\"";
    const text::XmlString::size_type start = data.find(opening);
    if (start == text::XmlString::npos) return {};
    const text::XmlString::size_type valueStart = start + opening.size();
    const text::XmlString::size_type end = data.find(u'"', valueStart);
    return data.substr(valueStart, end == text::XmlString::npos ? end : end - valueStart);
}

}  // namespace tovalin::declaration
