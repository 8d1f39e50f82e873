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
#include "load/kept_source.hpp"
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
std::string entityFolder(TL_ENTITY_SOURCE source, const std::string& document) {
    if (source != TL_ENTITY_DOCUMENT_FOLDER) return {};
    const std::string folder = platform::folderOf(document);
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

// A problem in the file itself is reported under the name the parser knows it by: it is given
// the caller's name for the file.
void nameTheCallersFile(std::list<XMLERROR_TYPE>& errors, std::size_t earlier,
                        const std::string& parsersName, const std::string& source) {
    for (auto record = std::next(errors.begin(), static_cast<std::ptrdiff_t>(earlier));
         record != errors.end(); ++record) {
        if (record->systemId == parsersName) record->systemId = source;
    }
}

// The text in UTF-16, or nothing when it is no text in the process code page.
std::optional<text::XmlString> inUtf16(const std::string& narrow) {
    try {
        return text::toXml(narrow);
    } catch (const xercesc::TranscodingException&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<Loaded> loadFile(const std::string& source, std::list<XMLERROR_TYPE>& errors,
                               const Request& request) {
    namespace messages = load_messages;
    const bool listed = request.listed;
    const std::size_t earlier = errors.size();
    platform::FileProblem problem;
    const platform::Descriptor document(platform::openToRead(source, problem));
    if (!document.isOpen()) {
        std::string why = messages::cannotRead(problem);
        if (problem == platform::FileProblem::missing && platform::fileExists(source + ".BAK")) {
            why += messages::earlierContentMayBeIn(source + ".BAK");
        }
        addRecord(errors, why.empty() ? messages::moveFileAndRetry() : why, source);
        reportFirst(errors, earlier, listed, !why.empty());
        return std::nullopt;
    }
    const std::string folder = platform::folderOf(source);
    const std::optional<text::XmlString> folderName = inUtf16(folder);
    if (!folderName) {
        addRecord(errors, messages::moveFileAndRetry(), source);
        reportFirst(errors, earlier, listed);
        return std::nullopt;
    }
    if (const XMLCh forbidden = firstForbiddenCharacter(folderName->c_str())) {
        addRecord(errors, messages::refusedPath(forbidden), source);
        if (!listed) std::cout << errors.back().message << std::endl;
        return std::nullopt;
    }
    // The name the parser knows the document by, beside which it finds the DTDs and entities
    // named by relative paths. The bytes come from the file already open, so a file name that
    // is no text in the code page may have a stand-in.
    const text::XmlString parsersName =
        *folderName + inUtf16(source.substr(folder.size())).value_or(u"?");

    const std::shared_ptr<LoadAccount> account(new LoadAccount(request.limits));
    LoadParser parser(*account, entityFolder(request.entitySource, source));
    parser.setMessageLanguage(request.messageLanguage);
    XcsErrorReporter reporter(&errors);
    if (!request.configure(&parser, &reporter)) return std::nullopt;
    parser.secure();
    if (!request.validate && request.unreadableDtd == TL_DTD_WARNS) parser.leaveOutUnreadableDtd();
    const bool stopped = parseReporting(
        parser, LocalFileSource(document.get(), parsersName, *account), errors, source);
    nameTheCallersFile(errors, earlier, text::fromXmlForMessage(parsersName.c_str()), source);
    if (stopped || reporter.getSawErrors() || errors.size() != earlier) {
        reportFirst(errors, earlier, listed, stopped);
        return std::nullopt;
    }

    if (const auto& dtd = parser.leftOutDtd()) {
        errors.push_back(
            XMLERROR_TYPE{dtd->line, dtd->column,
                          messages::dtdLeftOut(fromXmlForMessage(dtd->systemId.c_str())), source});
    }
    Loaded loaded;
    xercesc::DOMDocument* parsed = parser.takeDocument();
    loaded.tree = detail::TreeRef(detail::Tree::adopt(parsed, account));
    loaded.tree.get()->keepPositions(parser.takePositions());
    // Files are named as in the records: the document as the caller named it.
    loaded.tree.get()->keepSourceFiles(parser.takeSourceFiles([&](const text::XmlString& id) {
        return id == parsersName ? source : fromXmlForMessage(id.c_str());
    }));
    keepInternalSubset(*loaded.tree.get(), readSubset(document.get(), parser.internalSubset()));
    const xercesc::DOMNode* first = parsed->getFirstChild();
    loaded.declared = first != nullptr && declaration::isDeclaration(first);
    if (loaded.declared) {
        loaded.declaredEncoding = fromXml(declaration::valueOf(first, u"encoding").c_str());
    }
    loaded.fileEncoding = encodingName(parser.documentEncoding());
    if (request.keepSource) {
        loaded.tree.get()->source =
            keptSource(parser, *parsed, document.get(), loaded.fileEncoding);
    }
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
