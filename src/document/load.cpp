#include <iostream>
#include <iterator>
#include <memory>
#include <new>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "document/load_messages.hpp"
#include "document/load_parser.hpp"
#include "document/settings.hpp"
#include "node/declaration.hpp"
#include "node/tree.hpp"
#include "platform/platform.hpp"
#include "text/code_page.hpp"
#include "tovalin/error_reporter.hpp"

namespace {

using tovalin::text::fromXml;
using tovalin::text::fromXmlForMessage;

// The working copy of one load, deleted on every way out of it.
struct WorkingCopy {
    std::string path;
    WorkingCopy() = default;
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    ~WorkingCopy() {
        if (!path.empty()) tovalin::platform::deleteFile(path);
    }
};

void addRecord(std::list<XMLERROR_TYPE>& errors, const std::string& message,
               const std::string& systemId) {
    errors.push_back(XMLERROR_TYPE{0, 0, message, systemId});
}

// The record of a parse that its limits stopped, or that ran out of memory, where it stopped.
void addStopRecord(std::list<XMLERROR_TYPE>& errors, const tovalin::LoadParser& parser,
                   const std::string& source) {
    const xercesc::Locator& at = parser.position();
    const std::string systemId = fromXml(at.getSystemId());
    errors.push_back(XMLERROR_TYPE{static_cast<unsigned int>(at.getLineNumber()),
                                   static_cast<unsigned int>(at.getColumnNumber()),
                                   tovalin::load_messages::expandsBeyondLimit(),
                                   systemId.empty() ? source : systemId});
}

// Parses, and turns an exception that escapes the parser into a record of its own. True
// when the parse was stopped by its limits or for want of memory.
bool parseReporting(tovalin::LoadParser& parser, const tovalin::LocalFileSource& input,
                    std::list<XMLERROR_TYPE>& errors, const std::string& source) {
    bool outOfMemory = false;
    try {
        parser.parseCounted(input);
    } catch (const xercesc::OutOfMemoryException&) {
        outOfMemory = true;
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    } catch (const xercesc::XMLException& e) {
        addRecord(errors, fromXmlForMessage(e.getMessage()), source);
    } catch (const xercesc::DOMException& e) {
        addRecord(errors, fromXmlForMessage(e.getMessage()), source);
    } catch (const std::exception& e) {
        addRecord(errors, e.what(), source);
    } catch (...) {
        addRecord(errors, tovalin::load_messages::moveFileAndRetry(), source);
    }
    if (!outOfMemory && !parser.stopped()) return false;
    addStopRecord(errors, parser, source);
    return true;
}

// Reports the first problem of this load: in the caller's list a problem without a position
// gets the library's own advice, unless the load was stopped; without a list it goes to
// standard output.
bool failWith(std::list<XMLERROR_TYPE>& errors, std::size_t earlier, bool listed,
              bool stopped = false) {
    if (errors.size() == earlier) return false;
    XMLERROR_TYPE& first = *std::next(errors.begin(), static_cast<std::ptrdiff_t>(earlier));
    if (!listed) {
        std::cout << tovalin::load_messages::openFailed(first) << std::endl;
    } else if (!stopped && first.lineNumber == 0 && first.columnNumber == 0) {
        first.message = tovalin::load_messages::moveFileAndRetry();
    }
    return false;
}

// The folder a load reads entities from, or none for any local file.
std::string entityFolder(TL_ENTITY_SOURCE source, const std::string& workingCopy) {
    if (source != TL_ENTITY_DOCUMENT_FOLDER) return {};
    const std::string folder = tovalin::platform::folderOf(workingCopy);
    return folder.empty() ? std::string(".") : folder;
}

void keepInternalSubset(tovalin::detail::Tree& tree, const tovalin::text::XmlString& subset) {
    if (subset.empty()) return;
    tree.loadedDocumentType = tree.document->getDoctype();
    tree.loadedSubset = subset;
}

}  // namespace

