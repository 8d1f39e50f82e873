#include <gtest/gtest.h>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/util/TranscodingException.hpp>

#include <list>
#include <string>

#include "support/save_fixture.hpp"

namespace {

using Values = std::list<std::string>;

class XmlDataTest : public testing_support::SaveFixture {
  protected:
    // The document as the writer lays it out, without the declaration line and with plain
    // line feeds.
    std::string tree() {
        std::string bytes = saved(TL_ENCODE_SHIFT_JIS);
        std::string text;
        for (const char c : bytes.substr(bytes.find('\n') + 1)) {
            if (c != '\r') text += c;
        }
        return text;
    }
};

TEST_F(XmlDataTest, ReadingTakesTheFirstTextChildOfEachElement) {
    Values values;
    EXPECT_EQ(object.getXmlData("a", values), "") << "no document";
    EXPECT_FALSE(object.setXmlData("a", "v", true));
    EXPECT_FALSE(object.setXmlData("a", values));
    EXPECT_TRUE(values.empty());
    loadText(
        "<r><a>x</a><a/><a>z</a><b><!--c-->t</b><c>t<!--c-->u</c><d><![CDATA[x]]></d>"
        "<e><f>t</f></e><n>outer<n>inner</n></n><g/><g>y</g></r>");
    values = {"kept", "kept"};
    EXPECT_EQ(object.getXmlData("a", values), "x");
    EXPECT_EQ(values, (Values{"kept", "kept", "x", "", "z"}));
    Values empty;
    EXPECT_EQ(object.getXmlData("g", empty), "") << "the first is empty";
    EXPECT_EQ(empty, (Values{"", "y"}));
    EXPECT_EQ(object.getXmlData("b"), "t");
    EXPECT_EQ(object.getXmlData("c"), "t");
    EXPECT_EQ(object.getXmlData("d"), "");
    EXPECT_EQ(object.getXmlData("e"), "");
    EXPECT_EQ(object.getXmlData("r"), "");

    Values nested;
    EXPECT_EQ(object.getXmlData("n", nested), "outer");
    EXPECT_EQ(nested, (Values{"outer", "inner"}));

    Values untouched{"kept"};
    EXPECT_EQ(object.getXmlData("", untouched), "");
    EXPECT_EQ(object.getXmlData("none", untouched), "");
    EXPECT_EQ(untouched, Values{"kept"});

    Values every;
    EXPECT_EQ(object.getXmlData("*", every), "");
    EXPECT_EQ(every.size(), 13u);
}

TEST_F(XmlDataTest, OverwriteWritesIntoTheFirstElement) {
    loadText("<r><a>old<b/>tail</a><a>second</a><e/><c><!--note-->later</c></r>");
    EXPECT_TRUE(object.setXmlData("a", "new", true));
    EXPECT_TRUE(object.setXmlData("e", "filled", true));
    EXPECT_TRUE(object.setXmlData("c", "first", true));
    EXPECT_FALSE(object.setXmlData("none", "v", true));
    EXPECT_NE(object.getLastError().find("'none'"), std::string::npos);
    EXPECT_EQ(tree(),
              "<r>\n<a>new<b/>tail</a>\n<a>second</a>\n<e>filled</e>\n"
              "<c>first<!--note-->later</c>\n</r>\n");
    EXPECT_EQ(object.getXmlData("c"), "first");
}

TEST_F(XmlDataTest, AddGoesAfterTheLastElementWhereverItStands) {
    loadText("<r><p><a>1</a></p><q><a>2</a><z/></q></r>");
    EXPECT_TRUE(object.setXmlData("a", "3", false));
    EXPECT_FALSE(object.setXmlData("none", "v", false));
    EXPECT_EQ(tree(), "<r>\n<p>\n<a>1</a>\n</p>\n<q>\n<a>2</a>\n<a>3</a>\n<z/>\n</q>\n</r>\n");
    // A first value Shift_JIS cannot show is a value all the same.
    loadText("<r><a>&#xA5;</a></r>");
    EXPECT_TRUE(object.setXmlData("a", "x", false));
    EXPECT_EQ(root().getChildNodes().getLength(), 2u);
}

TEST_F(XmlDataTest, ListReplacesEveryElementWhereTheLastStood) {
    loadText("<r><a>1</a><m/><n><a>2<a>nested</a></a></n><z/></r>");
    Values values{"x", "y", "z"};
    EXPECT_TRUE(object.setXmlData("a", values));
    EXPECT_EQ(tree(), "<r>\n<m/>\n<n>\n<a>x</a>\n<a>y</a>\n<a>z</a>\n</n>\n<z/>\n</r>\n");
}

TEST_F(XmlDataTest, EmptyListLeavesAPlaceholderThatTheNextAddFills) {
    loadText("<r><a>1</a><a>2</a></r>");
    Values none;
    EXPECT_TRUE(object.setXmlData("a", none));
    EXPECT_EQ(tree(), "<r>\n<a></a>\n</r>\n");
    EXPECT_TRUE(object.setXmlData("a", "filled", false));
    EXPECT_TRUE(object.setXmlData("a", "second", false));
    EXPECT_EQ(tree(), "<r>\n<a>filled</a>\n<a>second</a>\n</r>\n");
}

TEST_F(XmlDataTest, RefusedWritesLeaveTheTreeAsItWas) {
    loadText("<r><a>1</a></r>");
    const std::string before = tree();
    Values two{"x", "y"};
    // A second root element: the parser's exception, before anything is removed.
    EXPECT_THROW(object.setXmlData("r", two), xercesc::DOMException);
    EXPECT_FALSE(object.setXmlData("*", "v", true));
    EXPECT_FALSE(object.setXmlData("*", two));
    EXPECT_FALSE(object.setXmlData("", two));
    Values notText{"ok", "\x81"};
    EXPECT_THROW(object.setXmlData("a", notText), xercesc::TranscodingException);
    EXPECT_EQ(tree(), before);

    Values one{"only"};
    EXPECT_TRUE(object.setXmlData("r", one));
    EXPECT_EQ(tree(), "<r>only</r>\n");
}

// Keeps entity reference nodes, whose content the parser's DOM holds read-only.
class EntityReferenceDocument : public XcsXmlDOMDocument {
  protected:
    bool setParserCondition(xercesc::XercesDOMParser* parser, xercesc::ErrorHandler* handler,
                            bool validate) override {
        const bool configured = XcsXmlDOMDocument::setParserCondition(parser, handler, validate);
        parser->setCreateEntityReferenceNodes(true);
        return configured;
    }
};

TEST_F(XmlDataTest, AListThatCannotReplaceEveryElementChangesNothing) {
    EntityReferenceDocument kept;
    const std::string file = folder.write(
        "e.xml", "<!DOCTYPE r [<!ENTITY e \"<a>2</a>\">]><r><a>1</a><s>&e;</s><a>3</a></r>");
    ASSERT_TRUE(kept.load(file, &errors, false));
    Values values{"x"};
    EXPECT_THROW(kept.setXmlData("a", values), xercesc::DOMException);
    Values after;
    EXPECT_EQ(kept.getXmlData("a", after), "1");
    EXPECT_EQ(after, (Values{"1", "2", "3"}));
}

// The parser's renameNode on an element is followed by the values by tag name.
TEST_F(XmlDataTest, ValuesFollowARenameOnTheParsersElement) {
    loadText("<r><old>1</old><new>2</new><old>3</old></r>");
    Values before;
    EXPECT_EQ(object.getXmlData("old", before), "1");
    xercesc::DOMNode* first = root().getFirstChild().getTarget();
    first->getOwnerDocument()->renameNode(first, nullptr, u"new");
    Values renamed;
    EXPECT_EQ(object.getXmlData("new", renamed), "1");
    EXPECT_EQ(renamed, (Values{"1", "2"}));
    EXPECT_TRUE(object.setXmlData("old", "x", true));
    EXPECT_EQ(tree(), "<r>\n<new>1</new>\n<new>2</new>\n<old>x</old>\n</r>\n");
}

TEST_F(XmlDataTest, ShiftJisValuesKeepEveryByte) {
    loadText("<r><a/></r>");
    // Wave dash, full-width minus, circled one, half-width katakana, a kanji with a 0x5C
    // trail byte.
    const std::string value = "\x81\x60\x81\x7C\x87\x40\xB1\x95\x5C";
    ASSERT_TRUE(object.setXmlData("a", value, true));
    EXPECT_EQ(object.getXmlData("a"), value);
    EXPECT_EQ(tree(), "<r>\n<a>" + value + "</a>\n</r>\n");
    XcsXmlDOMDocument again;
    ASSERT_TRUE(again.load(folder.path("out.xml"), &errors, false));
    EXPECT_EQ(again.getXmlData("a"), value);
}

}  // namespace
