#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <list>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "support/locale.hpp"
#include "support/messages.hpp"
#include "support/save_fixture.hpp"
#include "tovalin/document.hpp"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/child_process.hpp"
#endif

namespace {

using testing_support::ScopedLocale;

const std::string listDtd = "<!ELEMENT list (item*)>\n<!ELEMENT item (#PCDATA)>\n";
const std::string validList =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE list SYSTEM \"list.dtd\">\n"
    "<list>\n  <item>a</item>\n  <item>b</item>\n</list>\n";

#ifdef _WIN32
const char* const messageLocales[] = {testing_support::shiftJis};
#else
const char* const messageLocales[] = {testing_support::shiftJis, testing_support::utf8, "C",
                                      testing_support::latin1};
#endif

const std::string sjisSample =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r a=\"\x87\x40\">\x81\x60\x81\x7C</r>";

using LoadTest = testing_support::SaveFixture;

TEST_F(LoadTest, ValidFileWithItsDtdLoadsWithoutLayoutText) {
    folder.write("list.dtd", listDtd);
    const std::string file = folder.write("list.xml", validList);

    ASSERT_TRUE(object.load(file, &errors, true));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(object.getPath(), file);
    EXPECT_EQ(root().getChildNodes().getLength(), 2u);
    EXPECT_EQ(root().getFirstChild().getFirstChild().getValue(), "a");
    EXPECT_EQ(object.getDocument().getFirstChild().getNodeType(), 13);
    EXPECT_EQ(folder.files(), (std::set<std::string>{"list.dtd", "list.xml"}));
}

TEST_F(LoadTest, ValidationErrorsArriveInTheParsersOrderAfterEarlierRecords) {
    folder.write("list.dtd", listDtd);
    const std::string file = folder.write(
        "list.xml",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE list SYSTEM \"list.dtd\">\n<list><item x=\"1\"/>\n"
        "<item>1</item>\n<item>2</item>\n<item>3</item>\n<item y=\"2\"/>\n</list>\n");
    errors.push_back({0, 0, "earlier", "kept"});

    EXPECT_FALSE(object.load(file, &errors, true));
    ASSERT_EQ(errors.size(), 3u);
    auto record = errors.begin();
    EXPECT_EQ(record->message, "earlier");
    EXPECT_EQ((++record)->lineNumber, 3u);
    EXPECT_EQ(record->systemId, file) << "the caller's name, not the working copy's";
    EXPECT_EQ((++record)->lineNumber, 7u);
    EXPECT_THROW(object.getDocument(), std::exception);

    errors.clear();
    EXPECT_TRUE(object.load(file, &errors, false)) << "without validation it is well-formed";
}

TEST_F(LoadTest, MalformedFileIsReportedInTheListOrOnStandardOutput) {
    const std::string file = folder.write("bad.xml", "<a>\n<b></a>\n");
    EXPECT_FALSE(object.load(file, &errors, false));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().lineNumber, 2u);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(object.load(file, false));
    EXPECT_FALSE(object.load(file, nullptr, false));
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string expected =
        "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x83\x49\x81\x5B\x83\x76\x83\x93\x82\xC9\x8E\xB8"
        "\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD\xA1\n" +
        errors.front().message + "\n\x8D\x73\x94\xD4\x8D\x86: 2\n\x97\xF1\x94\xD4\x8D\x86: " +
        std::to_string(errors.front().columnNumber) + "\n";
    EXPECT_EQ(printed, expected + expected);
    EXPECT_EQ(folder.files(), std::set<std::string>{"bad.xml"});
}

TEST_F(LoadTest, ProblemInsideTheDtdNamesTheDtd) {
    folder.write("broken.dtd", "<!ELEMENT list (item*)>\n\n<!ELEMENT>\n");
    const std::string file =
        folder.write("list.xml", "<!DOCTYPE list SYSTEM \"broken.dtd\">\n<list/>\n");
    EXPECT_FALSE(object.load(file, &errors, true));
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front().systemId, folder.path("broken.dtd"));
    EXPECT_EQ(errors.front().lineNumber, 3u);
}

