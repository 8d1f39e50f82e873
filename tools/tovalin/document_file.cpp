#include "document_file.hpp"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "check_file.hpp"
#include "console.hpp"
#include "files.hpp"
#include "language.hpp"
#include "problem_output.hpp"

namespace tool {
namespace {

// Why the document object's last operation failed, on one line: the library may give a
// reason and where it stands on lines of their own.
std::string lastError(const XcsXmlDOMDocument& document) {
    std::string reason = document.getLastError();
    reason.erase(std::remove(reason.begin(), reason.end(), '\r'), reason.end());
    std::replace(reason.begin(), reason.end(), '\n', ' ');
    return reason;
}

}  // namespace

std::set<std::string> withLoadSwitches(std::set<std::string> switches) {
    switches.insert({"--huge", "--local-only"});
    return switches;
}

std::unique_ptr<XcsXmlDOMDocument> newDocument(const CommandLine& line, TL_LAYOUT_TYPE layout) {
    std::unique_ptr<XcsXmlDOMDocument> document(XmlDocumentFactory::createDocument());
    if (!document) {
        throw std::runtime_error(
            say({u"the XML parser could not start", u"XML パーサーを開始できませんでした"}));
    }
    applyLoadSwitches(*document, line);
    if (line.options.count("--indent") != 0) setIndent(*document, line.option("--indent"));
    document->setLayout(line.options.count("--layout") != 0 ? layoutOption(line.option("--layout"))
                                                            : layout);
    return document;
}

void applyLoadSwitches(XcsXmlDOMDocument& document, const CommandLine& line) {
    if (line.has("--huge")) document.setLoadLimits(XcsLoadLimits::lifted());
    if (line.has("--local-only")) document.setEntitySource(TL_ENTITY_DOCUMENT_FOLDER);
    if (userReadsJapanese()) document.setMessageLanguage(TL_MESSAGES_JAPANESE);
    // Only loads without validation read on without a DTD they cannot read.
    document.setUnreadableDtd(TL_DTD_WARNS);
}

void setIndent(XcsXmlDOMDocument& document, const std::string& spaces) {
    const bool digits =
        !spaces.empty() && spaces.find_first_not_of("0123456789") == std::string::npos;
    const unsigned long value = digits ? std::strtoul(spaces.c_str(), nullptr, 10) : ULONG_MAX;
    if (value > UINT_MAX || !document.setIndent(static_cast<unsigned int>(value))) {
        throw UsageError(say({u"--indent takes a number of spaces from 0 to 16, not %1",
                              u"--indent には 0 から 16 までの空白の数を指定してください"
                              u"（%1 は指定できません）"},
                             {spaces}));
    }
}

TL_LAYOUT_TYPE layoutOption(const std::string& name) {
    if (name == "keep") return TL_LAYOUT_KEEP;
    if (name == "fixed") return TL_LAYOUT_FIXED;
    throw UsageError(say({u"--layout takes keep or fixed, not %1",
                          u"--layout には keep か fixed を指定してください（%1 は指定できません）"},
                         {name}));
}

bool hasDocumentType(XcsXmlDOMDocument& document) {
    for (XcsXmlNode node = document.getDocument().getFirstChild(); !node.isNull();
         node = node.getNextSibling()) {
        if (node.getNodeType() == xercesc::DOMNode::DOCUMENT_TYPE_NODE) return true;
    }
    return false;
}

std::unique_ptr<XcsXmlDOMDocument> loadDocument(const std::string& path, const CommandLine& line,
                                                TL_LAYOUT_TYPE layout) {
    std::unique_ptr<XcsXmlDOMDocument> document = newDocument(line, layout);
    std::list<XMLERROR_TYPE> errors;
    if (!document->load(path, &errors, false)) {
        if (errors.empty()) throw std::runtime_error(path + ": " + lastError(*document));
        const XMLERROR_TYPE& first = errors.front();
        throw std::runtime_error(first.systemId + ":" + std::to_string(first.lineNumber) + ":" +
                                 std::to_string(first.columnNumber) + ": " + first.message);
    }
    for (const XMLERROR_TYPE& record : errors) {
        std::cerr << "tovalin: " << problemLine(leftOutDtd(record));
    }
    return document;
}

void saveDocument(XcsXmlDOMDocument& document, const std::string& path, TL_ENCODE_TYPE type) {
    if (!document.save(path, type)) {
        throw std::runtime_error(
            say({u"%1: not written as %2: %3", u"%1: %2 で書き込めませんでした: %3"},
                {path, encodingName(type), lastError(document)}));
    }
}

std::string noElementNamed(const std::string& file, const std::string& tag) {
    return say({u"%1: no element named %2", u"%1: %2 という要素がありません"}, {file, tag});
}

}  // namespace tool
