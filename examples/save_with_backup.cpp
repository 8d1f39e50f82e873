// Saves a document in both encodings. While a save writes, the earlier content waits in
// FILE.BAK; a save that cannot write every character leaves the file as it was.
//   save_with_backup FOLDER
#include <clocale>
#include <iostream>
#include <memory>
#include <string>

#include "tovalin/tovalin.hpp"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    if (argc != 2) {
        std::cerr << "usage: save_with_backup FOLDER\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    std::unique_ptr<XcsXmlDOMDocument> object(XmlDocumentFactory::createDocument());
    XcsXmlDocument& document = object->createDocument("note");
    document.getDocumentElement().appendChild(document.createTextNode("draft"));

    // Shift_JIS with CR LF line ends and a declaration naming the encoding; UTF-16 with a
    // byte-order mark.
    if (!object->save(folder + "note-sjis.xml", TL_ENCODE_SHIFT_JIS)) return 1;
    if (!object->save(folder + "note-utf16.xml", TL_ENCODE_UTF16)) return 1;

    // A character Shift_JIS cannot hold (the emoji U+1F600, given here in UTF-8 as the
    // program runs in a UTF-8 locale) makes the Shift_JIS save fail; the file keeps
    // "draft".
    document.getDocumentElement().getFirstChild().setValue("\xF0\x9F\x98\x80");
    const bool saved = object->save(folder + "note-sjis.xml", TL_ENCODE_SHIFT_JIS);
    std::cout << "emoji in Shift_JIS: " << (saved ? "saved" : "refused, file unchanged") << '\n';
    std::cout << "emoji in UTF-16: "
              << (object->save(folder + "note-utf16.xml", TL_ENCODE_UTF16) ? "saved" : "refused")
              << '\n';
    return saved ? 1 : 0;
}
