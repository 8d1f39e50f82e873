#include <gtest/gtest.h>

#include <list>
#include <string>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include "support/locale.hpp"
#include "support/temp_folder.hpp"
#include "support/tree_dump.hpp"
#include "tovalin/document.hpp"

namespace {

// Opens the protected trimming for the tests.
class ServiceDocument : public XcsXmlDOMDocument {
  public:
    using XcsXmlDOMDocument::deleteString;
};

class WhitespaceTest : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    testing_support::ScopedLocale locale{testing_support::shiftJis};
    ServiceDocument object;
    std::list<XMLERROR_TYPE> errors;

    // The texts of the root's children after a load, comments and CDATA as their names.
    std::list<std::string> childrenAfterLoad(const std::string& body) {
        EXPECT_TRUE(object.load(folder.write("w.xml", "<r>" + body + "</r>"), &errors, false));
        std::list<std::string> texts;
        XcsXmlNode root = object.getDocument().getDocumentElement();
        for (XcsXmlNode c = root.getFirstChild(); !c.isNull(); c = c.getNextSibling()) {
            texts.push_back(c.getValue());
        }
        return texts;
    }
    // Whether a text node with these bytes survives a direct cleanup.
    bool survives(const std::string& text) {
        XcsXmlDocument& document = object.createDocument("r");
        XcsXmlNode root = document.getDocumentElement();
        root.appendChild(document.createTextNode(text));
        object.removeWhiteSpace(root);
        return !root.getFirstChild().isNull();
    }
    using Texts = std::list<std::string>;
};

TEST_F(WhitespaceTest, LayoutTextGoesAndTextWithContentStays) {
    EXPECT_EQ(childrenAfterLoad("\n    "), Texts{});
    EXPECT_EQ(childrenAfterLoad("word <e/>\n"), (Texts{"word ", "e"}));
    EXPECT_EQ(childrenAfterLoad(" x "), Texts{" x "});
    EXPECT_FALSE(survives("\n\x0B")) << "vertical tab after a line break";
    EXPECT_TRUE(survives("\x0B\n")) << "a vertical tab does not start layout";
    EXPECT_TRUE(survives("\x81\x40\x81\x40")) << "full-width spaces are content";
    EXPECT_EQ(childrenAfterLoad("<![CDATA[ \n ]]><!-- \n -->"),
              (Texts{"#cdata-section", "#comment"}));
}

// What xml:space on the node says within it, given what holds around it.
bool preserves(const xercesc::DOMNode* node, bool around) {
    const auto* element = dynamic_cast<const xercesc::DOMElement*>(node);
    const XMLCh* rule = element == nullptr ? u"" : element->getAttribute(u"xml:space");
    return std::u16string(rule) == u"preserve" || (around && std::u16string(rule) != u"default");
}

// The cleanup rule applied after a plain parse: a text node that begins with CR, LF, TAB or
// space and holds only spaces and ASCII controls goes, unless xml:space preserves it.
void removeLayout(xercesc::DOMNode* node, bool preserved = false) {
    preserved = preserves(node, preserved);
    for (xercesc::DOMNode* c = node->getFirstChild(); c != nullptr;) {
        xercesc::DOMNode* next = c->getNextSibling();
        const std::u16string value = c->getNodeValue() == nullptr ? u"" : c->getNodeValue();
        const bool blank = c->getNodeType() == xercesc::DOMNode::TEXT_NODE && !value.empty() &&
                           std::u16string(u"\r\n\t ").find(value[0]) != std::u16string::npos &&
                           value.find_first_not_of(
                               u"\x01\x02\x03\x04\x05\x06\x07\x08\t\n"
                               u"\x0B\x0C\r\x0E\x0F\x10\x11\x12\x13"
                               u"\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C"
                               u"\x1D\x1E\x1F \x7F") == std::u16string::npos;
        if (blank && !preserved) {
            node->removeChild(c);
        } else {
            removeLayout(c, preserved);
        }
        c = next;
    }
}

