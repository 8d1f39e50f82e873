// What only Windows shows: the ANSI code page, file attributes and sharing, drives and the
// path length limit, the working copy's name, and exceptions crossing from one DLL into the
// program.
#define WIN32_LEAN_AND_MEAN
#include <gtest/gtest.h>
#include <windows.h>

#include <xercesc/dom/DOM.hpp>

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include "support/save_fixture.hpp"

namespace {

const std::string earlier = "<?xml version=\"1.0\"?>\n<earlier/>\n";

class WindowsTest : public testing_support::SaveFixture {
  protected:
    // Whether the file exists and has all of the attributes.
    bool has(const std::string& name, DWORD wanted) {
        const DWORD present = GetFileAttributesA(folder.path(name).c_str());
        return present != INVALID_FILE_ATTRIBUTES && (present & wanted) == wanted;
    }
};

// The names of the working copies seen in the folder while the action ran.
std::set<std::string> workingCopiesDuring(const std::string& folder,
                                          const std::function<void()>& action) {
    std::set<std::string> seen;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) {
            WIN32_FIND_DATAA entry{};
            const HANDLE search = FindFirstFileA((folder + "MIR*.TMP").c_str(), &entry);
            if (search == INVALID_HANDLE_VALUE) continue;
            do seen.insert(entry.cFileName);
            while (FindNextFileA(search, &entry));
            FindClose(search);
        }
    });
    action();
    done = true;
    watcher.join();
    return seen;
}

TEST(Windows, ProcessCodePageIsJapanese) { EXPECT_EQ(GetACP(), 932u); }

// Windows overwrites no hidden or system file as a plain one; after a save, whether it worked or
// not, the file has its attributes again.
TEST_F(WindowsTest, AttributesSurviveASuccessfulAndAFailedSave) {
    const std::string file = folder.path("out.xml");
    object.createDocument("r");
    for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                                   DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}}) {
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        folder.write("out.xml", earlier);
        SetFileAttributesA(file.c_str(), attributes);
        const std::string written = saved(TL_ENCODE_SHIFT_JIS);
        EXPECT_TRUE(has("out.xml", attributes)) << attributes;

        XcsXmlNode bad = root().appendChild(XcsXmlNode(parserDocument()->createComment(u"--")));
        EXPECT_FALSE(object.save(file, TL_ENCODE_SHIFT_JIS));
        root().removeChild(bad);
        EXPECT_TRUE(has("out.xml", attributes)) << attributes;
        EXPECT_EQ(folder.read("out.xml"), written);
        EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
    }
}

// A save leaves no backup behind, not even the read-only copy of a read-only file, and a
// read-only backup that an earlier version left behind stands in the way of no later save.
TEST_F(WindowsTest, NoBackupStaysBehindAndAReadOnlyOneBlocksNothing) {
    const std::string file = folder.write("out.xml", earlier);
    object.createDocument("r");
    const std::string written =
        testing_support::withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r/>\n");
    // Held open by another program that shares reading only: nothing can be written.
    const HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_FALSE(object.save(file, TL_ENCODE_SHIFT_JIS));
    CloseHandle(held);
    EXPECT_EQ(folder.read("out.xml"), earlier);
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});

    // Refused where the system keeps read-only files; Wine run by root writes them.
    const DWORD readOnly = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    SetFileAttributesA(file.c_str(), readOnly);
    const bool writable = object.save(file, TL_ENCODE_SHIFT_JIS);
    EXPECT_EQ(folder.read("out.xml"), writable ? written : earlier);
    EXPECT_TRUE(has("out.xml", readOnly));
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});

    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::string stale = folder.write("out.xml.BAK", "stale");
    SetFileAttributesA(stale.c_str(), readOnly | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS), written);
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
}

// "C:list.xml" names a file in the current folder of drive C, where its DTD is too.
TEST_F(WindowsTest, DriveRelativePathLoadsFromTheDrivesCurrentFolder) {
    folder.write("list.dtd", "<!ELEMENT list EMPTY>");
    folder.write("list.xml", "<!DOCTYPE list SYSTEM \"list.dtd\"><list/>");
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(folder.path("").c_str());
    const bool loaded = object.load(folder.path("").substr(0, 2) + "list.xml", &errors, true);
    SetCurrentDirectoryA(current);
    EXPECT_TRUE(loaded) << (errors.empty() ? std::string() : errors.front().message);
    EXPECT_EQ(folder.files(), (std::set<std::string>{"list.dtd", "list.xml"}));
}

