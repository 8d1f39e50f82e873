/// \file
/// XcsErrorReporter, the parser's error handler of a load.
#ifndef TOVALIN_ERROR_REPORTER_HPP
#define TOVALIN_ERROR_REPORTER_HPP

#include <list>

#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>

#include "tovalin/document.hpp"
#include "tovalin/export.hpp"

/// The parser's error handler of a load: every error and fatal error becomes a record at the
/// end of a caller's list; warnings are dropped. The records' texts are in the process code
/// page and never fail to convert (\ref text_rule).
class TOVALIN_API XcsErrorReporter : public xercesc::ErrorHandler {
  public:
    /// The list must not be null and must outlive the reporter; it is neither cleared nor
    /// read.
    explicit XcsErrorReporter(std::list<XMLERROR_TYPE>* errors);

    /// Leaves the list and its records to the caller.
    ~XcsErrorReporter() override;
    /// Drops the warning.
    void warning(const xercesc::SAXParseException& problem) override;
    /// Appends a record of the error.
    void error(const xercesc::SAXParseException& problem) override;
    /// Appends a record of the fatal error.
    void fatalError(const xercesc::SAXParseException& problem) override;
    /// Changes nothing: a reporter that saw an error keeps saying so.
    void resetErrors() override;

    /// Whether an error or fatal error came, even one whose record could not be made.
    bool getSawErrors() const;

  private:
    void record(const xercesc::SAXParseException& problem);

    std::list<XMLERROR_TYPE>* errorList;
    bool sawErrors;
};

#endif
