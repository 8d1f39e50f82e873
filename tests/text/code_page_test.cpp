#include <gtest/gtest.h>

#include <list>
#include <string>
#include <thread>
#include <utility>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/util/TranscodingException.hpp>

#include "support/document_fixture.hpp"
#include "support/locale.hpp"
#include "support/temp_folder.hpp"

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
    void setParserValue(const std::u16string& value) {
        static_cast<xercesc::DOMElement*>(root().getTarget())->setAttribute(u"v", value.c_str());
    }
};

// Texts of the tree and their UTF-8 form; none has one in Shift_JIS, and a lone surrogate none
// in any code page.
struct Outbound {
    std::u16string text;
    const char* utf8;
};
const Outbound outbound[] = {{u"\u00A5", "\xC2\xA5"},
                             {u"caf\u00E9", "caf\xC3\xA9"},
                             {u"\u301C\u2212", "\xE3\x80\x9C\xE2\x88\x92"},
                             {u"\U0001F600", "\xF0\x9F\x98\x80"},
                             {u"a\xD800", nullptr},
                             {u"\xDC00z", nullptr}};

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
    // The control codes too are themselves in code page 932, unlike IBM's rotation of them.
    const std::pair<std::string, std::u16string> samples[] = {{shiftJisSample, utf16Sample},
                                                              {"\x1A\x1C\x7F", u"\x1A\x1C\x7F"}};
    for (const auto& [narrow, wide] : samples) {
        root().setAttribute("v", narrow);
        EXPECT_EQ(parserValue("v"), wide);
        setParserValue(wide);
        EXPECT_EQ(root().getAttribute("v"), narrow);
    }
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
    // Unfinished, a bad second byte, a byte that starts no character, and pairs the code page
    // leaves unassigned (FC FC is also what the transcoder writes for a character it lacks).
    for (const std::string bad :
         {"a\x81", "\x81\x20z", "x\xA0y", "\x85\x40", "\xEF\x40", "\xFC\x4C", "a\xFC\xFC"}) {
        EXPECT_THROW(root().setAttribute("v", bad), xercesc::TranscodingException) << bad;
        EXPECT_FALSE(root().hasAttribute("v"));
    }
    root().setAttribute("v", "a");
    EXPECT_EQ(parserValue("v"), u"a");
}

// Look-alikes (U+00A5 as a backslash, é as "e", a wave dash as a full-width tilde) and
// substitutes would change the value when it is written back.
TEST_F(CodePageTest, CharactersShiftJisLacksAreRefusedOnTheWayOut) {
    ScopedLocale locale(testing_support::shiftJis);
    for (const Outbound& row : outbound) {
        setParserValue(row.text);
        EXPECT_THROW(root().getAttribute("v"), xercesc::TranscodingException) << row.text.size();
    }
    setParserValue(utf16Sample);
    EXPECT_EQ(root().getAttribute("v"), shiftJisSample);
}

// Only POSIX processes switch their code page with the locale.
#ifndef _WIN32
TEST_F(CodePageTest, Utf8LocaleSpeaksUtf8) {
    ScopedLocale locale(testing_support::utf8);
    root().setAttribute("v", utf8Sample);
    EXPECT_EQ(parserValue("v"), utf16Sample);
    EXPECT_EQ(root().getAttribute("v"), utf8Sample);
    for (const Outbound& row : outbound) {
        setParserValue(row.text);
        if (row.utf8 == nullptr) {
            EXPECT_THROW(root().getAttribute("v"), xercesc::TranscodingException);
        } else {
            EXPECT_EQ(root().getAttribute("v"), row.utf8);
        }
    }
}

TEST_F(CodePageTest, MalformedUtf8IsRefusedInTheUtf8AndCLocales) {
    // Unfinished, a lead byte before a letter, a lone trail byte, overlong forms, an encoded
    // surrogate, beyond U+10FFFF, a five-byte form.
    const std::string malformed[] = {"\xE3\x81",
                                     "\xC3(",
                                     "a\x80",
                                     "\xC0\xAF",
                                     "\xE0\x80\xAF",
                                     "\xED\xA0\x80",
                                     "\xF4\x90\x80\x80",
                                     "\xF8\x88\x80\x80\x80"};
    for (const char* name : {testing_support::utf8, "C"}) {
        ScopedLocale locale(name);
        for (const std::string& bad : malformed) {
            EXPECT_THROW(root().setAttribute("v", bad), xercesc::TranscodingException) << bad;
            EXPECT_THROW(object->getDocument().createTextNode(bad), xercesc::TranscodingException);
        }
        root().setAttribute("v", utf8Sample);
        EXPECT_EQ(parserValue("v"), utf16Sample);
    }
}

TEST_F(CodePageTest, FolderNamedInShiftJisFailsTheLoadCleanlyInTheUtf8AndCLocales) {
    testing_support::TempFolder folder;
    // "データ" in Shift_JIS bytes, as a disk shared with Windows names it.
    folder.folder("\x83\x66\x81\x5B\x83\x5E");
    const std::string file = folder.write("\x83\x66\x81\x5B\x83\x5E/x.xml", "<x/>");
    for (const char* name : {testing_support::utf8, "C"}) {
        ScopedLocale locale(name);
        std::list<XMLERROR_TYPE> errors;
        EXPECT_FALSE(object->load(file, &errors, false));
        EXPECT_EQ(errors.size(), 1u);
    }
    EXPECT_EQ(folder.files().size(), 1u);
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
