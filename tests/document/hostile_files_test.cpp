// Odd and hostile files: each loads correctly or fails with a record, and nothing crashes.
#include <gtest/gtest.h>

#include <list>
#include <string>

#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

namespace {

std::string repeated(const std::string& piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

class HostileFilesTest : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    XcsXmlDOMDocument object;
    std::list<XMLERROR_TYPE> errors;

    bool load(const std::string& name, const std::string& bytes) {
        errors.clear();
        return object.load(folder.write(name, bytes), &errors, false);
    }
};

TEST_F(HostileFilesTest, EntityExpansionIsCutShortButOrdinaryReferencesLoad) {
    const std::string flat = "<!DOCTYPE r [<!ENTITY a \"" + std::string(100, 'x') + "\">]><r>" +
                             repeated("&a;", 200000) + "</r>";
    EXPECT_FALSE(load("flat.xml", flat));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors.front().message.find("100000"), std::string::npos);
    std::string nested = "<!DOCTYPE b [\n<!ENTITY e0 \"lol\">\n";
    for (int level = 1; level <= 10; ++level) {
        nested += "<!ENTITY e" + std::to_string(level) + " \"" +
                  repeated("&e" + std::to_string(level - 1) + ";", 10) + "\">\n";
    }
    EXPECT_FALSE(load("nested.xml", nested + "]>\n<b>&e10;</b>\n"));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(load("amp.xml", "<r>" + repeated("&amp;&#x3042;", 200000) + "</r>"));
}

TEST_F(HostileFilesTest, HugeShapesLoadAndSave) {
    const int depth = 200000;
    ASSERT_TRUE(load("deep.xml", repeated("<d>", depth) + repeated("</d>", depth)));
    EXPECT_TRUE(object.save(folder.path("deep-out.xml"), TL_ENCODE_UTF16));

    std::string attributes = "<r";
    for (int i = 0; i < 100000; ++i) attributes += " a" + std::to_string(i) + "=\"v\"";
    ASSERT_TRUE(load("attributes.xml", attributes + "/>"));
    EXPECT_EQ(object.getDocument().getDocumentElement().getAttribute("a99999"), "v");

    ASSERT_TRUE(load("text.xml", "<r>\n" + std::string(64 << 20, 'x') + "</r>"));
    EXPECT_EQ(object.getXmlData("r").size(), (64u << 20) + 1);
}

TEST_F(HostileFilesTest, EncodingsOutOfTheOrdinary) {
    std::string noMark;
    for (const char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><r>ab</r>")) {
        noMark += c;
        noMark += '\0';
    }
    ASSERT_TRUE(load("nomark.xml", noMark));
    EXPECT_EQ(object.getXmlData("r"), "ab");

    EXPECT_FALSE(load("badsjis.xml", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><r>\x81</r>"));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_GT(errors.front().lineNumber, 0u);
}

TEST_F(HostileFilesTest, LocalEntitiesOutsideTheFolderLoad) {
    folder.write("outside.txt", "from outside");
    folder.folder("inner");
    EXPECT_TRUE(
        load("inner/local.xml", "<!DOCTYPE r [<!ENTITY o SYSTEM \"../outside.txt\">]><r>&o;</r>"));
    EXPECT_EQ(object.getXmlData("r"), "from outside");
    EXPECT_FALSE(
        load("remote.xml", "<!DOCTYPE r [<!ENTITY n SYSTEM \"http://127.0.0.1:9/x\">]><r>&n;</r>"));
    EXPECT_EQ(errors.size(), 1u);
}

}  // namespace
