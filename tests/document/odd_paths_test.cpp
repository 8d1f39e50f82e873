// Paths that name no file: loads and saves fail with a record or false and leave nothing.
#include <gtest/gtest.h>

#include <list>
#include <set>
#include <string>

#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

namespace {

TEST(OddPaths, LoadAndSaveRefuseEveryPathThatNamesNoFile) {
    testing_support::TempFolder folder;
    folder.folder("dir");
    XcsXmlDOMDocument object;
    object.createDocument("r");
    for (const std::string& path :
         {folder.path("missing/x.xml"), folder.path("dir"), folder.path("dir/"), std::string()}) {
        std::list<XMLERROR_TYPE> errors;
        XcsXmlDOMDocument loader;
        EXPECT_FALSE(loader.load(path, &errors, false)) << path;
        ASSERT_EQ(errors.size(), 1u) << path;
        EXPECT_EQ(errors.front().lineNumber, 0u);
        EXPECT_FALSE(errors.front().message.empty());
        EXPECT_FALSE(object.save(path, TL_ENCODE_SHIFT_JIS)) << path;
    }
    EXPECT_TRUE(folder.files().empty());
}

}  // namespace
