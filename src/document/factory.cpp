#include <new>

#include "document/library_entry.hpp"
#include "tovalin/document.hpp"

XmlDocumentFactory::XmlDocumentFactory() = default;

XmlDocumentFactory::XmlDocumentFactory(const XmlDocumentFactory&) {}

XmlDocumentFactory& XmlDocumentFactory::operator=(const XmlDocumentFactory&) { return *this; }

XmlDocumentFactory::~XmlDocumentFactory() = default;

XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>*
XmlDocumentFactory::createDocument() {
    using Created = XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>;
    if (!tovalin::libraryStarted()) return nullptr;
    try {
        return new Created();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

extern "C" void runtest() {}
