#include <iostream>
#include <list>
#include <memory>

#include "command_line.hpp"
#include "commands.hpp"
#include "document_file.hpp"
#include "tovalin/document.hpp"

namespace tool {

int check(const Words& words) {
    const CommandLine line = parseCommandLine(words, {}, withLoadSwitches({"--no-validate"}));
    if (line.positional.size() != 1) throw UsageError("check takes one FILE");
    const std::string& file = line.positional[0];
    const std::unique_ptr<XcsXmlDOMDocument> document = newDocument(line);
    std::list<XMLERROR_TYPE> errors;
    const bool loaded = document->load(file, &errors, !line.has("--no-validate"));
    for (const XMLERROR_TYPE& error : errors) {
        std::cout << error.systemId << ':' << error.lineNumber << ':' << error.columnNumber << ": "
                  << error.message << '\n';
    }
    if (loaded) std::cout << file << ": ok\n";
    return loaded ? 0 : 1;
}

}  // namespace tool