TEST_F(LoadTest, ForbiddenCharactersInTheFolderAreRefused) {
    const std::string minusFolder = folder.folder(
        "a\x81\x7C"
        "b");
    const std::string bothFolder = folder.folder("c\x81\x60\x81\x7C");
    folder.write(
        "a\x81\x7C"
        "b/x.xml",
        "<x/>");
    folder.write("c\x81\x60\x81\x7C/x.xml", "<x/>");
    const std::string namedFile = folder.write("\x81\x7C\x81\x60.xml", "<x/>");

    EXPECT_FALSE(object.load(minusFolder + "x.xml", &errors, false));
    EXPECT_FALSE(object.load(bothFolder + "x.xml", &errors, false));
    ASSERT_EQ(errors.size(), 2u);
    const std::string front = "\x83\x70\x83\x58\x82\xC9";
    const std::string rest =
        "\x82\xAA\x8A\xDC\x82\xDC\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x88\xD7\x81\x41\x93\xC7\x8D\x9E"
        "\x82\xDE\x82\xB1\x82\xC6\x82\xAA\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x42\n";
    EXPECT_EQ(errors.front().message.substr(0, front.size() + 10 + rest.size()),
              front + fullWidthHyphenMinusName + rest);
    EXPECT_EQ(errors.front().systemId, minusFolder + "x.xml");
    EXPECT_EQ(errors.front().lineNumber, 0u);
    EXPECT_NE(errors.back().message.find(fullWidthTildeName), std::string::npos);

    EXPECT_TRUE(object.load(namedFile, &errors, false));
    EXPECT_EQ(folder.files().size(), 3u);
#ifndef _WIN32
    // The record follows the process code page.
    ScopedLocale utf8(testing_support::utf8);
    folder.folder("\xEF\xBC\x8D");
    errors.clear();
    EXPECT_FALSE(object.load(folder.write("\xEF\xBC\x8D/x.xml", "<x/>"), &errors, false));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors.front().message.rfind("\xE3\x83\x91\xE3\x82\xB9\xE3\x81\xAB\xE5\x85\xA8", 0),
              0u);
#endif
}

TEST_F(LoadTest, FileThatCannotBeReadSaysWhyOrGivesAdvice) {
    const std::string notText = folder.folder("\x81\x20");
    folder.write("\x81\x20/x.xml", "<x/>");
    const std::string moveTheFile =
        "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x88\xDA\x93\xAE\x82\xB5\x82\xC4\x82\xA9\x82"
        "\xE7\x82\xE0\x82\xA4\x88\xEA\x93\x78\x8D\x73\x82\xC1\x82\xC4\x82\xAD\x82\xBE\x82\xB3"
        "\x82\xA2\x81\x42";
    const std::pair<std::string, std::string> cases[] = {
        {folder.path("absent.xml"), testing_support::missingFile},
        {folder.path("absent/x.xml"), testing_support::missingFile},
        {folder.folder("dir"), testing_support::folderGiven},
        {notText + "x.xml", moveTheFile}};
    for (const auto& [path, why] : cases) {
        errors.clear();
        EXPECT_FALSE(object.load(path, &errors, false));
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors.front().message, why) << path;
        EXPECT_EQ(errors.front().systemId, path);
        EXPECT_EQ(object.getLastError(), why);
    }
    // A save cut short while the system put the new file in place left the old one in the
    // backup: the record says where.
    folder.write("cut.xml.BAK", "<x/>");
    errors.clear();
    EXPECT_FALSE(object.load(folder.path("cut.xml"), &errors, false));
    EXPECT_EQ(errors.front().message.rfind(testing_support::missingFile, 0), 0u);
    EXPECT_NE(errors.front().message.find(folder.path("cut.xml.BAK")), std::string::npos);
    EXPECT_EQ(folder.files().size(), 2u);
}

