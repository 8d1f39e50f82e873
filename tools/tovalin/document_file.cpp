#include "document_file.hpp"

#include <stdexcept>

#include "files.hpp"
#include "language.hpp"

namespace tool {

std::set<std::string> withLoadSwitches(std::set<std::string> switches) {
    switches.insert({"--huge", "--local-only"});
    return switches;
}

std::unique_ptr<XcsXmlDOMDocument> newDocument(const CommandLine& line) {
    std::unique_ptr<XcsXmlDOMDocument> document(XmlDocumentFactory::createDocument());
    if (!document) {
        throw std::runtime_error(
            say({u"the XML parser could not start", u"XML パーサーを開始できませんでした"}));
    }
    applyLoadSwitches(*document, line);
    return document;
}

void applyLoadSwitches(XcsXmlDOMDocument& document, const CommandLine& line) {
    if (line.has("--huge")) document.setLoadLimits(XcsLoadLimits::lifted());
    if (line.has("--local-only")) document.setEntitySource(TL_ENTITY_DOCUMENT_FOLDER);
}

bool hasDocumentType(XcsXmlDOMDocument& document) {
    for (XcsXmlNode node = document.getDocument().getFirstChild(); !node.isNull();
         node = node.getNextSibling()) {
        if (node.getNodeType() == xercesc::DOMNode::DOCUMENT_TYPE_NODE) return true;
    }
    return false;
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
        throw std::runtime_error(
            say({u"%1: not written as %2 (it holds a character that cannot be written so, or "
                 u"the file cannot be written); its earlier content is kept",
                 u"%1: %2 で書き込めませんでした（%2 で書けない文字があるか、ファイルに書き込め"
                 u"ません）。元の内容はそのままです"},
                {path, encodingName(type)}));
    }
}

std::string noElementNamed(const std::string& file, const std::string& tag) {
    return say({u"%1: no element named %2", u"%1: %2 という要素がありません"}, {file, tag});
}

}  // namespace tool
