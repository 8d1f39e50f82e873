#include "node/parser_document.hpp"

#include <xercesc/dom/DOMImplementation.hpp>

#include "node/deep_copy.hpp"

namespace tovalin {
namespace {

class LibraryDocument final : public xercesc::DOMDocumentImpl {
  public:
    using DOMDocumentImpl::DOMDocumentImpl;

    xercesc::DOMNode* renameNode(xercesc::DOMNode* node, const XMLCh* namespaceURI,
                                 const XMLCh* name) override {
        xercesc::DOMNode* renamed = DOMDocumentImpl::renameNode(node, namespaceURI, name);
        changed();
        return renamed;
    }
};

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

xercesc::DOMDocumentImpl* newEmptyDocument(xercesc::MemoryManager* manager) {
    return new (manager) LibraryDocument(xercesc::DOMImplementation::getImplementation(), manager);
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
