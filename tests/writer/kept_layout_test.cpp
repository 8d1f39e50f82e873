#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <string>

#include "support/save_fixture.hpp"

namespace {

using testing_support::asUtf16;

class KeptLayoutTest : public testing_support::SaveFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(object.setLayout(TL_LAYOUT_KEEP)); }
    // Loads the file and saves it unedited in its own encoding.
    std::string resaved(const std::string& bytes, TL_ENCODE_TYPE type, bool validate = false) {
        loadText(bytes, validate);
        return saved(type);
    }
};

TEST_F(KeptLayoutTest, AnUneditedSaveIsTheFile) {
    folder.write(
        "ext.dtd",
        "<!ELEMENT r ANY><!ATTLIST r a CDATA #IMPLIED b CDATA #IMPLIED d CDATA 'no' t "
        "NMTOKENS #IMPLIED><!ELEMENT c EMPTY><!ELEMENT sep ANY><!ELEMENT tab ANY>"
        "<!ELEMENT d ANY><!ELEMENT e ANY><!ELEMENT m ANY><!ELEMENT b ANY><!ELEMENT i ANY>");
    const std::string documents[] = {
        "<?xml version='1.0' encoding='UTF-8' standalone = \"no\" ?>\r\n<!-- top -->\r\n"
        "<!DOCTYPE r SYSTEM \"ext.dtd\" [\n <!ENTITY e 'x&#38;#60;y'> <!ENTITY p \"pl ain\">\n"
        " <!-- ] > -->\n]>\n<?pi  some data ?>\n"
        "<r  b = 'x\"y' a=\"&p;&#9;\" t=' a  b '>\r\n\t<c/><c></c>\r\n\r\n  "
        "<d>\xE2\x80\x94&amp;&#x41;&p;"
        "</d>\r\n  <sep> </sep><tab>\t</tab><e>&e;</e>\r\n  <![CDATA[ <x> ]]>\r\n"
        "  <m>Hello <b>world</b> <i>!</i></m><!--c-->\n</r >\n<!--after-->\n\n",
        "\xEF\xBB\xBF<r>\n  <pre xml:space='preserve'>  <a/>\n </pre>\n</r>",
        "<r/>",
    };
    for (const std::string& document : documents) {
        EXPECT_EQ(resaved(document, TL_ENCODE_UTF8), document);
    }
    // Validated, with the DTD's default attribute and its normalized tokens.
    EXPECT_EQ(resaved(documents[0], TL_ENCODE_UTF8, true), documents[0]);
    const std::string shiftJis =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<r>\r\n  "
        "<v>\x81\x60\x87\x40</v>\n</r>\r\n";
    EXPECT_EQ(resaved(shiftJis, TL_ENCODE_SHIFT_JIS), shiftJis);
    const std::string utf16 =
        asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r>\n <a/>\n</r>");
    EXPECT_EQ(resaved(utf16, TL_ENCODE_UTF16), utf16);
}

// Only the edited nodes change; a new node takes the layout of the sibling before it, and a
// removed one takes the layout that led to it along.
TEST_F(KeptLayoutTest, AnEditChangesOnlyWhatWasEdited) {
    const std::string file =
        "<?xml version='1.0'?>\n<r>\n  <a x='1'  y=\"2\">one</a>\n  <b/>\n  <c>three</c>\n</r>\n";
    loadText(file);
    root().getFirstChild().setAttribute("y", "<20>");
    root().getFirstChild().removeAttribute("x");
    root().getFirstChild().getNextSibling().setAttribute("n", "1");
    EXPECT_EQ(saved(TL_ENCODE_UTF8),
              "<?xml version='1.0'?>\n<r>\n  <a  y=\"&lt;20>\">one</a>\n  <b n=\"1\"/>\n"
              "  <c>three</c>\n</r>\n");
    loadText(file);
    xercesc::DOMElement* top = parserDocument()->getDocumentElement();
    xercesc::DOMNode* a = top->getFirstChild();
    a->getFirstChild()->setNodeValue(u"uno");
    top->removeChild(a->getNextSibling());
    top->appendChild(parserDocument()->createElement(u"n"));
    EXPECT_EQ(
        saved(TL_ENCODE_UTF8),
        "<?xml version='1.0'?>\n<r>\n  <a x='1'  y=\"2\">uno</a>\n  <c>three</c>\n  <n/>\n</r>\n");
}

// What a save generates ends its lines as the file does: CR LF in a Shift_JIS file that has
// them, the lone line feed of a file that has those.
TEST_F(KeptLayoutTest, GeneratedLinesEndAsTheFilesDo) {
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        const auto lines = [&](std::string text) {
            for (auto at = text.find('\n'); at != std::string::npos;
                 at = text.find('\n', at + lineEnd.size())) {
                text.replace(at, 1, lineEnd);
            }
            return text;
        };
        loadText(lines("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r>\n  <a/>\n</r>\n"));
        xercesc::DOMDocument* document = parserDocument();
        xercesc::DOMElement* top = document->getDocumentElement();
        xercesc::DOMElement* added = document->createElement(u"n");
        added->appendChild(document->createTextNode(u"1\n2\r3"));
        added->appendChild(document->createComment(u"x\r\ny"));
        top->appendChild(added);
        top->appendChild(document->createCDATASection(u"p\nq"));
        EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
                  lines("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r>\n  <a/>\n"
                        "  <n>1\n2&#13;3<!--x\ny--></n>\n  <![CDATA[p\nq]]>\n</r>\n"))
            << lineEnd.size();
    }
}

