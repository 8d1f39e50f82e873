// Tests that read as input, action, output: an XML text loaded from a file in a fresh
// folder, an operation, then the bytes of the saved file.
#ifndef TOVALIN_TESTS_SUPPORT_SAVE_FIXTURE_HPP
#define TOVALIN_TESTS_SUPPORT_SAVE_FIXTURE_HPP

#include <gtest/gtest.h>

#include <list>
#include <string>

#include "support/locale.hpp"
#if !defined(TOVALIN_OVER_C) && !defined(_WIN32)
#include "support/peer_reader.hpp"
#define TOVALIN_TESTS_PEER_READER 1
#endif
#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

namespace testing_support {

class SaveFixture : public ::testing::Test {
  protected:
    TempFolder folder;
    ScopedLocale locale{shiftJis};
    XcsXmlDOMDocument object;
    std::list<XMLERROR_TYPE> errors;

    // Loads the bytes as the file "in.xml"; the test stops when they do not load.
    void loadText(const std::string& bytes, bool validate = false) {
        ASSERT_TRUE(object.load(folder.write("in.xml", bytes), &errors, validate))
            << (errors.empty() ? std::string() : errors.front().message);
    }
    // Saves to "out.xml" and gives its bytes. A second reader must read the same character
    // data from a save in the fixed layout as the tree holds.
    std::string saved(TL_ENCODE_TYPE type) {
        const bool wrote = object.save(folder.path("out.xml"), type);
        EXPECT_TRUE(wrote);
#ifdef TOVALIN_TESTS_PEER_READER
        if (wrote && object.getLayout() == TL_LAYOUT_FIXED && readableByPeer(parserDocument())) {
            EXPECT_EQ(describedByPeer(folder.path("out.xml")), describedByTree(parserDocument()))
                << "a second reader reads other character data from " << folder.read("out.xml");
        }
#endif
        return folder.read("out.xml");
    }
    XcsXmlNode root() { return object.getDocument().getDocumentElement(); }
#ifndef TOVALIN_OVER_C
    // The parser's own document, for nodes the wrappers do not make themselves.
    xercesc::DOMDocument* parserDocument() {
        return static_cast<xercesc::DOMDocument*>(object.getDocument().getTarget());
    }
#endif
};

// The text as a Shift_JIS save stores it: each line feed as CR LF.
inline std::string withCrLf(const std::string& text) {
    std::string stored;
    for (const char c : text) {
        if (c == '\n') stored += '\r';
        stored += c;
    }
    return stored;
}

// ASCII text as a UTF-16 save stores it: the byte-order mark, then little-endian units.
inline std::string asUtf16(const std::string& ascii) {
    std::string stored = "\xFF\xFE";
    for (const char c : ascii) {
        stored += c;
        stored += '\0';
    }
    return stored;
}

}  // namespace testing_support

#endif
