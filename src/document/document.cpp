#include <stdexcept>

#include <xercesc/dom/DOMElement.hpp>

#include "document/parser_document.hpp"
#include "node/access.hpp"
#include "node/tree.hpp"
#include "text/code_page.hpp"
#include "tovalin/document.hpp"

namespace {

using tovalin::detail::Access;
using tovalin::detail::TreeRef;

// A new parser document holding one root element; freed again if the name is refused.
xercesc::DOMDocument* newParserDocument(const std::string& rootName) {
    xercesc::DOMDocument* made = tovalin::newEmptyDocument();
    try {
        made->appendChild(made->createElement(tovalin::text::toXml(rootName).c_str()));
    } catch (...) {
        made->release();
        throw;
    }
    return made;
}

}  // namespace

// The object keeps one document wrapper for its whole life, so that the reference it hands
// out stays valid; it points at the document held, and is null while there is none.
XcsXmlDOMDocument::XcsXmlDOMDocument()
    : document(new XcsXmlDocument(Access::document(nullptr, TreeRef()))), formatter(nullptr) {}

XcsXmlDOMDocument::XcsXmlDOMDocument(const XcsXmlDOMDocument& other)
    : path(other.path),
      encoding(other.encoding),
      document(new XcsXmlDocument(*other.document)),
      formatter(nullptr) {}

XcsXmlDOMDocument& XcsXmlDOMDocument::operator=(const XcsXmlDOMDocument& other) {
    path = other.path;
    encoding = other.encoding;
    *document = *other.document;
    return *this;
}

XcsXmlDOMDocument::~XcsXmlDOMDocument() { delete document; }

void XcsXmlDOMDocument::initData() {
    path.clear();
    encoding.clear();
    *document = Access::document(nullptr, TreeRef());
}

XcsXmlDocument& XcsXmlDOMDocument::getDocument() {
    if (document->isNull()) throw std::runtime_error("no document");
    return *document;
}

std::string XcsXmlDOMDocument::getPath() const { return path; }

XcsXmlDocument& XcsXmlDOMDocument::createDocument(const std::string& rootName) {
    initData();
    return install(newParserDocument(rootName));
}

XcsXmlDocument& XcsXmlDOMDocument::install(xercesc::DOMDocument* made) {
    *document = Access::document(made, TreeRef(tovalin::detail::Tree::adopt(made)));
    return *document;
}
