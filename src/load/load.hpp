// The load pipeline: a file opened by the library and parsed with the limits of the load, its
// problems reported as records. It makes the tree and knows nothing
// of the document object that will hold it.
#ifndef TOVALIN_LOAD_LOAD_HPP
#define TOVALIN_LOAD_LOAD_HPP

#include <functional>
#include <list>
#include <optional>
#include <string>

#include <xercesc/parsers/XercesDOMParser.hpp>

#include "node/tree.hpp"
#include "tovalin/error_reporter.hpp"
#include "tovalin/node.hpp"
#include "tovalin/settings.hpp"

namespace tovalin::load {

struct Request {
    bool validate = false;
    // The caller gave a list: a problem without a position gets the library's advice.
    // Otherwise the first problem is written to standard output.
    bool listed = true;
    XcsLoadLimits limits;
    TL_ENTITY_SOURCE entitySource = TL_ENTITY_ANY_LOCAL_FILE;
    TL_MESSAGE_LANGUAGE messageLanguage = TL_MESSAGES_PARSER;
    TL_UNREADABLE_DTD unreadableDtd = TL_DTD_FAILS_LOAD;
    // The tree keeps the file's bytes for saves in the keep layout.
    bool keepSource = false;
    // Configures the parser and installs the error handler; false fails the load.
    std::function<bool(xercesc::XercesDOMParser*, xercesc::ErrorHandler*)> configure;
};

struct Loaded {
    detail::TreeRef tree;
    // Whether the file began with an XML declaration, and the encoding that names.
    bool declared = false;
    std::string declaredEncoding;
    // The encoding the file was read in (XcsXmlDOMDocument::getFileEncoding).
    std::string fileEncoding;
};

// Loads the file; nothing when it did not load, with the problems appended to the list.
// Records about the file itself name it as the caller did.
std::optional<Loaded> loadFile(const std::string& source, std::list<XMLERROR_TYPE>& errors,
                               const Request& request);

// The configuration of every load's parser: validation as asked, the handler, no
// namespaces, no schemas, no entity reference nodes.
bool configureParser(xercesc::XercesDOMParser* parser, xercesc::ErrorHandler* handler,
                     bool validate);

// Copies the file to a new working copy in its folder, whose path goes to workingCopy;
// false when none could be made. Only for callers that want such a copy: loads read the file
// itself.
bool makeWorkingCopy(const std::string& source, std::string& workingCopy);

}  // namespace tovalin::load

#endif
