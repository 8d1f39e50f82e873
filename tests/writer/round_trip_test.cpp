#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <cstdlib>
#include <random>
#include <string>

#include "support/mixed_document.hpp"
#include "support/round_trip.hpp"
#include "support/save_fixture.hpp"
#include "support/tree_dump.hpp"

namespace {

using testing_support::withCrLf;

class RoundTripTest : public testing_support::SaveFixture {
  protected:
    // Saves in the encoding to "out.xml" beside the input, loads that with validation and
    // expects the same tree.
    void expectSameTreeAfterSaving(TL_ENCODE_TYPE type) {
        const std::string before = testing_support::dumpTree(parserDocument());
        ASSERT_TRUE(object.save(folder.path("out.xml"), type));
        XcsXmlDOMDocument again;
        ASSERT_TRUE(again.load(folder.path("out.xml"), &errors, true))
            << (errors.empty() ? std::string() : errors.front().message);
        EXPECT_EQ(testing_support::dumpTree(again.getDocument().getTarget()), before);
    }
};

TEST_F(RoundTripTest, JapaneseFileWithDtdStylesheetCommentsAndCdata) {
    folder.write("list.dtd",
                 "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<!ELEMENT list "
                 "(item+)>\n<!ELEMENT item (#PCDATA)>\n"
                 "<!ATTLIST item no CDATA #REQUIRED kind CDATA \"\x95\x69\">\n");
    // Wave dash, full-width minus, circled digit one, half-width katakana, in Shift_JIS.
    loadText(withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                      "<!DOCTYPE list SYSTEM \"list.dtd\">\n"
                      "<?xml-stylesheet type=\"text/xsl\" href=\"list.xsl\"?>\n<!-- \x88\xea -->\n"
                      "<list>\n  <item no=\"\x87\x40\">\x81\x60\x81\x7C\xB1</item>\n"
                      "  <item no=\"2\"><![CDATA[<\x93\xFA>]]></item>\n</list>\n"),
             true);
    root().getFirstChild().getFirstChild().setValue("\x95\xCF\x8D\x58");
    expectSameTreeAfterSaving(TL_ENCODE_SHIFT_JIS);
    expectSameTreeAfterSaving(TL_ENCODE_UTF16);
}

// The parser's own rebuilt internal subset breaks each of these, and loses comments; the
// written file must carry the declarations as the file wrote them.
TEST_F(RoundTripTest, InternalSubsetIsWrittenAsTheFileWroteIt) {
    const std::string subsets[] = {
        "<!ENTITY e \"say 'hi' &#34;x&#34;\">",
        "<!NOTATION gif SYSTEM \"image/gif\">\n<!ATTLIST r f NOTATION (gif) #IMPLIED>",
        "<!ENTITY % pe \"<!ATTLIST r g CDATA #IMPLIED>\">\n%pe;",
        "<!ENTITY pub PUBLIC \"-//Tovalin//Test//EN\" \"pub.txt\">",
        // Longer than the blocks the file is read back in.
        "<!-- " + std::string(40000, '.') + " -->\n<!ENTITY e \"after\">",
    };
    for (const std::string& subset : subsets) {
        SCOPED_TRACE(subset);
        const std::string doctype = "<!DOCTYPE r [\n<!ELEMENT r ANY>\n" + subset + "\n]>\n";
        loadText(withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + doctype +
                          "<r>&#12354;</r>\n"),
                 true);
        EXPECT_NE(saved(TL_ENCODE_SHIFT_JIS).find(withCrLf(doctype)), std::string::npos);
        expectSameTreeAfterSaving(TL_ENCODE_UTF16);
    }
}

// Text beside elements, comments, instructions and CDATA sections gains no layout, nor
// indentation: a saved file loads back as the tree it was saved from, and saving that gives
// the same bytes.
TEST_F(RoundTripTest, MixedContentIsStableOverRepeatedRoundTrips) {
    std::mt19937 random(1);
    testing_support::MixedDocument documents([&] { return static_cast<unsigned int>(random()); });
    int shiftJisSaves = 0;
    for (int n = 0; n < 40; ++n) {
        const std::string file = documents.make();
        SCOPED_TRACE(file);
        EXPECT_EQ(testing_support::keptLayoutChange(folder.write("kept.xml", file),
                                                    folder.path("saved.xml"), n),
                  "");
        loadText(file);
        for (const TL_ENCODE_TYPE type : {TL_ENCODE_SHIFT_JIS, TL_ENCODE_UTF16, TL_ENCODE_UTF8}) {
            const unsigned int indent = n % 3;
            object.setIndent(indent);
            // Only characters Shift_JIS cannot store make its save fail.
            if (!object.save(folder.path("first.xml"), type)) {
                ASSERT_EQ(type, TL_ENCODE_SHIFT_JIS);
                continue;
            }
            shiftJisSaves += type == TL_ENCODE_SHIFT_JIS;
            EXPECT_EQ(testing_support::changeOnReload(parserDocument(), folder.path("first.xml"),
                                                      folder.path("second.xml"), type, indent),
                      "");
        }
    }
    EXPECT_GT(shiftJisSaves, 15);
}