TEST_F(LoadTest, SecondLoadReplacesAndFailedLoadKeepsTheFirst) {
    const std::string first = folder.write("first.xml", "<first/>");
    const std::string second = folder.write("second.xml", "<second/>");
    const std::string broken = folder.write("broken.xml", "<broken>");
    ASSERT_TRUE(object.load(first, &errors, false));
    XcsXmlNode firstRoot = root();
    ASSERT_TRUE(object.load(second, &errors, false));
    EXPECT_EQ(object.getPath(), second);
    EXPECT_EQ(root().getValue(), "second");
    EXPECT_EQ(firstRoot.getValue(), "first");

    EXPECT_FALSE(object.load(broken, &errors, false));
    EXPECT_EQ(object.getPath(), second);
    EXPECT_EQ(root().getValue(), "second");
    EXPECT_EQ(object.getFileEncoding(), "UTF-8");
    object.createDocument("new");
    EXPECT_EQ(object.getFileEncoding(), "");
}

TEST_F(LoadTest, TheFileEncodingIsTheOneTheParserReadItIn) {
    const std::string declared = "<?xml version=\"1.0\" encoding=\"";
    const std::string noMark = testing_support::asUtf16(declared + "UTF-16\"?><r>ab</r>").substr(2);
    std::string bigEndian = noMark;
    for (std::size_t i = 0; i + 1 < bigEndian.size(); i += 2)
        std::swap(bigEndian[i], bigEndian[i + 1]);
    const std::pair<std::string, const char*> files[] = {
        {"<r>ab</r>", "UTF-8"},
        {"\xEF\xBB\xBF<r>ab</r>", "UTF-8"},
        {declared + "Shift_JIS\"?><r>ab</r>", "Shift_JIS"},
        {declared + "windows-31j\"?><r>ab</r>", "Shift_JIS"},
        {declared + "iso-8859-1\"?><r>ab</r>", "ISO-8859-1"},
        {testing_support::asUtf16("<r>ab</r>"), "UTF-16"},
        {noMark, "UTF-16"},
        {bigEndian, "UTF-16"},
    };
    for (const auto& [bytes, encoding] : files) {
        const std::string file = folder.write("e.xml", bytes);
        XcsXmlDOMDocument listed, unlisted;
        ASSERT_TRUE(listed.load(file, &errors, false)) << encoding;
        ASSERT_TRUE(unlisted.load(file, false)) << encoding;
        EXPECT_EQ(listed.getFileEncoding(), encoding);
        EXPECT_EQ(unlisted.getFileEncoding(), encoding);
        EXPECT_EQ(listed.getXmlData("r"), "ab") << encoding;
    }
}

// The line and column of the character after each start tag; a CR LF is one line end, a
// double-byte character one column.
TEST_F(LoadTest, ElementsKnowWhereTheyStood) {
    const std::string text = "<?xml version=\"1.0\"?>\n<r>\n  <a\n   x=\"1\"/><b>x</b><c/>\n</r>";
    const std::string sjis =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<r>\r\n  <a\r\n"
        "   x=\"1\"/><b>\x82\xA0</b><\x82\xA0/>\r\n</r>";
    for (const std::string& bytes : {sjis, testing_support::asUtf16(text)}) {
        ASSERT_TRUE(object.load(folder.write("p.xml", bytes), &errors, false));
        std::vector<std::pair<unsigned int, unsigned int>> positions;
        for (XcsXmlNode node = root(); !node.isNull();
             node = node == root() ? node.getFirstChild() : node.getNextSibling()) {
            positions.emplace_back(node.getLineNumber(), node.getColumnNumber());
        }
        EXPECT_EQ(positions, (decltype(positions){{2, 4}, {4, 11}, {4, 14}, {4, 23}}));
        EXPECT_EQ(root().getFirstChild().getNextSibling().getFirstChild().getLineNumber(), 0u);
    }
    XcsXmlDocument& document = object.getDocument();
    const XcsXmlNode copies[] = {root().cloneNode(true), document.importNode(root(), true),
                                 XcsXmlDOMDocument().bind(document).getDocumentElement(),
                                 document.createElement("n")};
    for (const XcsXmlNode& copy : copies) {
        EXPECT_EQ(copy.getLineNumber(), 0u);
        EXPECT_EQ(copy.getSourceFile(), "");
    }

    // An element from an external entity stood in the entity's file.
    folder.folder("parts");
    folder.write("parts/chapter.xml", "<chapter>\n <p/></chapter>");
    const std::string book = folder.write(
        "book.xml",
        "<!DOCTYPE book [<!ENTITY c SYSTEM \"parts/chapter.xml\">]>\n<book>&c;<end/></book>");
    ASSERT_TRUE(object.load(book, &errors, false));
    const XcsXmlNode chapter = root().getFirstChild();
    const std::vector<std::pair<XcsXmlNode, std::tuple<std::string, unsigned, unsigned>>> stood = {
        {root(), {book, 2, 7}},
        {chapter, {folder.path("parts/chapter.xml"), 1, 10}},
        {chapter.getFirstChild(), {folder.path("parts/chapter.xml"), 2, 6}},
        {chapter.getNextSibling(), {book, 2, 16}},
        {root().getParentNode(), {"", 0, 0}}};
    for (const auto& [element, where] : stood) {
        EXPECT_EQ(std::make_tuple(element.getSourceFile(), element.getLineNumber(),
                                  element.getColumnNumber()),
                  where);
    }
}

