#include <iostream>
#include <stdexcept>
#include <vector>

#include <xercesc/dom/DOMElement.hpp>

#include "code_page_text.hpp"
#include "command_line.hpp"
#include "commands.hpp"
#include "document_file.hpp"
#include "language.hpp"

namespace tool {
namespace {

// The attribute of the first element of the list, or of every one: empty for an element
// without it. Fails when none of them has it.
std::vector<std::string> attributes(const XcsXmlNodeList& elements, bool all,
                                    const std::string& name, const std::string& file,
                                    const std::string& tag) {
    const Utf16 wideName = CodePageText().wide(name);
    std::vector<std::string> values;
    bool found = false;
    for (unsigned int i = 0; i < (all ? elements.getLength() : 1); ++i) {
        const XcsXmlNode element = elements.item(i);
        const auto* target = static_cast<const xercesc::DOMElement*>(element.getTarget());
        found = found || target->getAttributeNode(wideName.c_str()) != nullptr;
        values.push_back(element.getAttribute(name));
    }
    if (!found) {
        const Text none = all ? Text{u"%1: no %2 element has the attribute %3",
                                     u"%1: 属性 %3 のある %2 要素がありません"}
                              : Text{u"%1: the first %2 element has no attribute %3",
                                     u"%1: 最初の %2 要素に属性 %3 がありません"};
        throw std::runtime_error(say(none, {file, tag, name}));
    }
    return values;
}

// The character data of the first element of the list, or of every one: its text and CDATA
// sections together.
std::vector<std::string> texts(const XcsXmlNodeList& elements, bool all) {
    std::vector<std::string> values;
    for (unsigned int i = 0; i < (all ? elements.getLength() : 1); ++i) {
        values.push_back(elements.item(i).getData());
    }
    return values;
}

// "FILE:LINE:COLUMN: ", where the element's start tag ends: in the document's file, or in
// that of the external entity that held the element.
std::string position(const XcsXmlNode& element) {
    return element.getSourceFile() + ':' + std::to_string(element.getLineNumber()) + ':' +
           std::to_string(element.getColumnNumber()) + ": ";
}

}  // namespace

int get(const Words& words) {
    const CommandLine line =
        parseCommandLine(words, {"--attribute"}, withLoadSwitches({"--all", "--where"}));
    if (line.positional.size() != 2) throw wrongArguments("get", "FILE TAG");
    const std::string& file = line.positional[0];
    const std::string& tag = line.positional[1];
    const auto document = loadDocument(file, line);
    const XcsXmlNodeList elements = document->getDocument().getElementsByTagName(tag);
    if (elements.getLength() == 0) throw std::runtime_error(noElementNamed(file, tag));
    const bool all = line.has("--all");
    const std::vector<std::string> values =
        line.options.count("--attribute") != 0
            ? attributes(elements, all, line.option("--attribute"), file, tag)
            : texts(elements, all);
    // One value for each element printed, in document order.
    std::string lines;
    for (unsigned int i = 0; i < values.size(); ++i) {
        if (line.has("--where")) lines += position(elements.item(i));
        lines += values[i] + '\n';
    }
    std::cout << lines;
    return 0;
}

}  // namespace tool
