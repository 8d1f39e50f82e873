#include "document/parser_document.hpp"

#include <xercesc/dom/DOMImplementation.hpp>
#include <xercesc/dom/DOMImplementationRegistry.hpp>

namespace tovalin {

xercesc::DOMDocument* newEmptyDocument() {
    static const XMLCh core[] = u"Core";
    return xercesc::DOMImplementationRegistry::getDOMImplementation(core)->createDocument();
}

}  // namespace tovalin
