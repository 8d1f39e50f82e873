// Paths that name no file: loads and saves fail with a record or false and leave nothing.
#include <gtest/gtest.h>

#include <list>
#include <set>
#include <string>
#include <vector>

#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

TEST(OddPaths, LoadAndSaveRefuseEveryPathThatNamesNoFile) {
    testing_support::TempFolder folder;
    folder.folder("dir");
    const std::string file = folder.write("x.xml", "<x/>");
    XcsXmlDOMDocument object;
    object.createDocument("r");
    // A NUL ends the path early for the system: as if read from a fixed-size buffer, or
    // before a folder separator.
    std::vector<std::string> paths = {
        folder.path("missing/x.xml"), folder.path("dir"),
        folder.path("dir/"),          std::string(),
        file + std::string(8, '\0'),  file + std::string("\0/y.xml", 7)};
#ifndef _WIN32
    // A named pipe that nobody writes to: neither read nor written, and no wait for a writer.
    ASSERT_EQ(mkfifo(folder.path("pipe").c_str(), 0600), 0);
    paths.push_back(folder.path("pipe"));
#endif
    for (const std::string& path : paths) {
        std::list<XMLERROR_TYPE> errors;
        XcsXmlDOMDocument loader;
        EXPECT_FALSE(loader.load(path, &errors, false)) << path;
        ASSERT_EQ(errors.size(), 1u) << path;
        EXPECT_EQ(errors.front().lineNumber, 0u);
        EXPECT_EQ(errors.front().systemId, path);
        EXPECT_FALSE(errors.front().message.empty());
        EXPECT_FALSE(object.save(path, TL_ENCODE_SHIFT_JIS)) << path;
    }
    EXPECT_EQ(folder.read("x.xml"), "<x/>");
    EXPECT_EQ(folder.files(), std::set<std::string>{"x.xml"});
}

#ifdef _WIN32
// The path with every separator the given one.
std::string withSeparators(std::string path, char separator) {
    for (char& c : path) {
        if (c == '/' || c == '\\') c = separator;
    }
    return path;
}
#endif

// Every form a document's path may take, with "." and "..", doubled or mixed separators, and
// on Windows "\\?\" (a path the system takes as written), finds the DTD and an entity at each
// relative location as the plain path does.
TEST(OddPaths, EveryPathFormFindsTheDtdAndEntitiesBesideTheFile) {
    testing_support::TempFolder folder;
    folder.folder("data/sub");
    folder.folder("common");
    for (const char* beside : {"data/sub/", "common/"}) {
        folder.write(std::string(beside) + "r.dtd", "<!ELEMENT r (#PCDATA)>");
        folder.write(std::string(beside) + "e.ent", "text");
    }
    const std::string root = folder.path("");
    std::vector<std::string> documents = {root + "data/doc.xml", root + "data/./doc.xml",
                                          root + "common/../data/doc.xml", root + "data//doc.xml"};
    std::vector<std::string> locations = {"sub/", "./sub/../sub/", "../common/", "../data/sub/"};
#ifdef _WIN32
    const std::string plain = withSeparators(root, '\\');
    documents.insert(documents.end(), {plain + "data\\doc.xml", plain + "data/doc.xml",
                                       "\\\\?\\" + plain + "data\\doc.xml"});
    locations.insert(locations.end(), {"sub\\", "..\\common/", ".\\sub\\..\\sub\\"});
#endif
    for (const std::string& location : locations) {
        folder.write("data/doc.xml", "<!DOCTYPE r SYSTEM \"" + location +
                                         "r.dtd\" [<!ENTITY e "
                                         "SYSTEM \"" +
                                         location + "e.ent\">]><r>&e;</r>");
        for (const std::string& document : documents) {
            XcsXmlDOMDocument object;
            std::list<XMLERROR_TYPE> errors;
            EXPECT_TRUE(object.load(document, &errors, true))
                << document << " " << location << ": "
                << (errors.empty() ? std::string() : errors.front().message);
            EXPECT_EQ(object.getXmlData("r"), "text") << document << " " << location;
        }
    }
}

}  // namespace