// Some of the system's functions take no longer path than MAX_PATH - 1 characters: a file is
// saved only where its name and its backup's both fit, and otherwise left as it was.
TEST_F(WindowsTest, SaveRefusesAFileWhoseNameOrBackupNameIsTooLong) {
    const std::string inside = std::string(200 - folder.path("").size(), 'd') + "/";
    folder.folder(inside);
    const auto named = [&](std::size_t length) {
        return inside + std::string(length - folder.path(inside).size(), 'f');
    };
    const std::string fits = named(MAX_PATH - 1);
    folder.write(fits, earlier);
    object.createDocument("r");
    EXPECT_FALSE(object.save(folder.path(fits), TL_ENCODE_SHIFT_JIS));
    EXPECT_FALSE(object.save(folder.path(named(MAX_PATH)), TL_ENCODE_SHIFT_JIS));
    EXPECT_FALSE(object.save(folder.path(named(MAX_PATH + 10)), TL_ENCODE_SHIFT_JIS));
    EXPECT_TRUE(object.save(folder.path(named(MAX_PATH - 5)), TL_ENCODE_SHIFT_JIS));
    EXPECT_EQ(folder.read(fits), earlier);
    EXPECT_EQ(folder.files(), (std::set<std::string>{fits, named(MAX_PATH - 5)}));
}

TEST_F(WindowsTest, HiddenAndReadOnlySourcesLoadUnchanged) {
    const std::string file = folder.write("locked.xml", "<x/>");
    const DWORD locked = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    SetFileAttributesA(file.c_str(), locked);
    EXPECT_TRUE(object.load(file, &errors, false));
    EXPECT_TRUE(has("locked.xml", locked));
    EXPECT_EQ(folder.files(), std::set<std::string>{"locked.xml"});
}

TEST_F(WindowsTest, WorkingCopyIsMadeBesideTheFileAndRemovedAfterwards) {
    const std::string file =
        folder.write("big.xml", "<r>" + std::string(std::size_t{16} << 20, 'a') + "</r>");
    const std::set<std::string> seen = workingCopiesDuring(
        folder.path(""), [&] { EXPECT_TRUE(object.load(file, &errors, false)); });
    ASSERT_EQ(seen.size(), 1u);
    // "MIR", up to four hexadecimal digits, ".TMP", in either case (Wine writes lower case).
    const std::string name = CharUpperA(std::string(*seen.begin()).data());
    const std::size_t digits = name.find_first_not_of("0123456789ABCDEF", 3) - 3;
    EXPECT_EQ(name.substr(0, 3), "MIR") << name;
    EXPECT_TRUE(digits >= 1 && digits <= 4) << name;
    EXPECT_EQ(name.substr(3 + digits), ".TMP") << name;
    EXPECT_EQ(folder.files(), std::set<std::string>{"big.xml"});
}

// The system's ANSI functions would store such a name as some other character.
TEST_F(WindowsTest, PathsThatAreNoTextInTheCodePageAreRefused) {
    const std::string file = folder.write("a\x81\x20.xml", earlier);
    EXPECT_FALSE(object.load(file, &errors, false));
    object.createDocument("r");
    EXPECT_FALSE(object.save(file, TL_ENCODE_SHIFT_JIS));
    EXPECT_FALSE(object.save(folder.path("b\x81\x20.xml"), TL_ENCODE_SHIFT_JIS));
    EXPECT_EQ(folder.read("a\x81\x20.xml"), earlier);
    EXPECT_EQ(folder.files().size(), 1u);
}

TEST_F(WindowsTest, ExceptionsFromTheLibraryAndTheParserReachTheProgram) {
    XcsXmlDOMDocument empty;
    EXPECT_THROW(empty.getDocument(), std::runtime_error);
    object.createDocument("r");
    EXPECT_THROW(object.getDocument().createElement("not a name"), xercesc::DOMException);
}

}  // namespace
