// The check of one XML file: its problems, each with how grave it is.
#ifndef TOVALIN_TOOL_CHECK_FILE_HPP
#define TOVALIN_TOOL_CHECK_FILE_HPP

#include <memory>
#include <string>
#include <vector>

#include "command_line.hpp"
#include "tovalin/document.hpp"

namespace tool {

// warning: the document was read, but without the DTD it names, which could not be read;
// error: the document breaks its DTD; fatal: it could not be read to its end (not
// well-formed, missing, beyond the bounds of a load).
enum class Severity { warning, error, fatal };

struct Problem {
    std::string file;
    unsigned int line;
    unsigned int column;
    std::string message;
    Severity severity;
};

// The warning a record of a load that succeeded gives: the only record such a load leaves is
// that of a DTD it could not read and did without.
Problem leftOutDtd(const XMLERROR_TYPE& record);

// Against its DTD when the document names one, always (a document without one fails), or
// never.
enum class Validation { asNamed, always, never };

// A document object whose loads validate as asked and tell the errors of the parser from its
// fatal errors. It serves one thread.
class CheckingDocument : public XcsXmlDOMDocument {
  public:
    explicit CheckingDocument(Validation validation);
    ~CheckingDocument() override;
    CheckingDocument(const CheckingDocument&) = delete;
    CheckingDocument& operator=(const CheckingDocument&) = delete;

    // Loads the file; the problems found: none, or only warnings, when it loaded.
    std::vector<Problem> check(const std::string& path);

  protected:
    bool setParserCondition(xercesc::XercesDOMParser* parser, xercesc::ErrorHandler* handler,
                            bool validate) override;

  private:
    class SeverityTap;
    const Validation validation;
    const std::unique_ptr<SeverityTap> tap;
};

// The problems of one file, loaded with the load switches of the command line. Never throws:
// a failure of the check itself is a problem of the file.
std::vector<Problem> checkFile(const std::string& path, Validation validation,
                               const CommandLine& line);

}  // namespace tool

#endif