// A hand-kept Shift_JIS settings file with a DTD beside it: a value set differs alone.
TEST_F(KeptLayoutTest, ASettingsFileChangesInTheValueSetAlone) {
    folder.write("s.dtd", "<!ATTLIST v d CDATA 'no'><!ENTITY co \"Co.\">");
    const std::string file =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<!DOCTYPE s SYSTEM \"s.dtd\">\r\n"
        "<!-- \x90\xdd\x92\xe8 -->\r\n<s>\r\n\t<v  b='1' a=\"2\">&co;</v>\r\n\r\n"
        "\t<sep> </sep><tab>\t</tab>\r\n\t<t><![CDATA[secret]]></t>\r\n"
        "\t<name>\x81\x60\x87\x40</name>\r\n</s>\r\n";
    loadText(file);
    EXPECT_TRUE(object.setXmlData("name", "\x93\xfa", true));
    std::string expected = file;
    expected.replace(expected.find("\x81\x60\x87\x40"), 4, "\x93\xfa");
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS), expected);
}

// A save in another encoding changes the bytes, names the encoding and ends lines as that
// encoding's saves do; the layout stays. A character the encoding cannot hold fails the save.
TEST_F(KeptLayoutTest, AnotherEncodingChangesOnlyTheEncoding) {
    loadText("<?xml version='1.0' encoding='Shift_JIS' ?>\r\n<!-- c -->\r\n<r  a='1'>\r\n"
             "\t<v>\x82\xa0</v><w\r\n x='\xb1'/>\r\n</r>\r\n");
    EXPECT_EQ(saved(TL_ENCODE_UTF8),
              "<?xml version='1.0' encoding='UTF-8' ?>\n<!-- c -->\n<r  a='1'>\n"
              "\t<v>\xE3\x81\x82</v><w\n x='\xEF\xBD\xB1'/>\n</r>\n");
    loadText("\xEF\xBB\xBF<r>\n <v>\xE3\x81\x82</v>\n</r>");
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<r>\r\n <v>\x82\xa0</v>\r\n</r>");
    loadText("<?xml version=\"1.0\"?>\n<r/>");
    EXPECT_EQ(saved(TL_ENCODE_UTF16), asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r/>"));
    loadText("<r>\xF0\x9F\x98\x80</r>");
    EXPECT_FALSE(object.save(folder.path("out.xml"), TL_ENCODE_SHIFT_JIS));
}

// Long files, with characters of every size in their encoding: an edit far in changes that
// value alone. Characters that Shift_JIS has two codes for keep the code the file used.
TEST_F(KeptLayoutTest, AnEditFarIntoALongFileChangesItAlone) {
    const struct {
        TL_ENCODE_TYPE type;
        std::string declaration, value;
        const char16_t* edited;
        std::string editedBytes;
    } cases[] = {
        {TL_ENCODE_SHIFT_JIS, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n",
         "\x82\xa0\xb1" "a\\~\x87\x90\xed\x40", u"\u3044", "\x82\xa2"},
        {TL_ENCODE_UTF8, "", "\xF0\x9F\x98\x80\xC3\xA9\xE3\x81\x82" "a", u"x", "x"},
    };
    for (const auto& each : cases) {
        std::string file = each.declaration + "<r>\r\n";
        for (int i = 0; i < 400; ++i) {
            file += "\t<v n='" + std::to_string(i) + "'>" + each.value + "</v>\r\n";
        }
        file += "</r>\r\n";
        loadText(file);
        parserDocument()->getElementsByTagName(u"v")->item(333)->getFirstChild()->setNodeValue(
            each.edited);
        std::string expected = file;
        const std::size_t at = expected.find("'333'>") + 6;
        expected.replace(at, each.value.size(), each.editedBytes);
        EXPECT_EQ(saved(each.type), expected);
    }
}

// What the file has that the tree cannot be compared with is written from the tree.
TEST_F(KeptLayoutTest, WhatCannotBeComparedIsGenerated) {
    loadText("<!DOCTYPE r [<!ENTITY m '<i>x</i>'>]>\n<r>\n  <p>a &m; b</p>\n</r>");
    EXPECT_EQ(saved(TL_ENCODE_UTF8),
              "<!DOCTYPE r [<!ENTITY m '<i>x</i>'>]>\n<r>\n  <p>a <i>x</i> b</p>\n</r>");
    loadText("<r>\n  <a>x</a>\n</r>");
    EXPECT_TRUE(object.setLayout(TL_LAYOUT_FIXED));
    EXPECT_EQ(saved(TL_ENCODE_UTF8),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n<a>x</a>\n</r>\n");
    EXPECT_FALSE(object.setLayout(static_cast<TL_LAYOUT_TYPE>(2)));
    EXPECT_EQ(object.getLayout(), TL_LAYOUT_FIXED);
}

}  // namespace
