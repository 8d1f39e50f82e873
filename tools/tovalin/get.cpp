#include <iostream>
#include <list>
#include <stdexcept>

#include <xercesc/dom/DOMElement.hpp>

#include "code_page_text.hpp"
#include "command_line.hpp"
#include "commands.hpp"
#include "document_file.hpp"
#include "language.hpp"

namespace tool {
namespace {

// The attribute of the first element of the list, or of every one, a line each: empty for an
// element without it. Fails, printing nothing, when none of them has it.
void printAttribute(const XcsXmlNodeList& elements, bool all, const std::string& name,
                    const std::string& file, const std::string& tag) {
    const Utf16 wideName = CodePageText().wide(name);
    std::string lines;
    bool found = false;
    for (unsigned int i = 0; i < (all ? elements.getLength() : 1); ++i) {
        const XcsXmlNode element = elements.item(i);
        const auto* target = static_cast<const xercesc::DOMElement*>(element.getTarget());
        found = found || target->getAttributeNode(wideName.c_str()) != nullptr;
        lines += element.getAttribute(name) + '\n';
    }
    if (!found) {
        const Text none = all ? Text{u"%1: no %2 element has the attribute %3",
                                     u"%1: 属性 %3 のある %2 要素がありません"}
                              : Text{u"%1: the first %2 element has no attribute %3",
                                     u"%1: 最初の %2 要素に属性 %3 がありません"};
        throw std::runtime_error(say(none, {file, tag, name}));
    }
    std::cout << lines;
}

}  // namespace

int get(const Words& words) {
    const CommandLine line = parseCommandLine(words, {"--attribute"}, withLoadSwitches({"--all"}));
    if (line.positional.size() != 2) throw wrongArguments("get", "FILE TAG");
    const std::string& file = line.positional[0];
    const std::string& tag = line.positional[1];
    const auto document = loadDocument(file, line);
    const XcsXmlNodeList elements = document->getDocument().getElementsByTagName(tag);
    if (elements.getLength() == 0) throw std::runtime_error(noElementNamed(file, tag));
    if (line.options.count("--attribute") != 0) {
        printAttribute(elements, line.has("--all"), line.option("--attribute"), file, tag);
    } else if (!line.has("--all")) {
        std::cout << document->getXmlData(tag) << '\n';
    } else {
        std::list<std::string> values;
        document->getXmlData(tag, values);
        for (const std::string& value : values) std::cout << value << '\n';
    }
    return 0;
}

}  // namespace tool
