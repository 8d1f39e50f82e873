#include <iostream>
#include <iterator>
#include <memory>
#include <new>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "load/forbidden_path.hpp"
#include "load/load.hpp"
#include "load/load_messages.hpp"
#include "load/load_parser.hpp"
#include "node/declaration.hpp"
#include "node/tree.hpp"
#include "platform/platform.hpp"
#include "text/code_page.hpp"
#include "text/windows_31j.hpp"
#include "tovalin/error_reporter.hpp"

namespace tovalin::load {
namespace {

using text::fromXml;
using text::fromXmlForMessage;

// The working copy of one load, deleted on every way out of it.
struct WorkingCopy {
    std::string path;
    WorkingCopy() = default;
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    ~WorkingCopy() {
        if (!path.empty()) platform::deleteFile(path);
    }
};

void addRecord(std::list<XMLERROR_TYPE>& errors, const std::string& message,
               const std::string& systemId) {
    errors.push_back(XMLERROR_TYPE{0, 0, message, systemId});
}

// The record of a parse that its limits stopped, or that ran out of memory, where it stopped:
// without a position when it stopped after the last character was read.
void addStopRecord(std::list<XMLERROR_TYPE>& errors, const LoadParser& parser,
                   const std::string& source) {
    XMLERROR_TYPE record{0, 0, load_messages::expandsBeyondLimit(), source};
    if (parser.isReading()) {
        const xercesc::Locator& at = parser.position();
        record.lineNumber = static_cast<unsigned int>(at.getLineNumber());
        record.columnNumber = static_cast<unsigned int>(at.getColumnNumber());
        const std::string systemId = fromXmlForMessage(at.getSystemId());
        if (!systemId.empty()) record.systemId = systemId;
    }
    errors.push_back(record);
}

// Parses, and turns an exception that escapes the parser into a record of its own. True
// when the parse was stopped by its limits or for want of memory.
bool parseReporting(LoadParser& parser, const LocalFileSource& input,
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
        addRecord(errors, load_messages::moveFileAndRetry(), source);
    }
    if (!outOfMemory && !parser.stopped()) return false;
    addStopRecord(errors, parser, source);
    return true;
}

// Reports the first problem of this load: in the caller's list a problem without a position
// gets the library's own advice, unless its record already explains it (the load was
// stopped, or the file cannot be read); without a list it goes to standard output.
void reportFirst(std::list<XMLERROR_TYPE>& errors, std::size_t earlier, bool listed,
                 bool explained = false) {
    if (errors.size() == earlier) return;
    XMLERROR_TYPE& first = *std::next(errors.begin(), static_cast<std::ptrdiff_t>(earlier));
    if (!listed) {
        std::cout << load_messages::openFailed(first) << std::endl;
    } else if (!explained && first.lineNumber == 0 && first.columnNumber == 0) {
        first.message = load_messages::moveFileAndRetry();
    }
}

// The folder a load reads entities from, or none for any local file.
std::string entityFolder(TL_ENTITY_SOURCE source, const std::string& workingCopy) {
    if (source != TL_ENTITY_DOCUMENT_FOLDER) return {};
    const std::string folder = platform::folderOf(workingCopy);
    return folder.empty() ? std::string(".") : folder;
}

// The parser names encodings in upper case, and marks the byte order it detected:
// "UTF-16 (LE)". Every name of code page 932 is one encoding, Shift_JIS.
std::string encodingName(const text::XmlString& parserName) {
    if (parserName.compare(0, 6, u"UTF-16") == 0) return "UTF-16";
    for (const char16_t* name : text::codePage932Names) {
        if (parserName == reinterpret_cast<const XMLCh*>(name)) return "Shift_JIS";
    }
    return fromXmlForMessage(parserName.c_str());
}

void keepInternalSubset(detail::Tree& tree, const text::XmlString& subset) {
    if (subset.empty()) return;
    tree.loadedDocumentType = tree.document->getDoctype();
    tree.loadedSubset = subset;
}

// A problem in the file itself is reported under the working copy's name, which is gone
// when the load ends: it is given the caller's name for the file.
void nameTheCallersFile(std::list<XMLERROR_TYPE>& errors, std::size_t earlier,
                        const std::string& workingCopy, const std::string& source) {
    for (auto record = std::next(errors.begin(), static_cast<std::ptrdiff_t>(earlier));
         record != errors.end(); ++record) {
        if (record->systemId == workingCopy) record->systemId = source;
    }
}

// The file a load parses: a new working copy in the file's folder or, where none can be made
// there (a folder the user cannot write to), the file itself, which is then only read.
// Empty when the file cannot be read; why then says why, unless moving the file is the cure.
std::string fileToParse(const std::string& source, WorkingCopy& copy, std::string& why) {
    if (makeWorkingCopy(source, copy.path)) return copy.path;
    if (!platform::isUsablePath(source)) return {};
    const platform::FileProblem problem = platform::whyNotReadable(source);
    if (problem == platform::FileProblem::none) return source;
    why = load_messages::cannotRead(problem);
    return {};
}

}  // namespace

