#include <iostream>
#include <list>
#include <stdexcept>

#include "command_line.hpp"
#include "commands.hpp"
#include "document_file.hpp"
#include "language.hpp"

namespace tool {

int get(const Words& words) {
    const CommandLine line = parseCommandLine(words, {}, withLoadSwitches({"--all"}));
    if (line.positional.size() != 2) throw wrongArguments("get", "FILE TAG");
    const std::string& tag = line.positional[1];
    const auto document = loadDocument(line.positional[0], line);
    if (countElements(*document, tag) == 0) {
        throw std::runtime_error(noElementNamed(line.positional[0], tag));
    }
    if (!line.has("--all")) {
        std::cout << document->getXmlData(tag) << '\n';
        return 0;
    }
    std::list<std::string> values;
    document->getXmlData(tag, values);
    for (const std::string& value : values) std::cout << value << '\n';
    return 0;
}

}  // namespace tool
