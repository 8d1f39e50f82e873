// Odd and hostile files: each loads correctly or fails with a record, and nothing crashes.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/messages.hpp"
#include "support/save_fixture.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "support/child_process.hpp"
#endif

namespace {

using Files = std::map<std::string, std::string>;

std::string repeated(const std::string& piece, int times) {
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// Declarations of the entities e0 to eN of the kind ("" or "% "), each eK made of ten
// references to the one before, written with the mark ("&", "%" or "&#37;").
std::string chain(int levels, const std::string& kind, const std::string& mark,
                  const std::string& first) {
    std::string text = "<!ENTITY " + kind + "e0 \"" + first + "\">\n";
    for (int level = 1; level <= levels; ++level) {
        text += "<!ENTITY " + kind + "e" + std::to_string(level) + " \"" +
                repeated(mark + "e" + std::to_string(level - 1) + ";", 10) + "\">\n";
    }
    return text;
}

// References to one entity of 64 KiB, in the text or in an attribute value.
std::string flatBomb(int references, bool inAttribute) {
    const std::string refs = repeated("&e;", references);
    return "<!DOCTYPE r [<!ENTITY e \"" + std::string(64 << 10, 'x') + "\">]>" +
           (inAttribute ? "<r a=\"" + refs + "\"/>" : "<r>" + refs + "</r>");
}

std::string elementTypes(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "<!ELEMENT t" + std::to_string(i) + " (#PCDATA)>";
    return text;
}

Files withDtd(const std::string& dtd) {
    return {{"doc.xml", "<!DOCTYPE r SYSTEM \"r.dtd\"><r/>"}, {"r.dtd", dtd}};
}

// Parameter entities e3 to e9, each declared by expanding a parameter entity whose value is
// the declaration.
std::string declaredByExpansion() {
    std::string text = chain(2, "% ", "%", "lol");
    for (int level = 3; level <= 9; ++level) {
        const std::string name = "e" + std::to_string(level);
        text += "<!ENTITY % d" + name + " \"<!ENTITY &#37; " + name + " '" +
                repeated("&#37;e" + std::to_string(level - 1) + ";", 10) + "'>\">%d" + name + ";\n";
    }
    return text;
}

// External entities x0 to x8, each file made of ten references to the one before.
Files nestedFiles() {
    Files files{{"x0.ent", "lol"}};
    std::string declarations;
    for (int level = 0; level <= 8; ++level) {
        const std::string name = "x" + std::to_string(level);
        if (level > 0) files[name + ".ent"] = repeated("&x" + std::to_string(level - 1) + ";", 10);
        declarations += "<!ENTITY " + name + " SYSTEM \"" + name + ".ent\">";
    }
    files["doc.xml"] = "<!DOCTYPE r [" + declarations + "]><r>&x8;</r>";
    return files;
}

// Expansion of 1,000 characters in text and attribute values, and of 2,000 built from a
// parameter entity in the DTD: 2,000 + 1,000 * 1,500 + 2,000 * uses characters, and 1,024
// more for reading the DTD, against the 2,097,152 allowed to a file this small.
Files mix(int uses) {
    const std::string elements = repeated("<t>&a;</t><v w=\"&a;\"/>", 500) + repeated("&a;", 500) +
                                 repeated("<t>&b;</t>", uses);
    return {{"doc.xml", "<!DOCTYPE r SYSTEM \"r.dtd\"><r>" + elements + "</r>"},
            {"r.dtd", "<!ENTITY a \"" + std::string(1000, 'a') + "\"><!ENTITY % p \"" +
                          std::string(1000, 'p') + "\"><!ENTITY b \"%p;%p;\">"}};
}

struct Document {
    const char* what;
    Files files;
    bool loads;
};

class HostileFilesTest : public testing_support::SaveFixture {
  protected:
    bool load(const std::string& name, const std::string& bytes) {
        errors.clear();
        return object.load(folder.write(name, bytes), &errors, false);
    }
    bool stoppedByItsLimits() const {
        return errors.size() == 1 &&
               errors.back().message.rfind(testing_support::stoppedLoad, 0) == 0;
    }
};

// Runs the check in a child that may grow by 256 MiB and use 20 s of processor time, where
// the system has children; on Windows in this process.
bool behaves(const std::function<bool()>& check) {
#ifdef _WIN32
    return check();
#else
    return testing_support::passesWithinBounds(check, 256u << 20, 20);
#endif
}

TEST_F(HostileFilesTest, ExpansionBombsAreStoppedAndOrdinaryDocumentsLoad) {
    const std::vector<Document> documents = {
        {"2,000 references to 64 KiB in text", {{"doc.xml", flatBomb(2000, false)}}, false},
        {"100,000 references in text", {{"doc.xml", flatBomb(100000, false)}}, false},
        {"2,000 references in an attribute value", {{"doc.xml", flatBomb(2000, true)}}, false},
        {"100,000 in an attribute value", {{"doc.xml", flatBomb(100000, true)}}, false},
        {"billion laughs",
         {{"doc.xml", "<!DOCTYPE r [" + chain(10, "", "&", "lol") + "]><r>&e10;</r>"}},
         false},
        {"empty laughs in an attribute default",
         {{"doc.xml",
           "<!DOCTYPE r [" + chain(10, "", "&", "") + "<!ATTLIST r a CDATA \"&e10;\">]><r/>"}},
         false},
        {"parameter entities 7 deep", withDtd(chain(7, "% ", "%", std::string(32, 'x'))), false},
        {"parameter entities 8 deep", withDtd(chain(8, "% ", "%", std::string(32, 'x'))), false},
        {"parameter entities 20 deep", withDtd(chain(20, "% ", "%", std::string(32, 'x'))), false},
        {"parameter entities declared by expansion", withDtd(declaredByExpansion()), false},
        {"parameter entities nested between declarations",
         withDtd(chain(9, "% ", "&#37;", "") + "%e9;"), false},
        {"files nested in files", nestedFiles(), false},
        {"a mix just over the limit", mix(300), false},
        {"a mix just under the limit", mix(290), true},
        {"one 10 MB entity used once",
         {{"doc.xml",
           "<!DOCTYPE r [<!ENTITY big \"" + std::string(10000000, 'y') + "\">]><r>&big;</r>"}},
         true},
        {"10,000 element types", withDtd(elementTypes(10000)), true},
        {"50,000 small references",
         {{"doc.xml", "<!DOCTYPE r [<!ENTITY co \"Tovalin Co., Ltd.\">]><r>" +
                          repeated("<i>&co;</i>\n", 50000) + "</r>"}},
         true},
        {"predefined and character references",
         {{"doc.xml", "<r>" + repeated("&amp;&#x3042;", 200000) + "</r>"}},
         true},
    };
    const std::string next = folder.write("next.xml", "<r/>");
    for (const Document& document : documents) {
        std::set<std::string> names{"next.xml"};
        for (const auto& [name, bytes] : document.files) names.insert(name);
        for (const auto& [name, bytes] : document.files) folder.write(name, bytes);
        EXPECT_TRUE(behaves([&] {
            errors.clear();
            const bool loaded = object.load(folder.path("doc.xml"), &errors, false);
            return loaded == document.loads && (loaded || stoppedByItsLimits()) &&
                   object.load(next, &errors, false);
        })) << document.what;
        EXPECT_EQ(folder.files(), names) << document.what;
        for (const auto& [name, bytes] : document.files) std::remove(folder.path(name).c_str());
    }
}

TEST_F(HostileFilesTest, LimitsHoldUntilRaisedOrLiftedAndOnlyWhileParsing) {
    const std::string threeMillion = "<!DOCTYPE r [<!ENTITY a \"" + std::string(1000, 'a') +
                                     "\">]><r>" + repeated("&a;", 3000) + "</r>";
    XcsLoadLimits raised;
    raised.expansionFloor = 4 << 20;
    XcsLoadLimits smallBudget = XcsLoadLimits::lifted();
    smallBudget.memoryFloor = 4 << 20;
    smallBudget.memoryPerByte = 0;
    // The 3,000 references produce exactly three million characters.
    XcsLoadLimits exactly;
    exactly.expansionPerByte = 0;
    exactly.expansionFloor = 3000000;
    XcsLoadLimits oneShort = exactly;
    oneShort.expansionFloor -= 1;
    const std::vector<std::pair<XcsLoadLimits, bool>> cases = {
        {XcsLoadLimits(), false}, {raised, true},  {XcsLoadLimits::lifted(), true},
        {smallBudget, false},     {exactly, true}, {oneShort, false}};
    for (const auto& [limits, loads] : cases) {
        object.setLoadLimits(limits);
        XcsXmlDOMDocument copy(object);
        EXPECT_EQ(copy.load(folder.write("three.xml", threeMillion), &errors, false), loads);
        EXPECT_EQ(load("three.xml", threeMillion), loads);
        EXPECT_EQ(stoppedByItsLimits(), !loads);
    }
    object.setLoadLimits(smallBudget);
    ASSERT_TRUE(load("small.xml", "<r><v/></r>"));
    EXPECT_TRUE(object.setXmlData("v", std::string(32 << 20, 'v'), true));
    EXPECT_EQ(object.getXmlData("v").size(), 32u << 20);
}

TEST_F(HostileFilesTest, HugeShapesLoadAndSave) {
    const int depth = 200000;
    ASSERT_TRUE(load("deep.xml", repeated("<d>", depth) + repeated("</d>", depth)));
    EXPECT_TRUE(object.save(folder.path("deep-out.xml"), TL_ENCODE_UTF16));

    std::string attributes = "<r";
    for (int i = 0; i < 100000; ++i) attributes += " a" + std::to_string(i) + "=\"v\"";
    ASSERT_TRUE(load("attributes.xml", attributes + "/>"));
    EXPECT_EQ(object.getDocument().getDocumentElement().getAttribute("a99999"), "v");

    ASSERT_TRUE(load("text.xml", "<r>\n" + std::string(64 << 20, 'x') + "</r>"));
    EXPECT_EQ(object.getXmlData("r").size(), (64u << 20) + 1);
}

TEST_F(HostileFilesTest, EntitiesComeFromLocalFilesOrOnlyTheDocumentsFolder) {
    folder.write("outside.txt", "from outside");
    folder.folder("inner/deeper");
    folder.write("inner/deeper/below.txt", "below");
    const std::string local = "<!DOCTYPE r [<!ENTITY o SYSTEM \"../outside.txt\">]><r>&o;</r>";
    EXPECT_TRUE(load("inner/local.xml", local));
    EXPECT_EQ(object.getXmlData("r"), "from outside");
    EXPECT_FALSE(
        load("remote.xml", "<!DOCTYPE r [<!ENTITY n SYSTEM \"http://127.0.0.1:9/x\">]><r>&n;</r>"));
    EXPECT_EQ(errors.size(), 1u);

    EXPECT_FALSE(object.setEntitySource(static_cast<TL_ENTITY_SOURCE>(2)));
    EXPECT_TRUE(object.setEntitySource(TL_ENTITY_DOCUMENT_FOLDER));
    EXPECT_FALSE(load("inner/local.xml", local));
    EXPECT_EQ(errors.size(), 1u);
    ASSERT_TRUE(load("inner/below.xml",
                     "<!DOCTYPE r [<!ENTITY b SYSTEM \"deeper/below.txt\">]><r>&b;</r>"));
    EXPECT_EQ(object.getXmlData("r"), "below");
    EXPECT_FALSE(load("inner/dtd.xml", "<!DOCTYPE r SYSTEM \"../outside.txt\"><r/>"));
    // A sibling folder whose name begins with the document folder's is outside it.
    folder.folder("innermost");
    folder.write("innermost/beside.txt", "beside");
    EXPECT_FALSE(load("inner/beside.xml",
                      "<!DOCTYPE r [<!ENTITY b SYSTEM \"../innermost/beside.txt\">]><r>&b;</r>"));
#ifndef _WIN32
    ASSERT_EQ(symlink(folder.path("outside.txt").c_str(), folder.path("inner/link.txt").c_str()),
              0);
    EXPECT_FALSE(
        load("inner/link.xml", "<!DOCTYPE r [<!ENTITY l SYSTEM \"link.txt\">]><r>&l;</r>"));
#endif
}

#ifndef _WIN32
// A pipe, a device or a folder named as the document, its DTD or an entity would keep the load
// waiting for ever, or reading without end: each fails at once with a record that names it.
// The child's alarm ends a load that waits, so the test fails rather than hangs.
TEST_F(HostileFilesTest, PipesDevicesAndFoldersAreRefusedAtOnce) {
    ASSERT_EQ(mkfifo(folder.path("fifo").c_str(), 0600), 0);
    const std::pair<const char*, const char*> named[] = {
        {"<!DOCTYPE r SYSTEM \"fifo\"><r/>", "fifo"},
        {"<!DOCTYPE r [<!ENTITY e SYSTEM \"fifo\">]><r>&e;</r>", "fifo"},
        {"<!DOCTYPE r SYSTEM \"/dev/stdin\"><r/>", "/dev/stdin"},
        {"<!DOCTYPE r SYSTEM \"/dev/zero\"><r/>", "/dev/zero"},
        {"<!DOCTYPE r SYSTEM \".\"><r/>", "/.'"}};
    for (const TL_ENTITY_SOURCE source : {TL_ENTITY_ANY_LOCAL_FILE, TL_ENTITY_DOCUMENT_FOLDER}) {
        object.setEntitySource(source);
        for (const auto& [text, name] : named) {
            const bool refused = testing_support::passesInChild([&] {
                alarm(20);
                return !load("doc.xml", text) && !errors.empty() &&
                       errors.back().message.find(name) != std::string::npos;
            });
            EXPECT_TRUE(refused) << text;
        }
    }
    const bool documentRefused = testing_support::passesInChild([&] {
        alarm(20);
        errors.clear();
        return !object.load(folder.path("fifo"), &errors, false) && errors.size() == 1 &&
               errors.front().message == testing_support::notAFile;
    });
    EXPECT_TRUE(documentRefused);
}
#endif

}  // namespace