TEST_F(LoadTest, JapaneseFilesReadBack) {
    const std::string sjisFile = folder.write("sjis.xml", sjisSample);
    const std::string utf16File =
        folder.write("utf16.xml", std::string("\xFF\xFE<\0r\0>\0\x5E\xFF\x0D\xFF<\0/\0r\0>\0", 20));
    ASSERT_TRUE(object.load(sjisFile, &errors, false));
    EXPECT_EQ(root().getFirstChild().getValue(), "\x81\x60\x81\x7C");
    EXPECT_EQ(root().getAttribute("a"), "\x87\x40");
    ASSERT_TRUE(object.load(utf16File, &errors, false)) << errors.front().message;
    EXPECT_EQ(root().getFirstChild().getValue(), "\x81\x60\x81\x7C");
#ifndef _WIN32
    {
        ScopedLocale utf8(testing_support::utf8);
        ASSERT_TRUE(object.load(sjisFile, &errors, false));
        EXPECT_EQ(root().getFirstChild().getValue(), "\xEF\xBD\x9E\xEF\xBC\x8D");
        EXPECT_EQ(root().getAttribute("a"), "\xE2\x91\xA0");
    }
#endif

    // Bytes the code page does not assign fail the load where they stand; a substitute
    // character in their place would be written back as other bytes.
    for (const std::string unassigned : {"\xFC\xFC", "\xFC\x4C", "\x85\x40", "\xA0", "\x81"}) {
        errors.clear();
        const std::string file = folder.write(
            "unassigned.xml",
            "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r>\n\x81\x60" + unassigned + "</r>");
        EXPECT_FALSE(object.load(file, &errors, false)) << unassigned;
        ASSERT_EQ(errors.size(), 1u) << unassigned;
        EXPECT_GT(errors.front().lineNumber, 0u) << unassigned;
    }
    // So does the first byte of a character that the file ends before.
    for (const std::string cut : {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r/>\n\x81",
                                  "<?xml version=\"1.0\"?>\n<r/>\n\xE2\x91", "<r/>\n\xEF"}) {
        errors.clear();
        const std::string file = folder.write("cut.xml", cut);
        EXPECT_FALSE(object.load(file, &errors, false)) << cut;
        EXPECT_EQ(errors.size(), 1u) << cut;
        if (errors.empty()) continue;
        EXPECT_EQ(errors.front().lineNumber, cut.front() == '<' && cut[1] == '?' ? 3u : 2u) << cut;
        EXPECT_EQ(errors.front().columnNumber, 1u) << cut;
    }
}

