#include "check_file.hpp"

#include <list>

#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>

#include "document_file.hpp"
#include "language.hpp"

namespace tool {

Problem leftOutDtd(const XMLERROR_TYPE& record) {
    return {record.systemId, record.lineNumber, record.columnNumber,
            say({u"the DTD cannot be read, so the file was read without it",
                 u"DTD を読み込めないため、DTD を使わずに読み込みました"}),
            Severity::warning};
}

// Passes every report on to the library's handler, which makes a record of each error and
// fatal error in turn, and notes which of the two each was.
class CheckingDocument::SeverityTap : public xercesc::ErrorHandler {
  public:
    xercesc::ErrorHandler* handler = nullptr;
    std::vector<Severity> severities;

    void warning(const xercesc::SAXParseException& problem) override { handler->warning(problem); }
    void error(const xercesc::SAXParseException& problem) override {
        severities.push_back(Severity::error);
        handler->error(problem);
    }
    void fatalError(const xercesc::SAXParseException& problem) override {
        severities.push_back(Severity::fatal);
        handler->fatalError(problem);
    }
    void resetErrors() override { handler->resetErrors(); }
};

CheckingDocument::CheckingDocument(Validation validation)
    : validation(validation), tap(new SeverityTap) {}

CheckingDocument::~CheckingDocument() = default;

std::vector<Problem> CheckingDocument::check(const std::string& path) {
    std::list<XMLERROR_TYPE> records;
    tap->severities.clear();
    const bool loaded = load(path, &records, validation != Validation::never);
    std::vector<Problem> problems;
    if (loaded) {
        for (const XMLERROR_TYPE& record : records) problems.push_back(leftOutDtd(record));
        return problems;
    }
    // The handler's records come first and in order; any after them (an exception of the
    // parser, a load stopped by its bounds) ended the load.
    for (const XMLERROR_TYPE& record : records) {
        const std::size_t index = problems.size();
        problems.push_back(
            {record.systemId, record.lineNumber, record.columnNumber, record.message,
             index < tap->severities.size() ? tap->severities[index] : Severity::fatal});
    }
    return problems;
}

bool CheckingDocument::setParserCondition(xercesc::XercesDOMParser* parser,
                                          xercesc::ErrorHandler* handler, bool validate) {
    tap->handler = handler;
    if (!XcsXmlDOMDocument::setParserCondition(parser, tap.get(), validate)) return false;
    if (validation == Validation::asNamed) {
        parser->setValidationScheme(xercesc::XercesDOMParser::Val_Auto);
    }
    return true;
}

namespace {

// Whether a well-formed file names no document type; false for one that is not well-formed.
bool namesNoDocumentType(const std::string& path, const CommandLine& line) {
    const std::unique_ptr<XcsXmlDOMDocument> document = newDocument(line);
    std::list<XMLERROR_TYPE> records;
    return document->load(path, &records, false) && !hasDocumentType(*document);
}

std::vector<Problem> checked(const std::string& path, Validation validation,
                             const CommandLine& line) {
    CheckingDocument document(validation);
    applyLoadSwitches(document, line);
    std::vector<Problem> problems = document.check(path);
    // Without a DTD every element is undeclared: one problem says why, where the first was.
    if (validation == Validation::always && !problems.empty() && namesNoDocumentType(path, line)) {
        const Problem& first = problems.front();
        return {{path, first.line, first.column,
                 say({u"no DTD is named, so the file cannot be validated",
                      u"DTD が指定されていないため、検証できません"}),
                 Severity::error}};
    }
    return problems;
}

}  // namespace

std::vector<Problem> checkFile(const std::string& path, Validation validation,
                               const CommandLine& line) {
    try {
        return checked(path, validation, line);
    } catch (const std::exception& e) {
        return {{path, 0, 0, e.what(), Severity::fatal}};
    } catch (...) {
        return {{path, 0, 0, say({u"the XML parser failed", u"XML パーサーでエラーが起きました"}),
                 Severity::fatal}};
    }
}

}  // namespace tool
