#include <iostream>
#include <list>
#include <memory>

#include "command_line.hpp"
#include "commands.hpp"
#include "files.hpp"
#include "tovalin/document.hpp"

namespace tool {

int check(const Words& words) {
    const CommandLine line = parseCommandLine(words, {}, {"--no-validate"});
    if (line.positional.size() != 1) throw UsageError("check takes one FILE");
    const std::string& file = line.positional[0];
    std::unique_ptr<XcsXmlDOMDocument> document(XmlDocumentFactory::createDocument());
    if (!document) throw std::runtime_error("the XML parser could not start");
    std::list<XMLERROR_TYPE> errors;
    const bool loaded = document->load(file, &errors, !line.has("--no-validate"));
    for (const XMLERROR_TYPE& error : errors) {
        std::cout << shownSystemId(error.systemId, file) << ':' << error.lineNumber << ':'
                  << error.columnNumber << ": " << error.message << '\n';
    }
    if (loaded) std::cout << file << ": ok\n";
    return loaded ? 0 : 1;
}

}  // namespace tool