// A DTD's location names a local file: relative to the document, absolute, or a file URL
// with escapes. Any other scheme names no file and is never fetched; a colon after anything
// but letters ends no scheme.
TEST_F(LoadTest, DtdLocationsNameLocalFilesOnly) {
    folder.write("d Jk.dtd", "<!ENTITY e \"found\">");
    std::string url = "file://" + std::string(folder.path("")[0] == '/' ? "" : "/");
    for (const char c : folder.path("d%20%4A%6b.dtd")) url += c == '\\' ? '/' : c;
    std::vector<std::string> locations = {"d Jk.dtd", folder.path("d Jk.dtd"), url,
                                          "file:d%20%4a%6B.dtd"};
#ifndef _WIN32
    folder.write("d_Jk:.dtd", "<!ENTITY e \"found\">");
    folder.write("d\tJk.dtd", "<!ENTITY e \"found\">");
    locations.insert(locations.end(), {"d_Jk:.dtd", "file:d%09Jk.dtd"});
#endif
    for (const std::string& location : locations) {
        const std::string file =
            folder.write("x.xml", "<!DOCTYPE r SYSTEM \"" + location + "\">\n<r>&e;</r>\n");
        ASSERT_TRUE(object.load(file, &errors, false)) << location << ' ' << errors.front().message;
        EXPECT_EQ(root().getFirstChild().getValue(), "found");
    }
    // A conversion with a substitute or a best fit would open one of the look-alikes of
    // "café.dtd"; the record shows the name as in a code page without its characters.
    for (const char* lookAlike : {"cafe.dtd", "caf\xFC\xFC.dtd"}) {
        folder.write(lookAlike, "<!ENTITY e \"wrong\">");
    }
    const std::pair<std::string, std::string> noFile[] = {
        {"http://127.0.0.1:9/d.dtd", "http://127.0.0.1:9/d.dtd"},
        {"HTTPS://127.0.0.1:9/d.dtd", "HTTPS://127.0.0.1:9/d.dtd"},
        {"x-y.z+w://127.0.0.1:9/d.dtd", "x-y.z+w://127.0.0.1:9/d.dtd"},
        {"caf\xC3\xA9.dtd", "caf<U+00E9>.dtd"}};
    for (const auto& [location, shown] : noFile) {
        errors.clear();
        const std::string file =
            folder.write("net.xml", "<!DOCTYPE r SYSTEM \"" + location + "\">\n<r/>\n");
        EXPECT_FALSE(object.load(file, &errors, false)) << location;
        ASSERT_FALSE(errors.empty());
        EXPECT_NE(errors.front().message.find(shown), std::string::npos) << errors.front().message;
    }
}

// Without validation a DTD that cannot be read may be left out, with a record that warns of it;
// an entity only it could have declared then fails the load, named.
TEST_F(LoadTest, AnUnreadableDtdCanBeLeftOutWithoutValidation) {
    const std::string lost = folder.write(
        "lost.xml",
        "<!DOCTYPE r SYSTEM \"gone.dtd\" [<!ENTITY i \"in\">]>\n<r a=\"&i;\">&i;</r>\n");
    EXPECT_FALSE(object.load(lost, &errors, false)) << "not unless asked";
    EXPECT_EQ(object.getUnreadableDtd(), TL_DTD_FAILS_LOAD);
    ASSERT_TRUE(object.setUnreadableDtd(TL_DTD_WARNS));
    EXPECT_FALSE(object.setUnreadableDtd(static_cast<TL_UNREADABLE_DTD>(2)));
    for (const std::string& outside : {lost, folder.write("net.xml",
                                                          "<!DOCTYPE r SYSTEM "
                                                          "\"http://127.0.0.1:9/d.dtd\">\n<r/>")}) {
        errors.clear();
        ASSERT_TRUE(object.load(outside, &errors, false)) << outside;
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors.front().systemId, outside);
        EXPECT_EQ(errors.front().lineNumber, 1u);
        EXPECT_NE(errors.front().message.find("DTD"), std::string::npos);
    }
    ASSERT_TRUE(object.load(lost, &errors, false));
    EXPECT_EQ(root().getAttribute("a"), "in");
    EXPECT_EQ(root().getFirstChild().getValue(), "in");
    errors.clear();
    EXPECT_FALSE(object.load(lost, &errors, true)) << "validation needs the DTD";

    for (const char* use : {"<r>&e;</r>", "<r a='&e;'/>"}) {
        errors.clear();
        const std::string file = folder.write(
            "uses.xml", std::string("<!DOCTYPE r SYSTEM \"gone.dtd\">\n") + use + "\n");
        EXPECT_FALSE(object.load(file, &errors, false)) << use;
        ASSERT_EQ(errors.size(), 1u) << use;
        EXPECT_EQ(errors.back().lineNumber, 2u);
        EXPECT_NE(errors.back().message.find("'e'"), std::string::npos) << errors.back().message;
    }
}

