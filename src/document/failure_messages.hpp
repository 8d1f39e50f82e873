// Why an operation of the document object failed where no subsystem says it: kept as Unicode
// and given out in the process code page.
#ifndef TOVALIN_DOCUMENT_FAILURE_MESSAGES_HPP
#define TOVALIN_DOCUMENT_FAILURE_MESSAGES_HPP

#include <string>

namespace tovalin::failure_messages {

std::string noDocument();
// bind was given no document, or one without a root element.
std::string nothingToBind();
std::string unknownEncoding();
std::string parserNotConfigured();
std::string noNodeForDeclaration();
// setSchema was given a location no document type can carry.
std::string unwritableDtdLocation();
// setXSL was given an address no stylesheet instruction can carry.
std::string unwritableStylesheetAddress();
// setXmlData found no element of the name (or the name names no element).
std::string noElementNamed(const std::string& tagName);

}  // namespace tovalin::failure_messages

#endif
