// The parser's error handler of a load: every error and fatal error becomes a record at the
// end of a caller's list; warnings are dropped.
#ifdef TOVALIN_OVER_C
#error "the error reporter takes the parser's types and has no form over the C interface"
#endif
#ifndef TOVALIN_ERROR_REPORTER_HPP
#define TOVALIN_ERROR_REPORTER_HPP

#include <list>

#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>

#include "tovalin/document.hpp"
#include "tovalin/export.hpp"

class TOVALIN_API XcsErrorReporter : public xercesc::ErrorHandler {
  public:
    // The list must outlive the reporter; it is neither cleared nor read.
    explicit XcsErrorReporter(std::list<XMLERROR_TYPE>* errors);

    ~XcsErrorReporter() override;
    void warning(const xercesc::SAXParseException& problem) override;
    void error(const xercesc::SAXParseException& problem) override;
    void fatalError(const xercesc::SAXParseException& problem) override;
    // Changes nothing: a reporter that saw an error keeps saying so.
    void resetErrors() override;

    bool getSawErrors() const;

  private:
    void record(const xercesc::SAXParseException& problem);

    std::list<XMLERROR_TYPE>* errorList;
    bool sawErrors;
};

#endif