std::optional<Loaded> loadFile(const std::string& source, std::list<XMLERROR_TYPE>& errors,
                               const Request& request) {
    namespace messages = load_messages;
    const bool listed = request.listed;
    const std::size_t earlier = errors.size();
    WorkingCopy copy;
    std::string why;
    const std::string parsedFile = fileToParse(source, copy, why);
    if (!why.empty()) {
        addRecord(errors, why, source);
        reportFirst(errors, earlier, listed, true);
        return std::nullopt;
    }
    text::XmlString parsedPath;
    try {
        parsedPath = text::toXml(parsedFile);
    } catch (const xercesc::TranscodingException&) {
        // A folder named with bytes that are no text in the process code page.
    }
    if (parsedPath.empty()) {
        addRecord(errors, messages::moveFileAndRetry(), source);
        reportFirst(errors, earlier, listed);
        return std::nullopt;
    }
    if (const XMLCh forbidden = firstForbiddenCharacter(parsedPath.c_str())) {
        addRecord(errors, messages::refusedPath(forbidden), source);
        if (!listed) std::cout << errors.back().message << std::endl;
        return std::nullopt;
    }

    const std::shared_ptr<LoadAccount> account(new LoadAccount(request.limits));
    LoadParser parser(*account, entityFolder(request.entitySource, parsedFile));
    parser.setMessageLanguage(request.messageLanguage);
    XcsErrorReporter reporter(&errors);
    if (!request.configure(&parser, &reporter)) return std::nullopt;
    parser.secure();
    const bool stopped =
        parseReporting(parser, LocalFileSource(parsedFile, parsedPath, *account), errors, source);
    nameTheCallersFile(errors, earlier, text::fromXmlForMessage(parsedPath.c_str()), source);
    if (stopped || reporter.getSawErrors() || errors.size() != earlier) {
        reportFirst(errors, earlier, listed, stopped);
        return std::nullopt;
    }

    Loaded loaded;
    xercesc::DOMDocument* parsed = parser.takeDocument();
    loaded.tree = detail::TreeRef(detail::Tree::adopt(parsed, account));
    loaded.tree.get()->keepPositions(parser.takePositions());
    keepInternalSubset(*loaded.tree.get(), readSubset(parsedFile, parser.internalSubset()));
    const xercesc::DOMNode* first = parsed->getFirstChild();
    loaded.declared = first != nullptr && declaration::isDeclaration(first);
    if (loaded.declared) {
        loaded.declaredEncoding = fromXml(declaration::valueOf(first, u"encoding").c_str());
    }
    loaded.fileEncoding = encodingName(parser.documentEncoding());
    return loaded;
}

bool configureParser(xercesc::XercesDOMParser* parser, xercesc::ErrorHandler* handler,
                     bool validate) {
    parser->setValidationScheme(validate ? xercesc::XercesDOMParser::Val_Always
                                         : xercesc::XercesDOMParser::Val_Never);
    parser->setErrorHandler(handler);
    parser->setDoNamespaces(false);
    parser->setDoSchema(false);
    parser->setCreateEntityReferenceNodes(false);
    return true;
}

bool makeWorkingCopy(const std::string& source, std::string& workingCopy) {
    if (!platform::isUsablePath(source)) return false;
    const std::string made = platform::createUniqueFile(platform::folderOf(source), "MIRTA");
    if (made.empty()) return false;
    // A copy that failed would leave an empty file for the parser to misreport.
    if (!platform::copyFile(source, made, platform::CopyInto::ownFile)) {
        platform::deleteFile(made);
        return false;
    }
    workingCopy = made;
    return true;
}

}  // namespace tovalin::load
