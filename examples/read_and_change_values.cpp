// Treats a document as a store of values addressed by tag name: reads one value and a list
// of values, overwrites one, replaces a list, adds one, then saves in Shift_JIS.
//   read_and_change_values FILE
#include <clocale>
#include <iostream>
#include <list>
#include <memory>
#include <string>

#include "tovalin/tovalin.hpp"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    if (argc != 2) {
        std::cerr << "usage: read_and_change_values FILE\n";
        return 2;
    }
    std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
    if (!object->load(argv[1], false)) return 1;

    std::cout << "office: " << object->getXmlData("office") << '\n';
    std::list<std::string> steps;
    object->getXmlData("step", steps);
    std::cout << "steps: " << steps.size() << '\n';

    const bool overwrite = true;
    object->setXmlData("office", "Osaka", overwrite);  // the first <office> now holds Osaka
    std::list<std::string> newSteps = {"plan", "build"};
    object->setXmlData("step", newSteps);            // every <step> replaced by these two
    object->setXmlData("step", "ship", !overwrite);  // a new <step> after the last one

    if (!object->save(argv[1], TL_ENCODE_SHIFT_JIS)) {
        std::cerr << argv[1] << ": not saved; its earlier content is kept\n";
        return 1;
    }
    std::cout << "saved: office " << object->getXmlData("office") << '\n';
    return 0;
}
