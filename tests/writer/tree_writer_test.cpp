#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <string>

#include "support/save_fixture.hpp"

namespace {

using testing_support::asUtf16;
using testing_support::withCrLf;

using TreeWriterTest = testing_support::SaveFixture;

TEST_F(TreeWriterTest, EveryKindOfNodeInTheFixedLayout) {
    loadText(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<?pi?><?pi data?>"
        "<!--c & <x>-->\n<r a=\"1\" b=\"2\">\n  <e/>\n  <t>x</t>\n  <m>text<b/><c/></m>\n"
        "  <d><![CDATA[<&>]]></d><k><!--first--></k><n><o/></n></r>\n");
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\" standalone=\"yes\"?>\n"
                       "<?pi?>\n<?pi data?>\n<!--c & <x>-->\n<r a=\"1\" b=\"2\">\n<e/>\n"
                       "<t>x</t>\n<m>text<b/><c/></m>\n<d><![CDATA[<&>]]></d>\n<k>\n<!--first-->\n"
                       "</k>\n<n>\n<o/>\n</n>\n</r>\n"));
}

TEST_F(TreeWriterTest, IndentationOnlyWhereNoTextIs) {
    loadText("<r a=\"1\"><e/><k><!--first--><n><o/></n></k><m>text<b><i/></b><c/></m><?pi d?></r>");
    EXPECT_FALSE(object.setIndent(17));
    EXPECT_TRUE(object.setIndent(2));
    EXPECT_EQ(saved(TL_ENCODE_UTF8),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r a=\"1\">\n  <e/>\n  <k>\n"
              "    <!--first-->\n    <n>\n      <o/>\n    </n>\n  </k>\n"
              "  <m>text<b><i/></b><c/></m>\n  <?pi d?>\n</r>\n");
}

// Within an element that holds character data, and within xml:space="preserve", any line
// end the layout added would be data to every other reader.
TEST_F(TreeWriterTest, NothingIsAddedWhereSpacesAreData) {
    const std::pair<std::string, std::string> documents[] = {
        {"<p>Press <b>OK</b> to<!--c--> go<?pi d?>,<![CDATA[x]]>.<e/>!<f/><g/></p>",
         "<p>Press <b>OK</b> to<!--c--> go<?pi d?>,<![CDATA[x]]>.<e/>!<f/><g/></p>"},
        {"<r><template><![CDATA[secret]]></template><p>Hello <b><i>w</i><j/></b></p></r>",
         "<r>\n<template><![CDATA[secret]]></template>\n<p>Hello <b><i>w</i><j/></b></p>\n</r>"},
        {"<r><pre xml:space=\"preserve\">\n <a/> <b><c/></b>\n<d xml:space=\"default\"><e/>"
         "</d></pre><f/></r>",
         "<r>\n<pre xml:space=\"preserve\">\n <a/> <b><c/></b>\n<d xml:space=\"default\"><e/>"
         "</d></pre>\n<f/>\n</r>"},
        {"<r><pre xml:space=\"preserve\"><d xml:space=\"default\"><e/></d></pre></r>",
         "<r>\n<pre xml:space=\"preserve\"><d xml:space=\"default\">\n<e/>\n</d></pre>\n</r>"},
    };
    for (const auto& [body, written] : documents) {
        loadText(body);
        EXPECT_EQ(saved(TL_ENCODE_UTF8),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + written + "\n");
    }
    parserDocument()->getDocumentElement()->appendChild(
        parserDocument()->createEntityReference(u"ent"));
    EXPECT_EQ(saved(TL_ENCODE_UTF8),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r><pre xml:space=\"preserve\">"
              "<d xml:space=\"default\"><e/></d></pre>&ent;</r>\n");
}

