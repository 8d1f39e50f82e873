#include <stdexcept>

#include <xercesc/dom/DOMElement.hpp>

#include "document/parser_document.hpp"
#include "node/access.hpp"
#include "node/deep_copy.hpp"
#include "tovalin/document.hpp"

XcsXmlDocument& XcsXmlDOMDocument::bind(const XcsXmlDocument& other) {
    const auto* source =
        static_cast<const xercesc::DOMDocument*>(tovalin::detail::Access::bound(other));
    const xercesc::DOMElement* root = source->getDocumentElement();
    if (root == nullptr) throw std::invalid_argument("no document element");
    // The copy is made before the current document goes, since the other may be that one.
    xercesc::DOMDocument* made = tovalin::newEmptyDocument();
    try {
        made->appendChild(tovalin::detail::importDeep(made, root));
    } catch (...) {
        made->release();
        throw;
    }
    initData();
    return install(made);
}