// The UTF-8 text as a record shows it in a code page without its characters: each character
// outside ASCII as <U+XXXX>.
std::string codePointsOf(const std::string& utf8) {
    std::string shown;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            shown += utf8[i++];
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        unsigned long codePoint = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) codePoint = codePoint << 6 | (utf8[i + k] & 0x3F);
        char hex[16];
        std::snprintf(hex, sizeof hex, "<U+%04lX>", codePoint);
        shown += hex;
        i += length;
    }
    return shown;
}

// Records in the parser's words and in Japanese: the same places, the same details. A problem
// without a Japanese text, details that read two ways (empty), and a code page without
// Japanese characters keep the parser's words.
TEST_F(LoadTest, ParserProblemsInTheParsersWordsOrInJapanese) {
    folder.write("list.dtd",
                 listDtd + "<!ATTLIST item kind (a|b) #IMPLIED fixed CDATA #FIXED 'x'>");
    const std::string list = "<!DOCTYPE list SYSTEM \"list.dtd\">\n<list>";
    const std::string none = folder.path("none.dtd");
    const std::vector<std::array<std::string, 3>> cases = {
        {"<a>\n<b></a>", "expected end of tag 'b'", u8"終了タグが開始タグ 'b' と一致しません。"},
        {"<a x='1' x='2'/>", "attribute 'x' is already specified for element 'a'",
         u8"属性 'x' が要素 'a' に重複して指定されています。"},
        {"<a>&nbsp;</a>", "entity 'nbsp' not found", u8"実体 'nbsp' が宣言されていません。"},
        {"<!DOCTYPE a SYSTEM 'none.dtd'><a/>", "unable to open DTD document '" + none + "'",
         u8"DTD 文書 '" + none + "' を開けません。"},
        {list + "<item/><other/></list>",
         "element 'other' is not allowed for content model '(item)*'",
         u8"要素 'other' は内容モデル '(item)*' に適合しません。"},
        {list + u8"<item kind='項目'/></list>",
         u8"value '項目' for attribute 'kind' does not match its type's defined enumeration or "
         u8"notation list",
         u8"属性 'kind' の値 '項目' は宣言された列挙値のいずれとも一致しません。"},
        {list + "<item fixed=\"y' that does not match its #FIXED value 'z\"/></list>",
         "attribute 'fixed' has value 'y' that does not match its #FIXED value 'z' that does not "
         "match its #FIXED value 'x'",
         ""},
        {"<?xml version='1.0' standalone='maybe'?><a/>", "invalid standalone declaration", ""}};
    XcsXmlDOMDocument japanese;
    EXPECT_EQ(object.getMessageLanguage(), TL_MESSAGES_PARSER);
    EXPECT_TRUE(japanese.setMessageLanguage(TL_MESSAGES_JAPANESE));
    EXPECT_FALSE(japanese.setMessageLanguage(static_cast<TL_MESSAGE_LANGUAGE>(2)));
    const XcsXmlDOMDocument copy(japanese);
    const auto places = [](const std::list<XMLERROR_TYPE>& records) {
        std::vector<std::tuple<unsigned int, unsigned int, std::string>> all;
        for (const auto& r : records) all.emplace_back(r.lineNumber, r.columnNumber, r.systemId);
        return all;
    };
    for (const char* name : messageLocales) {
        ScopedLocale in(name);
        const auto shown = [&](const std::string& text) {
            if (name == testing_support::shiftJis) return testing_support::shiftJisOf(text);
            return name == testing_support::latin1 ? codePointsOf(text) : text;
        };
        for (const auto& [file, english, inJapanese] : cases) {
            const std::string path = folder.write("case.xml", file);
            std::list<XMLERROR_TYPE> japaneseErrors;
            errors.clear();
            EXPECT_FALSE(object.load(path, &errors, true));
            EXPECT_FALSE(XcsXmlDOMDocument(copy).load(path, &japaneseErrors, true));
            ASSERT_FALSE(errors.empty()) << file;
            EXPECT_EQ(places(errors), places(japaneseErrors)) << file;
            EXPECT_EQ(errors.back().message, shown(english));
            const bool inEnglish = inJapanese.empty() || name == testing_support::latin1;
            EXPECT_EQ(japaneseErrors.back().message, shown(inEnglish ? english : inJapanese));
        }
    }
}

