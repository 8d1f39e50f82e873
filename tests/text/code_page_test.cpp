#include <gtest/gtest.h>

#include <string>
#include <thread>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/TranscodingException.hpp>

#include "support/document_fixture.hpp"
#include "support/locale.hpp"

namespace {

using testing_support::ScopedLocale;

// Wave dash, full-width minus, circled digit one, half-width katakana a, in each code page.
const std::string shiftJisSample = "\x81\x60\x81\x7C\x87\x40\xB1";
const std::string utf8Sample = "\xEF\xBD\x9E\xEF\xBC\x8D\xE2\x91\xA0\xEF\xBD\xB1";
const std::u16string utf16Sample = u"\uFF5E\uFF0D\u2460\uFF71";

class CodePageTest : public testing_support::DocumentFixture {
  protected:
    XcsXmlNode root() { return object->getDocument().getDocumentElement(); }
    void SetUp() override { create(); }
    std::u16string parserValue(const std::string& attribute) {
        auto* element = static_cast<xercesc::DOMElement*>(root().getTarget());
        return element->getAttribute(std::u16string(attribute.begin(), attribute.end()).c_str());
    }
};

TEST_F(CodePageTest, TextsLongerThanTheTranscodersBlockConvertWhole) {
    ScopedLocale locale(testing_support::shiftJis);
    std::string text;
    for (int i = 0; i < 40000; ++i) text += shiftJisSample;
    root().setAttribute("v", text);
    EXPECT_EQ(parserValue("v").size(), 4u * 40000);
    EXPECT_EQ(root().getAttribute("v"), text);
}

TEST_F(CodePageTest, ShiftJisTextKeepsItsWindowsMeaningBothWays) {
    ScopedLocale locale(testing_support::shiftJis);
    root().setAttribute("v", shiftJisSample);
    EXPECT_EQ(parserValue("v"), utf16Sample);
    EXPECT_EQ(root().getAttribute("v"), shiftJisSample);

    auto* element = static_cast<xercesc::DOMElement*>(root().getTarget());
    element->setAttribute(u"w", utf16Sample.c_str());
    EXPECT_EQ(root().getAttribute("w"), shiftJisSample);
}

TEST_F(CodePageTest, EmbeddedNulCutsAndEmptyStaysEmpty) {
    ScopedLocale locale(testing_support::shiftJis);
    root().setAttribute("v", std::string("ab\0cd", 5));
    EXPECT_EQ(parserValue("v"), u"ab");
    root().setAttribute("e", "");
    EXPECT_TRUE(static_cast<xercesc::DOMElement*>(root().getTarget())->hasAttribute(u"e"));
    EXPECT_EQ(parserValue("e"), u"");
    EXPECT_EQ(root().getAttribute("e"), "");
}

TEST_F(CodePageTest, BytesThatAreNoTextAreRefusedWithoutSpoilingLaterCalls) {
    ScopedLocale locale(testing_support::shiftJis);
    for (const std::string bad : {"a\x81", "\x81\x20z", "x\xA0y", "\x85\x40"}) {
        EXPECT_THROW(root().setAttribute("v", bad), xercesc::TranscodingException) << bad;
        EXPECT_FALSE(root().hasAttribute("v"));
    }
    root().setAttribute("v", "a");
    EXPECT_EQ(parserValue("v"), u"a");
}

TEST_F(CodePageTest, UnrepresentableCharactersAreSubstitutedOnTheWayOut) {
    ScopedLocale locale(testing_support::shiftJis);
    auto* element = static_cast<xercesc::DOMElement*>(root().getTarget());
    element->setAttribute(u"yen", u"a\u00A5b");
    const std::string yen = root().getAttribute("yen");
    EXPECT_EQ(yen.front(), 'a');
    EXPECT_EQ(yen.back(), 'b');
    EXPECT_GT(yen.size(), 2u);

    const XMLCh loneSurrogate[] = {u'a', 0xD800, 0};
    element->setAttribute(u"lone", loneSurrogate);
    EXPECT_EQ(root().getAttribute("lone").front(), 'a');
    element->setAttribute(u"next", u"z");
    EXPECT_EQ(root().getAttribute("next"), "z");
}

// Only POSIX processes switch their code page with the locale.
#ifndef _WIN32
TEST_F(CodePageTest, Utf8LocaleSpeaksUtf8) {
    ScopedLocale locale(testing_support::utf8);
    root().setAttribute("v", utf8Sample);
    EXPECT_EQ(parserValue("v"), utf16Sample);
    EXPECT_EQ(root().getAttribute("v"), utf8Sample);
    EXPECT_THROW(root().setAttribute("v", "\xE3\x81"), xercesc::TranscodingException);
}

TEST_F(CodePageTest, TheCodePageFollowsTheLocaleOfEachCall) {
    {
        ScopedLocale locale(testing_support::shiftJis);
        root().setAttribute("v", shiftJisSample);
    }
    {
        ScopedLocale locale(testing_support::utf8);
        EXPECT_EQ(root().getAttribute("v"), utf8Sample);
    }
    ScopedLocale plain("C");
    root().setAttribute("c", "\xE2\x91\xA0");
    EXPECT_EQ(parserValue("c"), u"\u2460");
}

TEST_F(CodePageTest, EachThreadUsesItsOwnLocale) {
    ScopedLocale locale(testing_support::shiftJis);
    root().setAttribute("v", shiftJisSample);
    std::string seenByThread;
    std::thread reader([&] {
        locale_t utf8 = newlocale(LC_ALL_MASK, testing_support::utf8, nullptr);
        ASSERT_NE(utf8, nullptr);
        locale_t previous = uselocale(utf8);
        seenByThread = root().getAttribute("v");
        uselocale(previous);
        freelocale(utf8);
    });
    reader.join();
    EXPECT_EQ(seenByThread, utf8Sample);
    EXPECT_EQ(root().getAttribute("v"), shiftJisSample);
}
#endif

}  // namespace
