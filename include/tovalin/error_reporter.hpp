/// \file
/// XcsErrorReporter, the parser's error handler of a load, and XMLERROR_TYPE, the record of
/// one problem it reports.
/// Not available with TOVALIN_OVER_C: it takes the parser's types.
#ifdef TOVALIN_OVER_C
#error "the error reporter takes the parser's types and has no form over the C interface"
#endif
#ifndef TOVALIN_ERROR_REPORTER_HPP
#define TOVALIN_ERROR_REPORTER_HPP

#include <list>
#include <string>

#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>

#include "tovalin/export.hpp"

/// One problem with an input file, as a load reports it. Making one never fails: a
/// character the process code page cannot hold shows as `<U+XXXX>` in its texts.
struct XMLERROR_TYPE {
    /// The line of the problem, from 1; 0 when it has no position (the file could not be
    /// opened, its path was refused).
    unsigned int lineNumber;
    /// The column of the problem, from 1; 0 when it has no position.
    unsigned int columnNumber;
    /// What is wrong, in the process code page: the parser's message, or the library's own
    /// advice in Japanese.
    std::string message;
    /// The file the problem is in, in the process code page: the path as the caller gave it
    /// for the document itself, the parser's name for a DTD or an external entity.
    std::string systemId;
};

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
