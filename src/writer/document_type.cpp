#include "writer/document_type.hpp"

#include <stdexcept>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include "node/tree.hpp"
#include "writer/save_messages.hpp"

namespace tovalin::writer {

using text::orEmpty;
using text::XmlString;

bool canQuote(const XmlString& literal) {
    return literal.find(u'"') == XmlString::npos || literal.find(u'\'') == XmlString::npos;
}

XmlString quoted(const XmlString& literal) {
    if (!canQuote(literal)) {
        throw std::domain_error(text::messageText(
            u"文書型の識別子に二種類の引用符が両方含まれている為、保存できません。"));
    }
    const XMLCh quote = literal.find(u'"') != XmlString::npos ? u'\'' : u'"';
    return quote + literal + quote;
}

namespace {

const XMLCh dtdReferenceKey[] = u"tovalin.dtd-reference";
int dtdReferenceMark;

XmlString identifiers(const XmlString& publicId, const XmlString& systemId) {
    if (!publicId.empty()) return u" PUBLIC " + quoted(publicId) + u' ' + quoted(systemId);
    if (!systemId.empty()) return u" SYSTEM " + quoted(systemId);
    return {};
}

XmlString rootNameOr(const xercesc::DOMDocumentType* type) {
    const xercesc::DOMDocument* owner = type->getOwnerDocument();
    const xercesc::DOMElement* root = owner == nullptr ? nullptr : owner->getDocumentElement();
    return orEmpty(root != nullptr ? root->getTagName() : type->getName());
}

XmlString internalSubsetOf(const xercesc::DOMDocumentType* type) {
    const detail::Tree* tree = detail::Tree::of(type);
    if (tree != nullptr && tree->loadedDocumentType == type) return tree->loadedSubset;
    return orEmpty(type->getInternalSubset());
}

}  // namespace

xercesc::DOMDocumentType* newDtdReference(xercesc::DOMDocument* document,
                                          const XmlString& dtdPath) {
    // The path is kept as the system identifier: the parser takes no slash in a name.
    const xercesc::DOMElement* root = document->getDocumentElement();
    const XmlString name = root != nullptr ? XmlString(root->getTagName()) : XmlString(u"dtd");
    xercesc::DOMDocumentType* made =
        document->createDocumentType(name.c_str(), nullptr, dtdPath.c_str());
    made->setUserData(dtdReferenceKey, &dtdReferenceMark, nullptr);
    return made;
}

XmlString documentTypeMarkup(const xercesc::DOMDocumentType* type) {
    if (type->getUserData(dtdReferenceKey) == &dtdReferenceMark) {
        return u"<!DOCTYPE " + rootNameOr(type) + u" SYSTEM " +
               quoted(orEmpty(type->getSystemId())) + u'>';
    }
    XmlString markup = u"<!DOCTYPE " + orEmpty(type->getName()) +
                       identifiers(orEmpty(type->getPublicId()), orEmpty(type->getSystemId()));
    const XmlString subset = internalSubsetOf(type);
    if (!subset.empty()) markup += u" [" + subset + u']';
    return markup + u'>';
}

}  // namespace tovalin::writer
