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

}  // namespace
