#include "writer/prolog.hpp"

#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMProcessingInstruction.hpp>

#include "node/declaration.hpp"
#include "platform/platform.hpp"
#include "text/code_page.hpp"
#include "writer/document_type.hpp"

namespace tovalin::writer {

bool setDeclaration(xercesc::DOMDocument* document, TL_ENCODE_TYPE type) {
    xercesc::DOMNode* first = document->getFirstChild();
    if (first == nullptr) return false;
    declaration::insertFirst(document, u"1.0", type == TL_ENCODE_UTF16 ? u"UTF-16" : u"Shift_JIS",
                             {});
    if (declaration::isDeclaration(first)) document->removeChild(first);
    return true;
}

bool addStylesheet(xercesc::DOMDocument* document, const std::string& href) {
    if (platform::holdsNul(href)) return false;
    const text::XmlString address = text::toXml(href);
    if (!canQuote(address) || address.find(u"?>") != text::XmlString::npos) return false;
    const text::XmlString data = u"type=\"text/xsl\" href=" + quoted(address);
    document->insertBefore(document->createProcessingInstruction(u"xml-stylesheet", data.c_str()),
                           document->getDocumentElement());
    return true;
}

bool setDtdReference(xercesc::DOMDocument* document, const std::string& dtdPath) {
    if (dtdPath.empty() || platform::holdsNul(dtdPath)) return false;
    const text::XmlString location = text::toXml(dtdPath);
    if (!canQuote(location)) return false;
    xercesc::DOMDocumentType* made = newDtdReference(document, location);
    if (xercesc::DOMDocumentType* earlier = document->getDoctype()) document->removeChild(earlier);
    xercesc::DOMNode* first = document->getFirstChild();
    const bool rootFirst = first != nullptr && first == document->getDocumentElement();
    document->insertBefore(made, rootFirst || first == nullptr ? first : first->getNextSibling());
    return true;
}

}  // namespace tovalin::writer
