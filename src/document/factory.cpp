#include <new>

#include "platform/platform.hpp"
#include "tovalin/document.hpp"

XmlDocumentFactory::XmlDocumentFactory() = default;

XmlDocumentFactory::XmlDocumentFactory(const XmlDocumentFactory&) {}

XmlDocumentFactory& XmlDocumentFactory::operator=(const XmlDocumentFactory&) { return *this; }

XmlDocumentFactory::~XmlDocumentFactory() = default;

XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>*
XmlDocumentFactory::createDocument() {
    using Created = XmlDOMDocument<XcsXmlDOMDocument, XcsXmlNode, XcsXmlDocument>;
    if (!tovalin::platform::libraryStarted()) return nullptr;
    return new (std::nothrow) Created();
}

extern "C" void runtest() {}