// What needs a second locale, permission bits or a forked child: POSIX only.
#ifndef _WIN32
using testing_support::ChildRole;
using testing_support::passesInChild;

// The file is read in place, its DTD found beside it, and nothing is written: in a folder the
// user cannot write to, and under a name that is no text in the code page.
TEST_F(LoadTest, FilesAreReadInPlaceAndNothingIsWritten) {
    chmod(folder.path("").c_str(), 0755);
    folder.write("list.dtd", listDtd);
    EXPECT_TRUE(object.load(folder.write("\xE9.xml", validList), &errors, true));
    EXPECT_TRUE(errors.empty()) << errors.front().message;
    const std::string locked = folder.folder("locked");
    folder.write("locked/list.dtd", listDtd);
    const std::string file = folder.write("locked/list.xml", validList);
    const std::string unreadable = folder.write("locked/secret.xml", "<x/>");
    // Full-width characters in the file's own name, unlike in its folder's, are no refusal.
    const std::string fullWidth = folder.write("locked/\x81\x60\x81\x7C.xml", "<x/>");
    const std::string hidden = folder.write("locked/.hidden.xml", "<x/>");
    const std::string readOnly = folder.write("locked/ro.xml", "<y/>");
    chmod(readOnly.c_str(), 0444);
    chmod(unreadable.c_str(), 0600);
    chmod(locked.c_str(), 0555);
    const bool loaded = passesInChild(
        [&] {
            std::list<XMLERROR_TYPE> childErrors;
            XcsXmlDOMDocument childObject;
            return childObject.load(file, &childErrors, true) && childErrors.empty() &&
                   childObject.getXmlData("item") == "a" &&
                   childObject.load(fullWidth, &childErrors, false) &&
                   childObject.load(hidden, &childErrors, false) &&
                   childObject.load(readOnly, &childErrors, false) && childErrors.empty() &&
                   !childObject.load(unreadable, &childErrors, false) &&
                   childErrors.front().message == testing_support::noReadPermission;
        },
        ChildRole::nobody);
    chmod(locked.c_str(), 0755);
    EXPECT_TRUE(loaded);
    struct stat status {};
    stat(readOnly.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0444u);
    EXPECT_EQ(folder.files(),
              (std::set<std::string>{"list.dtd", "\xE9.xml", "locked/list.dtd", "locked/list.xml",
                                     "locked/secret.xml", "locked/\x81\x60\x81\x7C.xml",
                                     "locked/.hidden.xml", "locked/ro.xml"}));
}

#ifndef __SANITIZE_ADDRESS__
// The sanitizer reserves more address space than any limit that would leave the test useful.
TEST_F(LoadTest, RunningOutOfMemoryIsReportedAsSuchAndLeavesNoWorkingCopy) {
    const std::string file = folder.path("big.xml");
    {
        std::ofstream out(file, std::ios::binary);
        out << "<r>" << std::string(std::size_t{96} << 20, 'a') << "</r>";
    }
    const bool reported = passesInChild([&] {
        // Room for the library, not for a 96 MB text held as UTF-16.
        const rlim_t room = (rlim_t{160} << 20) + testing_support::memoryOfThisProcess(0);
        const rlimit limit{room, room};
        if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
        std::list<XMLERROR_TYPE> childErrors;
        XcsXmlDOMDocument childObject;
        return !childObject.load(file, &childErrors, false) && childErrors.size() == 1 &&
               childErrors.front().message.rfind(testing_support::stoppedLoad, 0) == 0;
    });
    EXPECT_TRUE(reported);
    EXPECT_EQ(folder.files(), std::set<std::string>{"big.xml"});
}
#endif
#endif

}  // namespace
