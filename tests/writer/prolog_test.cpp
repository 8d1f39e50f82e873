#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#ifndef TOVALIN_OVER_C
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/util/XMLString.hpp>
#endif

#include "support/save_fixture.hpp"

namespace {

using testing_support::asUtf16;
using testing_support::withCrLf;

class PrologTest : public testing_support::SaveFixture {
  protected:
    XcsXmlNode child(int index) {
        XcsXmlNode node = object.getDocument().getFirstChild();
        for (int i = 0; i < index; ++i) node = node.getNextSibling();
        return node;
    }
};

TEST_F(PrologTest, NewFileWithDeclarationDtdAndStylesheetInBothEncodings) {
    object.createDocument("r");
    EXPECT_TRUE(object.setXMLDecl(TL_ENCODE_UTF16));
#ifndef TOVALIN_OVER_C
    // Callers of the parser's nodes see the declaration as an instruction with its data.
    const xercesc::DOMNode* declaration = child(0);
    EXPECT_TRUE(xercesc::XMLString::equals(declaration->getNodeValue(),
                                           u"version=\"1.0\" encoding=\"UTF-16\""));
#endif
    EXPECT_TRUE(object.setXSL("s.xsl"));
    EXPECT_TRUE(object.setSchema("dtd/r.dtd", TL_SCHEMA_DTD));
    const std::string prolog =
        "<!DOCTYPE r SYSTEM \"dtd/r.dtd\">\n"
        "<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?>\n<r/>\n";
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n" + prolog));
    EXPECT_EQ(saved(TL_ENCODE_UTF16),
              asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + prolog));
}

TEST_F(PrologTest, RepeatedCallsReplaceDeclarationAndDtdButAddStylesheets) {
    object.createDocument("r");
    object.setXMLDecl(TL_ENCODE_SHIFT_JIS);
    object.setXMLDecl(TL_ENCODE_UTF16);
    object.setSchema("a.dtd", TL_SCHEMA_DTD);
    object.setSchema("b.dtd", static_cast<TL_SCHEMA_TYPE>(7));
    // What no document type or instruction could carry is refused and changes nothing.
    for (const std::string& refused :
         {std::string("c.dtd\0", 6), std::string(), std::string("'\".dtd")}) {
        EXPECT_FALSE(object.setSchema(refused, TL_SCHEMA_DTD)) << refused;
        EXPECT_FALSE(object.setXSL(refused.empty() ? "a?>b" : refused)) << refused;
    }
    object.setXSL("1.xsl");
    object.setXSL("\"2\".xsl");
    EXPECT_EQ(child(0).getNodeType(), TL_XML_DECLARATION_NODE);
    EXPECT_EQ(child(1).getNodeType(), 10);
    EXPECT_EQ(child(4), root());
    EXPECT_EQ(saved(TL_ENCODE_UTF16),
              asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<!DOCTYPE r SYSTEM \"b.dtd\">\n"
                      "<?xml-stylesheet type=\"text/xsl\" href=\"1.xsl\"?>\n"
                      "<?xml-stylesheet type=\"text/xsl\" href='\"2\".xsl'?>\n<r/>\n"));
}

TEST_F(PrologTest, DtdWithoutDeclarationStillPrecedesTheRoot) {
    object.createDocument("r");
    object.setSchema("r.dtd", TL_SCHEMA_DTD);
    EXPECT_EQ(saved(TL_ENCODE_UTF16), asUtf16("<!DOCTYPE r SYSTEM \"r.dtd\">\n<r/>\n"));
}

TEST_F(PrologTest, EditingWithoutDocumentThrowsNoDocument) {
    const auto message = [](const auto& call) {
        try {
            call();
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string("nothing thrown");
    };
    EXPECT_EQ(message([&] { object.setXMLDecl(TL_ENCODE_UTF16); }), "no document");
    EXPECT_EQ(message([&] { object.setXSL("s.xsl"); }), "no document");
    EXPECT_EQ(message([&] { object.setSchema("r.dtd", TL_SCHEMA_DTD); }), "no document");
}

TEST_F(PrologTest, BindCopiesOnlyTheRootElementAndSharesNothing) {
    loadText(
        "<?xml version=\"1.0\"?>\n<?xml-stylesheet href=\"s.xsl\"?>\n"
        "<!DOCTYPE r [<!ELEMENT r ANY>]>\n<r a=\"1\"><c>text</c></r>\n");
    XcsXmlDOMDocument other;
    XcsXmlDocument& bound = other.bind(object.getDocument());
    EXPECT_EQ(other.getPath(), "");
    EXPECT_TRUE(bound.getFirstChild() == bound.getDocumentElement());
    ASSERT_TRUE(other.save(folder.path("bound.xml"), TL_ENCODE_UTF16));
    EXPECT_EQ(folder.read("bound.xml"), asUtf16("<r a=\"1\">\n<c>text</c>\n</r>\n"));

    root().setAttribute("a", "2");
    bound.getDocumentElement().getFirstChild().getFirstChild().setValue("changed");
    EXPECT_EQ(bound.getDocumentElement().getAttribute("a"), "1");
    EXPECT_EQ(root().getFirstChild().getFirstChild().getValue(), "text");

    // A document without a root element has nothing to bind; the object keeps its own.
    XcsXmlDOMDocument empty;
    XcsXmlDocument& rootless = empty.createDocument("x");
    rootless.removeChild(rootless.getDocumentElement());
    EXPECT_THROW(other.bind(rootless), std::invalid_argument);
    EXPECT_NE(other.getLastError(), "");
    EXPECT_EQ(other.getDocument().getDocumentElement().getAttribute("a"), "1");

    // Bound to its own document, the object keeps a copy of its root.
    XcsXmlDocument& again = other.bind(other.getDocument());
    EXPECT_EQ(other.getLastError(), "");
    EXPECT_EQ(again.getDocumentElement().getFirstChild().getFirstChild().getValue(), "changed");
}

}  // namespace