// Whitespace in element content is invalid in a standalone document when the element is
// declared outside it, so nothing is added inside its root; a document that says it is not
// standalone, or whose declarations all stand in it, keeps the layout.
TEST_F(TreeWriterTest, StandaloneDocumentsWithOutsideDeclarationsGetNothingInsideTheRoot) {
    folder.write("sa.dtd", "<!ELEMENT r (c)*><!ELEMENT c (#PCDATA)>");
    const std::string subset = "[<!ELEMENT r (c)*><!ELEMENT c (#PCDATA)>]";
    const std::pair<std::string, std::string> documents[] = {
        {"yes' ?><!DOCTYPE r SYSTEM 'sa.dtd'>", "<r><c>x</c><c/></r>"},
        {"no' ?><!DOCTYPE r SYSTEM 'sa.dtd'>", "<r>\n<c>x</c>\n<c/>\n</r>"},
        {"yes' ?><!DOCTYPE r " + subset + ">", "<r>\n<c>x</c>\n<c/>\n</r>"},
    };
    for (const auto& [prolog, body] : documents) {
        loadText("<?xml version='1.0' standalone='" + prolog + "<r><c>x</c><c/></r>", true);
        const std::string bytes = saved(TL_ENCODE_UTF8);
        EXPECT_EQ(bytes.substr(bytes.find("<r>")), body + "\n");
        XcsXmlDOMDocument again;
        EXPECT_TRUE(again.load(folder.path("out.xml"), &errors, true)) << bytes;
    }
}

TEST_F(TreeWriterTest, MarkupCharactersAreEscapedInTextAndAttributesOnly) {
    object.createDocument("r");
    root().setAttribute("q", "\"<&>'");
    root().appendChild(object.getDocument().createTextNode("<&>\"'"));
    parserDocument()->getDocumentElement()->appendChild(
        parserDocument()->createEntityReference(u"ent"));
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r q=\"&quot;&lt;&amp;>'\">"
                       "&lt;&amp;&gt;&quot;&apos;&ent;</r>\n"));
}

// U+FF5E, U+FF0D and U+2460, given in Shift_JIS under the Shift_JIS locale, are stored as code
// page 932 has them; layout beside the root is left out.
TEST_F(TreeWriterTest, UnicodeFilesKeepLineFeedsAndOnlyUtf16HasAByteOrderMark) {
    object.createDocument("r");
    root().appendChild(object.getDocument().createTextNode("a\n\x81\x60\x81\x7C\x87\x40"));
    parserDocument()->appendChild(parserDocument()->createTextNode(u"\r\n"));
    const std::string wide = "\x5E\xFF\x0D\xFF\x60\x24";
    // Without a declaration node UTF-16 writes none: the byte-order mark names the encoding.
    EXPECT_EQ(saved(TL_ENCODE_UTF16), asUtf16("<r>a\n</r>\n").insert(12, wide));
    EXPECT_EQ(saved(TL_ENCODE_UTF8), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>a\n"
                                     "\xEF\xBD\x9E\xEF\xBC\x8D\xE2\x91\xA0</r>\n");
    object.setXMLDecl(TL_ENCODE_UTF8);
    EXPECT_EQ(saved(TL_ENCODE_UTF16),
              asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r>a\n</r>\n").insert(92, wide));
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS), "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                          "<r>a\r\n\x81\x60\x81\x7C\x87\x40</r>\r\n");
}

// Code page 932 maps 0x1A, 0x1C and 0x7F to themselves under each of its names. U+007F is a
// character of XML; U+001A and U+001C are not, so a file holds them nowhere.
TEST_F(TreeWriterTest, ControlCodesAreStoredAsCodePage932HasThem) {
    for (const std::string name : {"Shift_JIS", "windows-31j", "CP932", "ms932", "X-SJIS"}) {
        loadText("<?xml version=\"1.0\" encoding=\"" + name + "\"?><r a=\"\x7F\">\x7F</r>");
        EXPECT_EQ(root().getAttribute("a"), "\x7F") << name;
    }
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<r a=\"\x7F\">\x7F</r>\r\n");
    EXPECT_EQ(saved(TL_ENCODE_UTF16),
              asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<r a=\"\x7F\">\x7F</r>\n"));
    for (const std::string control : {"\x1A", "\x1C"}) {
        const std::string file = folder.write(
            "c.xml", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><r>" + control + "</r>");
        EXPECT_FALSE(object.load(file, &errors, false));
        XcsXmlNode text = root().appendChild(object.getDocument().createTextNode(control));
        EXPECT_FALSE(object.save(folder.path("c.xml"), TL_ENCODE_SHIFT_JIS));
        EXPECT_FALSE(object.save(folder.path("c.xml"), TL_ENCODE_UTF16));
        root().removeChild(text);
    }
}

