#include "node/parser_document.hpp"

#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMImplementationRegistry.hpp>

#include "node/deep_copy.hpp"

namespace tovalin {
namespace {

// The document with one child made by the function; freed again if making it throws.
template <class MakeChild>
xercesc::DOMDocument* newDocumentWith(MakeChild makeChild) {
    xercesc::DOMDocument* made = newEmptyDocument();
    try {
        made->appendChild(makeChild(made));
    } catch (...) {
        made->release();
        throw;
    }
    return made;
}

}  // namespace

xercesc::DOMDocument* newEmptyDocument() {
    static const XMLCh core[] = u"Core";
    return xercesc::DOMImplementationRegistry::getDOMImplementation(core)->createDocument();
}

xercesc::DOMDocument* newDocumentWithRoot(const XMLCh* rootName) {
    return newDocumentWith(
        [rootName](xercesc::DOMDocument* made) { return made->createElement(rootName); });
}

xercesc::DOMDocument* newDocumentWithCopyOf(const xercesc::DOMElement* root) {
    return newDocumentWith(
        [root](xercesc::DOMDocument* made) { return detail::importDeep(made, root); });
}

}  // namespace tovalin