// UTF-16 little-endian bytes after a byte-order mark, as UTF-8 (characters of the BMP only).
std::string utf8Of(const std::string& utf16) {
    std::string utf8;
    for (std::size_t i = 2; i + 1 < utf16.size(); i += 2) {
        const unsigned c = static_cast<unsigned char>(utf16[i]) |
                           static_cast<unsigned>(static_cast<unsigned char>(utf16[i + 1])) << 8;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
            continue;
        }
        if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | c >> 6);
        } else {
            utf8 += static_cast<char>(0xE0 | c >> 12);
            utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        }
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
    return utf8;
}

// UTF-8 files have the layout and line ends of UTF-16 ones, and no byte-order mark.
// A machine that runs the tests away from the sources names the folder of the bundled data.
TEST_F(RoundTripTest, BundledJapaneseSamplesAsUtf8) {
    const char* moved = std::getenv("TOVALIN_EXAMPLE_DATA");
    const std::string data = moved != nullptr ? moved : TOVALIN_EXAMPLE_DATA;
    for (const std::string name : {"settings.dtd", "settings.xml", "catalog.xml"}) {
        folder.write(name, testing_support::fileBytes(data + name));
    }
    for (const std::string name : {"settings.xml", "catalog.xml"}) {
        loadText(folder.read(name), name == "settings.xml");
        std::string expected = utf8Of(saved(TL_ENCODE_UTF16));
        expected.replace(expected.find("UTF-16"), 6, "UTF-8");
        EXPECT_EQ(saved(TL_ENCODE_UTF8), expected) << name;
        EXPECT_EQ(testing_support::changeOnReload(parserDocument(), folder.path("out.xml"),
                                                  folder.path("second.xml"), TL_ENCODE_UTF8),
                  "");
    }
}

// XML 1.1 reads NEL and LS as line ends and takes control characters only as references;
// a C1 control that stood as it is would make the saved file unreadable.
TEST_F(RoundTripTest, Xml11ControlsAndLineEndCharactersStayWhatTheyAre) {
    loadText(
        "<?xml version=\"1.1\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE r [<!ELEMENT r (#PCDATA)><!ATTLIST r a CDATA #IMPLIED>]>\n<r "
        "a=\"&#x85;&#x2028;&#x1;\">&#x7F;&#x80;&#x85;&#x9F;&#x2028;&#x1;&#x1F;</r>\n");
    const std::string written = saved(TL_ENCODE_UTF8);
    EXPECT_NE(written.find("<r a=\"&#x85;&#x2028;&#x01;\">&#x7F;&#x80;&#x85;&#x9F;&#x2028;&#x01;"
                           "&#x1F;</r>"),
              std::string::npos)
        << written;
    expectSameTreeAfterSaving(TL_ENCODE_UTF16);
    // Where no reference can stand, the save is refused.
    root().getTarget()->appendChild(parserDocument()->createComment(u"\x85"));
    EXPECT_FALSE(object.save(folder.path("out.xml"), TL_ENCODE_UTF8));
}

TEST_F(RoundTripTest, DocumentTypeKeepsItsPublicAndSystemIdentifiers) {
    folder.write("r.dtd", "<!ELEMENT r EMPTY>\n");
    loadText("<!DOCTYPE r PUBLIC \"-//Tovalin//R//EN\" 'r.dtd'>\n<r/>\n", true);
    EXPECT_EQ(
        saved(TL_ENCODE_UTF16),
        testing_support::asUtf16("<!DOCTYPE r PUBLIC \"-//Tovalin//R//EN\" \"r.dtd\">\n<r/>\n"));
    expectSameTreeAfterSaving(TL_ENCODE_SHIFT_JIS);
}

}  // namespace
