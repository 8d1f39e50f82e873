#include "document_file.hpp"

#include <stdexcept>

#include "files.hpp"

namespace tool {

std::set<std::string> withLoadSwitches(std::set<std::string> switches) {
    switches.insert({"--huge", "--local-only"});
    return switches;
}

std::unique_ptr<XcsXmlDOMDocument> newDocument(const CommandLine& line) {
    std::unique_ptr<XcsXmlDOMDocument> document(XmlDocumentFactory::createDocument());
    if (!document) throw std::runtime_error("the XML parser could not start");
    if (line.has("--huge")) document->setLoadLimits(XcsLoadLimits::lifted());
    if (line.has("--local-only")) document->setEntitySource(TL_ENTITY_DOCUMENT_FOLDER);
    return document;
}

std::unique_ptr<XcsXmlDOMDocument> loadDocument(const std::string& path, const CommandLine& line) {
    std::unique_ptr<XcsXmlDOMDocument> document = newDocument(line);
    std::list<XMLERROR_TYPE> errors;
    if (!document->load(path, &errors, false)) {
        const XMLERROR_TYPE& first = errors.front();
        throw std::runtime_error(first.systemId + ":" + std::to_string(first.lineNumber) + ":" +
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
