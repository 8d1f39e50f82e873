// What only the C++ interface over the C interface does itself: the exceptions it rebuilds
// from statuses, a filter's exception carried across the walk, and the document reference.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/save_fixture.hpp"

namespace {

class OverCTest : public testing_support::SaveFixture {};

// The rebuilt exception's type, checked by catching it, and its DOM code where it has one.
template <class Expected>
std::function<bool()> throws(std::function<void()> call, short code = 0) {
    return [=] {
        try {
            call();
        } catch (const Expected& e) {
            if constexpr (std::is_same_v<Expected, tovalin::DomError>) return e.code == code;
            return true;
        } catch (...) {
        }
        return false;
    };
}

TEST_F(OverCTest, EveryFailureComesBackAsTheLibrarysException) {
    loadText("<r><a>t</a></r>");
    XcsXmlNode a = root().getFirstChild();
    XcsXmlNode text = a.getFirstChild();
    XcsXmlNode asPlainNode = object.getDocument();
    XcsXmlDOMDocument empty;
    StringTokenizer tokenizer;
    const std::vector<std::pair<const char*, std::function<bool()>>> cases = {
        {"cycle", throws<tovalin::DomError>([&] { a.appendChild(root()); }, 3)},
        {"name", throws<tovalin::DomError>([&] { object.getDocument().createElement("1"); }, 5)},
        {"not Shift_JIS", throws<tovalin::ConversionError>([&] { text.setValue("\x81"); })},
        {"not an element", throws<std::logic_error>([&] { text.getElementsByTagName("a"); })},
        {"document as node",
         throws<std::logic_error>([&] { asPlainNode.getElementsByTagName("a"); })},
        {"null node", throws<std::invalid_argument>([&] { XcsXmlNode().getValue(); })},
        {"no document", throws<std::runtime_error>([&] { empty.removeWhiteSpace(a); })},
        {"past the end", throws<std::out_of_range>([&] { tokenizer.getValue(1); })},
        {"not analysed", throws<std::logic_error>([&] { tokenizer.getValue(1, 1); })},
    };
    for (const auto& [name, held] : cases) EXPECT_TRUE(held()) << name;
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              testing_support::withCrLf(
                  "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r>\n<a>t</a>\n</r>\n"));
}

// Throws from the second element it is asked about.
class ThrowingFilter : public XcsXmlFilter {
  public:
    short acceptNode(const XcsXmlNode& node) const override {
        if (++asked == 2) throw std::runtime_error(node.getValue());
        return TL_FILTER_ACCEPT;
    }
    mutable int asked = 0;
};

TEST_F(OverCTest, FilterExceptionLeavesTheCallAndTheWalkGoesOn) {
    loadText("<r><a/><b/></r>");
    ThrowingFilter filter;
    XcsXmlNodeIterator iterator(root(), &filter, 1);
    EXPECT_EQ(iterator.nextNode().getValue(), "r");
    EXPECT_THROW(iterator.nextNode(), std::runtime_error);
    EXPECT_EQ(iterator.nextNode().getValue(), "a");
    EXPECT_EQ(iterator.nextNode().getValue(), "b");
}

TEST_F(OverCTest, DocumentReferenceFollowsTheObjectAndTextsWithNulAreRefused) {
    XcsXmlDocument& document = object.createDocument("created");
    loadText("<loaded/>");
    EXPECT_EQ(document.getDocumentElement().getValue(), "loaded");
    XcsXmlDOMDocument other;
    other.createDocument("other");
    object = other;
    EXPECT_TRUE(document == other.getDocument());

    StringTokenizer tokenizer;
    EXPECT_FALSE(tokenizer.analysis(std::string("a\0b", 3)));
    EXPECT_FALSE(tokenizer.isAnalyzed());
}

// Through every layer: the C++ interface over C, the C interface, the node layer.
TEST_F(OverCTest, CharacterDataOfEveryKindOfNodeIsReadAndReplaced) {
    loadText(
        "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"E\">]>"
        "<r><!--note--><?pi do it?><t>a<![CDATA[<b>]]>&e;z<i>no</i></t></r>");
    XcsXmlNode declaration = object.getDocument().getFirstChild();
    XcsXmlNode comment = root().getFirstChild();
    XcsXmlNode instruction = comment.getNextSibling();
    XcsXmlNode element = instruction.getNextSibling();
    XcsXmlNode section = element.getFirstChild().getNextSibling();
    const std::vector<std::pair<XcsXmlNode, std::string>> read = {{declaration, "version=\"1.0\""},
                                                                  {comment, "note"},
                                                                  {instruction, "do it"},
                                                                  {element, "a<b>Ez"},
                                                                  {section, "<b>"},
                                                                  {root(), ""},
                                                                  {object.getDocument(), ""}};
    for (const auto& [node, data] : read) EXPECT_EQ(node.getData(), data) << node.getValue();
    EXPECT_EQ(section.getValue(), "#cdata-section");
    EXPECT_EQ(object.getXmlData("t"), "a");

    comment.setData("\x93\xFA");
    instruction.setData("again");
    section.setData("]]>");
    element.getFirstChild().setData("A");
    for (XcsXmlNode refused : {declaration, element, XcsXmlNode(object.getDocument())}) {
        EXPECT_THROW(refused.setData("x"), std::logic_error) << refused.getValue();
    }
    EXPECT_EQ(element.getData(), "A]]>Ez");
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              testing_support::withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                                        "<!DOCTYPE r [<!ENTITY e \"E\">]>\n<r>\n<!--\x93\xFA-->\n"
                                        "<?pi again?>\n<t>A<![CDATA[]]]]><![CDATA[>]]>Ez<i>no</i>"
                                        "</t>\n</r>\n"));
}

}  // namespace