bool XcsXmlDOMDocument::load(const std::string& source, std::list<XMLERROR_TYPE>* errors,
                             bool validate) {
    if (errors == nullptr) return load(source, validate);
    return loadFile(source, *errors, validate, true);
}

bool XcsXmlDOMDocument::load(const std::string& source, bool validate) {
    std::list<XMLERROR_TYPE> errors;
    return loadFile(source, errors, validate, false);
}

bool XcsXmlDOMDocument::loadFile(const std::string& source, std::list<XMLERROR_TYPE>& errors,
                                 bool validate, bool listed) {
    namespace messages = tovalin::load_messages;
    const std::size_t earlier = errors.size();
    WorkingCopy copy;
    if (!preBuilder(source, copy.path)) {
        addRecord(errors, messages::moveFileAndRetry(), source);
        return failWith(errors, earlier, listed);
    }
    tovalin::text::XmlString copyPath;
    try {
        copyPath = tovalin::text::toXml(copy.path);
    } catch (const xercesc::TranscodingException&) {
        // A folder named with bytes that are no text in the process code page.
        addRecord(errors, messages::moveFileAndRetry(), source);
        return failWith(errors, earlier, listed);
    }
    if (const XMLCh forbidden = messages::firstForbiddenCharacter(copyPath.c_str())) {
        addRecord(errors, messages::refusedPath(forbidden), source);
        if (!listed) std::cout << errors.back().message << std::endl;
        return false;
    }

    const tovalin::detail::DocumentSettings& own = tovalin::detail::settingsOr(settings);
    const std::shared_ptr<tovalin::LoadAccount> account(new tovalin::LoadAccount(own.limits));
    tovalin::LoadParser parser(*account, entityFolder(own.entitySource, copy.path));
    XcsErrorReporter reporter(&errors);
    if (!setParserCondition(&parser, &reporter, validate)) return false;
    parser.secure();
    const bool stopped = parseReporting(
        parser, tovalin::LocalFileSource(copy.path, copyPath, *account), errors, source);
    if (stopped || reporter.getSawErrors() || errors.size() != earlier) {
        return failWith(errors, earlier, listed, stopped);
    }

    xercesc::DOMDocument* parsed = parser.takeDocument();
    const tovalin::detail::TreeRef tree(tovalin::detail::Tree::adopt(parsed, account));
    keepInternalSubset(*tree.get(), tovalin::readSubset(copy.path, parser.internalSubset()));
    *document = XcsXmlDocument(parsed, tree);
    path = source;
    const xercesc::DOMNode* first = parsed->getFirstChild();
    if (!listed && first != nullptr && tovalin::declaration::isDeclaration(first)) {
        encoding = fromXml(tovalin::declaration::valueOf(first, u"encoding").c_str());
    }
    return true;
}

bool XcsXmlDOMDocument::setParserCondition(xercesc::XercesDOMParser* parser,
                                           xercesc::ErrorHandler* handler, bool validate) {
    parser->setValidationScheme(validate ? xercesc::XercesDOMParser::Val_Always
                                         : xercesc::XercesDOMParser::Val_Never);
    parser->setErrorHandler(handler);
    parser->setDoNamespaces(false);
    parser->setDoSchema(false);
    parser->setCreateEntityReferenceNodes(false);
    return true;
}

bool XcsXmlDOMDocument::preBuilder(std::string source, std::string& workingCopy) {
    if (!tovalin::platform::isUsablePath(source)) return false;
    const std::string made =
        tovalin::platform::createUniqueFile(tovalin::platform::folderOf(source), "MIRTA");
    if (made.empty()) return false;
    // A copy that failed would leave an empty file for the parser to misreport.
    if (!tovalin::platform::copyFile(source, made, tovalin::platform::CopyInto::ownFile)) {
        tovalin::platform::deleteFile(made);
        return false;
    }
    workingCopy = made;
    return true;
}
