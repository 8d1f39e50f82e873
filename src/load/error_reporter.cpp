#include "tovalin/error_reporter.hpp"

#include "text/code_page.hpp"

XcsErrorReporter::XcsErrorReporter(std::list<XMLERROR_TYPE>* errors)
    : errorList(errors), sawErrors(false) {}

XcsErrorReporter::~XcsErrorReporter() = default;

void XcsErrorReporter::warning(const xercesc::SAXParseException&) {}

void XcsErrorReporter::error(const xercesc::SAXParseException& problem) { record(problem); }

void XcsErrorReporter::fatalError(const xercesc::SAXParseException& problem) { record(problem); }

void XcsErrorReporter::resetErrors() {}

bool XcsErrorReporter::getSawErrors() const { return sawErrors; }

void XcsErrorReporter::record(const xercesc::SAXParseException& problem) {
    // Set first, so that a failure to build the record still fails the load.
    sawErrors = true;
    XMLERROR_TYPE entry{};
    entry.systemId = tovalin::text::fromXmlForMessage(problem.getSystemId());
    entry.lineNumber = static_cast<unsigned int>(problem.getLineNumber());
    entry.columnNumber = static_cast<unsigned int>(problem.getColumnNumber());
    entry.message = tovalin::text::fromXmlForMessage(problem.getMessage());
    errorList->push_back(entry);
}
