#include <stdexcept>

#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMProcessingInstruction.hpp>

#include "document/format_string.hpp"
#include "node/declaration.hpp"
#include "platform/platform.hpp"
#include "text/code_page.hpp"
#include "tovalin/document.hpp"
#include "writer/document_type.hpp"

namespace {

xercesc::DOMDocument* parserDocumentOf(const XcsXmlDocument* document) {
    if (document->isNull()) throw std::runtime_error("no document");
    return static_cast<xercesc::DOMDocument*>(document->getTarget());
}

}  // namespace

bool XcsXmlDOMDocument::setXMLDecl(TL_ENCODE_TYPE type) const {
    xercesc::DOMDocument* tree = parserDocumentOf(document);
    xercesc::DOMNode* first = tree->getFirstChild();
    if (first == nullptr) return false;
    // The encoding named here is only a placeholder: a save names its own.
    tovalin::declaration::insertFirst(tree, u"1.0",
                                      type == TL_ENCODE_UTF16 ? u"UTF-16" : u"Shift_JIS", {});
    if (tovalin::declaration::isDeclaration(first)) tree->removeChild(first);
    return true;
}

bool XcsXmlDOMDocument::setXSL(const std::string& href) const {
    xercesc::DOMDocument* tree = parserDocumentOf(document);
    const std::string data = tovalin::formatString("type=\"text/xsl\" href=\"%s\"", href.c_str());
    tree->insertBefore(
        tree->createProcessingInstruction(u"xml-stylesheet", tovalin::text::toXml(data).c_str()),
        tree->getDocumentElement());
    return true;
}

bool XcsXmlDOMDocument::setSchema(const std::string& dtdPath, TL_SCHEMA_TYPE /*type*/) const {
    xercesc::DOMDocument* tree = parserDocumentOf(document);
    if (tovalin::platform::holdsNul(dtdPath)) return false;
    xercesc::DOMDocumentType* made =
        tovalin::writer::newDtdReference(tree, tovalin::text::toXml(dtdPath));
    if (xercesc::DOMDocumentType* earlier = tree->getDoctype()) tree->removeChild(earlier);
    // After the declaration or whatever else stands first, but never after the root element.
    xercesc::DOMNode* first = tree->getFirstChild();
    const bool rootFirst = first != nullptr && first == tree->getDocumentElement();
    tree->insertBefore(made, rootFirst || first == nullptr ? first : first->getNextSibling());
    return true;
}