// The load leaves layout out while it builds the tree; the tree must be the one a plain
// parse and the cleanup give, whatever way the parser hands over the text.
TEST_F(WhitespaceTest, LoadLeavesOutExactlyTheLayout) {
    const std::string spaces(100000, ' ');
    const std::string dtd =
        "<!DOCTYPE r [<!ELEMENT r (a*)><!ELEMENT a (#PCDATA)>"
        "<!ENTITY e 'x'><!ENTITY s '  '><!ENTITY el '<a/>'>]>";
    const std::pair<std::string, bool> documents[] = {
        {"<r>\n  <a> x </a>\n  <b>\n</b>\t<c/>  </r>", false},
        {dtd + "<r>\n  &e;\n  &s;<k/>&s;y\n&el;\n</r>", false},
        {"<r>&#32;&#10;<a/>&#32;x<b/>\n&#x7F;<c/>\n&#xA0;</r>", false},
        // U+00A5 and the emoji have no Shift_JIS form, so no value to read; they are content.
        {"<r>\n&#xA5;<a/>\n&#x1F600;</r>", false},
        {dtd + "<r>\n <a>\n</a>\n <a> t </a>\n</r>", true},
        {"<r>\n<![CDATA[\n]]>\n<!--c-->\n<?p d?>\n</r>", false},
        {"<r>\n" + spaces + "x</r>", false},
        {"<r>\n" + spaces + "<e/>" + spaces + "</r>", false},
        {"<r>\n<p xml:space='preserve'> <a/>\n<q xml:space='default'>\n<b/> </q>\n"
         "<s xml:space='other'> <c/> </s></p>\n</r>",
         false},
        {"<!DOCTYPE r [<!ATTLIST p xml:space (default|preserve) 'preserve'>]>"
         "<r>\n<p>\n <a/>\n</p>\n<p xml:space='default'>\n <a/>\n</p>\n</r>",
         false},
    };
    for (const auto& [body, validate] : documents) {
        const std::string file = folder.write("d.xml", body);
        ASSERT_TRUE(object.load(file, &errors, validate)) << body;
        xercesc::XercesDOMParser parser;
        parser.setValidationScheme(validate ? xercesc::XercesDOMParser::Val_Always
                                            : xercesc::XercesDOMParser::Val_Never);
        parser.setCreateEntityReferenceNodes(false);
        parser.parse(file.c_str());
        removeLayout(parser.getDocument());
        EXPECT_EQ(testing_support::dumpTree(object.getDocument().getDocumentElement()),
                  testing_support::dumpTree(parser.getDocument()->getDocumentElement()))
            << body.substr(0, 80);
    }
}

TEST_F(WhitespaceTest, DirectCallCleansTheWholeDocumentAndReturnsItsArgument) {
    XcsXmlDocument& document = object.createDocument("r");
    XcsXmlNode root = document.getDocumentElement();
    const XcsXmlNode blanks[] = {
        root.appendChild(document.createTextNode("\r\n\t ")),
        root.appendChild(document.createElement("e")).appendChild(document.createTextNode("  "))};
    root.appendChild(document.createTextNode(""));
    XcsXmlNode kept = root.appendChild(document.createElement("p"));
    kept.setAttribute("xml:space", "preserve");
    kept.appendChild(document.createElement("e")).appendChild(document.createTextNode("\n "));
    XcsXmlNode null;
    EXPECT_TRUE(object.removeWhiteSpace(null).isNull());
    EXPECT_EQ(root.getChildNodes().getLength(), 3u);
    EXPECT_EQ(kept.getFirstChild().getFirstChild().getValue(), "\n ");
    EXPECT_TRUE(root.getFirstChild().getFirstChild().isNull());
    // A removed node that a caller holds stays its own node: no new node takes its place.
    for (XcsXmlNode held : blanks) {
        XcsXmlNode made = document.createTextNode("made");
        EXPECT_FALSE(made == blanks[0] || made == blanks[1]);
        held.setValue("held");
        EXPECT_EQ(made.getValue(), "made");
    }

    ServiceDocument empty;
    EXPECT_THROW(empty.removeWhiteSpace(null), std::exception);
}

TEST_F(WhitespaceTest, TrimmingTurnsControlsIntoSpacesFirst) {
    const auto trimmed = [&](std::string text) {
        EXPECT_TRUE(object.deleteString(text));
        return text;
    };
    EXPECT_EQ(trimmed("\t\tx\ty\r\n"), "x y");
    EXPECT_EQ(trimmed("  x  "), "x");
    EXPECT_EQ(trimmed("\x01\x7F \n"), "");
    EXPECT_EQ(trimmed(""), "");
    EXPECT_EQ(trimmed("\x81\x40x\x81\x40"), "\x81\x40x\x81\x40");
}

TEST(PathRule, CheckPathNamesTheFirstForbiddenCharacter) {
    testing_support::ScopedLocale locale(testing_support::shiftJis);
    std::u16string clean = u"/a/b.xml";
    std::u16string tildeFirst = u"/a\uFF5Eb\uFF0D/c.xml";
    std::string which = "untouched";
    EXPECT_TRUE(XmlFunction::checkPath(reinterpret_cast<unsigned short*>(clean.data()), which));
    EXPECT_EQ(which, "untouched");
    EXPECT_FALSE(
        XmlFunction::checkPath(reinterpret_cast<unsigned short*>(tildeFirst.data()), which));
    EXPECT_EQ(which, fullWidthTildeName);
    EXPECT_EQ(std::string(fullWidthHyphenMinusName), "\x91\x53\x8A\x70\x81\x75\x81\x7C\x81\x76");
}

}  // namespace
