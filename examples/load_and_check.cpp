// Loads a Shift_JIS settings file, validating it against the DTD it names (found beside
// it), and prints every problem with its line and column.
//   load_and_check FILE
#include <clocale>
#include <iostream>
#include <list>
#include <memory>

#include "tovalin/tovalin.hpp"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");  // texts in the terminal's code page
    if (argc != 2) {
        std::cerr << "usage: load_and_check FILE\n";
        return 2;
    }
    std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
    std::list<XMLERROR_TYPE> problems;
    const bool validate = true;
    if (!object->load(argv[1], &problems, validate)) {
        for (const XMLERROR_TYPE& problem : problems) {
            std::cout << problem.systemId << ':' << problem.lineNumber << ':'
                      << problem.columnNumber << ": " << problem.message << '\n';
        }
        return 1;
    }
    std::cout << argv[1] << ": valid; its root element is "
              << object->getDocument().getDocumentElement().getValue() << '\n';
    return 0;
}
