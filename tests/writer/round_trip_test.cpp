#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <string>

#include "support/save_fixture.hpp"

namespace {

using testing_support::withCrLf;

// Non-ASCII characters as their numbers, for readable differences.
std::string readable(const std::u16string& text) {
    std::string shown;
    for (const char16_t c : text) {
        shown += c < 0x80 ? std::string(1, static_cast<char>(c)) : "\\u" + std::to_string(c);
    }
    return shown;
}

// Every node in document order with its kind, name, value and attributes.
std::u16string dump(const xercesc::DOMNode* node) {
    std::u16string text;
    for (const xercesc::DOMNode* child = node->getFirstChild(); child != nullptr;
         child = child->getNextSibling()) {
        // The declaration names the encoding of each file.
        if (std::u16string(child->getNodeName()) == u"xml") continue;
        text +=
            u"[" + std::u16string(1, char16_t(u'0' + child->getNodeType())) + child->getNodeName();
        if (child->getNodeValue() != nullptr) text += u"=" + std::u16string(child->getNodeValue());
        if (const xercesc::DOMNamedNodeMap* attributes = child->getAttributes()) {
            for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
                text += u" " + std::u16string(attributes->item(i)->getNodeName()) + u"=" +
                        attributes->item(i)->getNodeValue();
            }
        }
        text += dump(child) + u"]";
    }
    return text;
}

class RoundTripTest : public testing_support::SaveFixture {
  protected:
    // Saves in the encoding to "out.xml" beside the input, loads that with validation and
    // expects the same tree.
    void expectSameTreeAfterSaving(TL_ENCODE_TYPE type) {
        const std::u16string before = dump(parserDocument());
        ASSERT_TRUE(object.save(folder.path("out.xml"), type));
        XcsXmlDOMDocument again;
        ASSERT_TRUE(again.load(folder.path("out.xml"), &errors, true))
            << (errors.empty() ? std::string() : errors.front().message);
        EXPECT_EQ(readable(dump(static_cast<xercesc::DOMNode*>(again.getDocument().getTarget()))),
                  readable(before));
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

// The parser's own rebuilt internal subset breaks each of these; the written file must
// carry the declarations as the file wrote them.
TEST_F(RoundTripTest, InternalSubsetIsWrittenAsTheFileWroteIt) {
    const std::string subsets[] = {
        "<!ENTITY e \"say 'hi' &#34;x&#34;\">",
        "<!NOTATION gif SYSTEM \"image/gif\">\n<!ATTLIST r f NOTATION (gif) #IMPLIED>",
        "<!ENTITY % pe \"<!ATTLIST r g CDATA #IMPLIED>\">\n%pe;",
        "<!ENTITY pub PUBLIC \"-//Tovalin//Test//EN\" \"pub.txt\">",
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

TEST_F(RoundTripTest, DocumentTypeKeepsItsPublicAndSystemIdentifiers) {
    folder.write("r.dtd", "<!ELEMENT r EMPTY>\n");
    loadText("<!DOCTYPE r PUBLIC \"-//Tovalin//R//EN\" 'r.dtd'>\n<r/>\n", true);
    EXPECT_EQ(
        saved(TL_ENCODE_UTF16),
        testing_support::asUtf16("<!DOCTYPE r PUBLIC \"-//Tovalin//R//EN\" \"r.dtd\">\n<r/>\n"));
    expectSameTreeAfterSaving(TL_ENCODE_SHIFT_JIS);
}

}  // namespace
