#include "document_file.hpp"

#include <stdexcept>

#include "files.hpp"

namespace tool {

std::unique_ptr<XcsXmlDOMDocument> loadDocument(const std::string& path) {
    std::unique_ptr<XcsXmlDOMDocument> document(XmlDocumentFactory::createDocument());
    if (!document) throw std::runtime_error("the XML parser could not start");
    std::list<XMLERROR_TYPE> errors;
    if (!document->load(path, &errors, false)) {
        const XMLERROR_TYPE& first = errors.front();
        throw std::runtime_error(shownSystemId(first.systemId, path) + ":" +
                                 std::to_string(first.lineNumber) + ":" +
                                 std::to_string(first.columnNumber) + ": " + first.message);
    }
    return document;
}

void saveDocument(XcsXmlDOMDocument& document, const std::string& path, TL_ENCODE_TYPE type) {
    if (!document.save(path, type)) {
        throw std::runtime_error(path + ": not written as " + encodingName(type) +
                                 " (it holds a character that cannot be written so, or the file "
                                 "cannot be written); its earlier content is kept");
    }
}

unsigned int countElements(XcsXmlDOMDocument& document, const std::string& tagName) {
    return document.getDocument().getElementsByTagName(tagName).getLength();
}

}  // namespace tool
