// Writes a small settings file in Shift_JIS, reads it back and prints one value.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "tovalin/tovalin.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: consumer FILE\n";
        return 2;
    }
    std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
    XcsXmlDocument& document = object->createDocument("settings");
    document.getDocumentElement().appendChild(document.createElement("user"));
    object->setXmlData("user", "tovalin", true);
    if (!object->save(argv[1], TL_ENCODE_SHIFT_JIS)) return 1;

    std::unique_ptr<XcsXmlDOMDocument> again(XmlDocumentFactory::createDocument());
    if (!again->load(argv[1], false)) return 1;
    std::cout << again->getXmlData("user") << '\n';
    return 0;
}