TEST_F(TreeWriterTest, LineEndsAndTabsSurviveAReload) {
    object.createDocument("r");
    root().setAttribute("a", "x\ty\nz\r\n");
    root().appendChild(object.getDocument().createTextNode("one\r\ntwo\rthree"));
    xercesc::DOMElement* parent = parserDocument()->getDocumentElement();
    parent->appendChild(parserDocument()->createCDATASection(u"a]]>b\r\nc\rd"));
    parent->appendChild(parserDocument()->createComment(u"e\r\nf\rg"));
    parent->appendChild(parserDocument()->createProcessingInstruction(u"pi", u"h\r\ni\rj"));
    for (const TL_ENCODE_TYPE type : {TL_ENCODE_SHIFT_JIS, TL_ENCODE_UTF16}) {
        ASSERT_TRUE(object.save(folder.path("out.xml"), type));
        XcsXmlDOMDocument again;
        ASSERT_TRUE(again.load(folder.path("out.xml"), &errors, false));
        const XcsXmlNode reloaded = again.getDocument().getDocumentElement();
        EXPECT_EQ(reloaded.getAttribute("a"), "x\ty\nz\r\n");
        // A section cannot hold its own end, so it comes back as two. Where no markup can
        // carry a carriage return, CR LF and a lone CR come back as one line feed.
        EXPECT_EQ(std::u16string(static_cast<xercesc::DOMNode*>(reloaded)->getTextContent()),
                  u"one\r\ntwo\rthreea]]>b\nc\nd");
        const xercesc::DOMNode* last = reloaded.getLastChild();
        EXPECT_EQ(std::u16string(last->getPreviousSibling()->getNodeValue()), u"e\nf\ng");
        EXPECT_EQ(std::u16string(last->getNodeValue()), u"h\ni\nj");
    }
}

// Trees the fuzzers built: each would have made a file that no parser reads.
TEST_F(TreeWriterTest, TreesNoParserCouldReadAreNotWritten) {
    const std::string earlier = "<earlier/>";
    const auto refused = [&] {
        folder.write("out.xml", earlier);
        return !object.save(folder.path("out.xml"), TL_ENCODE_SHIFT_JIS) &&
               folder.read("out.xml") == earlier;
    };
    XcsXmlDocument& document = object.createDocument("r");
    EXPECT_FALSE(object.saveDOMTree(document)) << "outside a save";
    document.removeChild(document.getDocumentElement());
    EXPECT_TRUE(refused()) << "no root element";

    object.createDocument("r");
    object.setXMLDecl(TL_ENCODE_SHIFT_JIS);
    root().appendChild(object.getDocument().getFirstChild());
    EXPECT_TRUE(refused()) << "declaration inside the root";

    object.createDocument("r");
    parserDocument()->insertBefore(parserDocument()->createDocumentType(u"r", nullptr, u"'\""),
                                   parserDocument()->getDocumentElement());
    EXPECT_TRUE(refused()) << "both quotation marks in the system identifier";
    object.setSchema("r.dtd", TL_SCHEMA_DTD);
    XcsXmlDocument& typed = object.getDocument();
    typed.removeChild(typed.getDocumentElement());
    typed.insertBefore(typed.createElement("s"), typed.getFirstChild());
    EXPECT_TRUE(refused()) << "document type after the root";
}

TEST_F(TreeWriterTest, NestingDeeperThanAnyStackIsWritten) {
    object.createDocument("d");
    constexpr int depth = 200000;
    xercesc::DOMNode* parent = parserDocument()->getDocumentElement();
    for (int i = 1; i < depth; ++i)
        parent = parent->appendChild(parserDocument()->createElement(u"d"));
    const std::string bytes = saved(TL_ENCODE_UTF16);
    const std::string open = asUtf16("<d>\n").substr(2), empty = asUtf16("<d/>\n").substr(2),
                      close = asUtf16("</d>\n").substr(2);
    EXPECT_EQ(bytes.size(), 2 + (depth - 1) * (open.size() + close.size()) + empty.size());
    EXPECT_EQ(bytes.substr(bytes.size() - close.size()), close);
}

}  // namespace
