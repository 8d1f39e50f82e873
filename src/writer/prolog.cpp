#include "writer/prolog.hpp"

#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMProcessingInstruction.hpp>

#include "node/declaration.hpp"
#include "platform/platform.hpp"
#include "text/code_page.hpp"
#include "text/format_string.hpp"
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

void addStylesheet(xercesc::DOMDocument* document, const std::string& href) {
    const std::string data = formatString("type=\"text/xsl\" href=\"%s\"", href.c_str());
    document->insertBefore(
        document->createProcessingInstruction(u"xml-stylesheet", text::toXml(data).c_str()),
        document->getDocumentElement());
}

bool setDtdReference(xercesc::DOMDocument* document, const std::string& dtdPath) {
    if (platform::holdsNul(dtdPath)) return false;
    xercesc::DOMDocumentType* made = newDtdReference(document, text::toXml(dtdPath));
    if (xercesc::DOMDocumentType* earlier = document->getDoctype()) document->removeChild(earlier);
    xercesc::DOMNode* first = document->getFirstChild();
    const bool rootFirst = first != nullptr && first == document->getDocumentElement();
    document->insertBefore(made, rootFirst || first == nullptr ? first : first->getNextSibling());
    return true;
}

}  // namespace tovalin::writer
