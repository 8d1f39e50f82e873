#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <set>
#include <string>

#include "support/messages.hpp"
#include "support/save_fixture.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/child_process.hpp"
#endif

namespace {

using testing_support::withCrLf;

const std::string earlier = "<?xml version=\"1.0\"?>\n<earlier/>\n";

class SaveTest : public testing_support::SaveFixture {
  protected:
    std::string out() { return folder.path("out.xml"); }
};

TEST_F(SaveTest, NewFileThenRewritesInEveryEncodingLeaveNoBackup) {
    object.createDocument("r");
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r/>\n"));
    EXPECT_EQ(saved(TL_ENCODE_UTF16), testing_support::asUtf16("<r/>\n"));
    EXPECT_EQ(saved(TL_ENCODE_UTF8), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r/>\n");
    EXPECT_EQ(saved(TL_ENCODE_SHIFT_JIS),
              withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r/>\n"));
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
}

TEST_F(SaveTest, RefusedCallsTouchNothing) {
    EXPECT_FALSE(object.save(out(), TL_ENCODE_SHIFT_JIS));
    EXPECT_TRUE(folder.files().empty());
    object.createDocument("r");
    folder.write("out.xml", earlier);
    EXPECT_FALSE(object.save(out(), static_cast<TL_ENCODE_TYPE>(3)));
    EXPECT_EQ(folder.read("out.xml"), earlier);
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
}

// Every one of these would make a file that reads back differently or not at all.
TEST_F(SaveTest, UnwritableContentFailsAndKeepsTheEarlierFile) {
    object.createDocument("r");
    xercesc::DOMDocument* tree = parserDocument();
    xercesc::DOMElement* second = tree->createElement(u"c");
    tree->getDocumentElement()->appendChild(tree->createElement(u"c"));
    tree->getDocumentElement()->appendChild(second);
    // Yen sign, the first character past 16 bits, an emoji, the byte-order mark: UTF-16
    // carries them, Shift_JIS does not.
    const std::pair<std::u16string, const char*> characters[] = {{u"\u00A5", "U+00A5"},
                                                                 {u"\U00010000", "U+10000"},
                                                                 {u"\U0001F600", "U+1F600"},
                                                                 {u"\uFEFF", "U+FEFF"}};
    for (const auto& [character, named] : characters) {
        second->setAttribute(u"a", (u"x" + character).c_str());
        folder.write("out.xml", earlier);
        EXPECT_FALSE(object.save(out(), TL_ENCODE_SHIFT_JIS)) << named;
        EXPECT_NE(object.getLastError().find(named), std::string::npos) << object.getLastError();
        EXPECT_NE(object.getLastError().find("/r/c[2]"), std::string::npos) << named;
        EXPECT_EQ(folder.read("out.xml"), earlier);
        EXPECT_TRUE(object.save(out(), TL_ENCODE_UTF16)) << named;
        EXPECT_EQ(object.getLastError(), "");
    }
    tree->getDocumentElement()->removeChild(second);
    const char16_t loneSurrogate[] = {0xD800, u'x', 0};
    for (XcsXmlNode bad :
         {XcsXmlNode(tree->createComment(u"a--b")), XcsXmlNode(tree->createComment(u"a-")),
          XcsXmlNode(tree->createProcessingInstruction(u"p", u"?>")),
          XcsXmlNode(tree->createTextNode(u"\x01")), XcsXmlNode(tree->createTextNode(u"\uFFFE")),
          XcsXmlNode(tree->createTextNode(loneSurrogate))}) {
        root().appendChild(bad);
        folder.write("out.xml", earlier);
        EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16));
        EXPECT_EQ(folder.read("out.xml"), earlier);
        root().removeChild(bad);
    }
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
    // Where there was no file, a failed save leaves none.
    root().appendChild(XcsXmlNode(tree->createComment(u"--")));
    EXPECT_FALSE(object.save(folder.path("new.xml"), TL_ENCODE_UTF16));
    EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
}

// Resource limits, permission bits and symbolic links: POSIX only.
#ifndef _WIN32
using testing_support::ChildRole;
using testing_support::passesInChild;

// The disk fills while the text is written, or only when the last buffered bytes go out.
TEST_F(SaveTest, FullDiskRestoresTheEarlierContent) {
    for (const std::size_t size : {std::size_t{1} << 20, std::size_t{8} << 10}) {
        object.createDocument("r").getDocumentElement().setAttribute("big", std::string(size, 'x'));
        folder.write("out.xml", earlier);
        const bool failedCleanly = passesInChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            return setrlimit(RLIMIT_FSIZE, &limit) == 0 && !object.save(out(), TL_ENCODE_UTF16);
        });
        EXPECT_TRUE(failedCleanly) << size;
        EXPECT_EQ(folder.read("out.xml"), earlier);
        EXPECT_EQ(folder.files(), std::set<std::string>{"out.xml"});
    }
}

// A writable file in a folder that takes no new file is written in place; every other file the
// user may not write is refused and left as it was.
TEST_F(SaveTest, UnwritableFilesAreRefusedAndAWritableOneInALockedFolderIsWrittenInPlace) {
    object.createDocument("r");
    chmod(folder.path("").c_str(), 0755);
    const std::string locked = folder.folder("locked");
    const std::string open = folder.folder("open");
    const std::string inLocked = folder.write("locked/x.xml", earlier);
    const std::string othersFile = folder.write("open/x.xml", earlier);
    const std::string readOnly = folder.write("open/ro.xml", earlier);
    chmod(inLocked.c_str(), 0666);
    chmod(othersFile.c_str(), 0644);
    chmod(readOnly.c_str(), 0444);
    chmod(locked.c_str(), 0555);
    chmod(open.c_str(), 0777);
    using testing_support::saveNoPermission;
    const std::pair<std::string, const char*> refusals[] = {
        {locked + "new.xml", saveNoPermission},
        {othersFile, saveNoPermission},
        {readOnly, testing_support::saveReadOnly},
        {open, testing_support::saveFolder}};
    const bool refused = passesInChild(
        [&] {
            for (const auto& [target, why] : refusals) {
                if (object.save(target, TL_ENCODE_SHIFT_JIS)) return false;
                if (object.getLastError().rfind(why, 0) != 0) return false;
            }
            return object.save(inLocked, TL_ENCODE_UTF8);
        },
        ChildRole::nobody);
    chmod(locked.c_str(), 0755);
    EXPECT_TRUE(refused);
    EXPECT_EQ(folder.read("locked/x.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r/>\n");
    EXPECT_EQ(folder.read("open/x.xml"), earlier);
    EXPECT_EQ(folder.files(), (std::set<std::string>{"locked/x.xml", "open/x.xml", "open/ro.xml"}));
}

TEST_F(SaveTest, BackupNameIsNeverFollowedNorForced) {
    object.createDocument("r");
    const std::string victim = folder.write("victim.txt", "keep");
    folder.write("out.xml", earlier);
    std::filesystem::create_symlink(victim, out() + ".BAK");
    EXPECT_TRUE(object.save(out(), TL_ENCODE_UTF16));
    EXPECT_EQ(folder.read("victim.txt"), "keep");
    EXPECT_EQ(folder.files(), (std::set<std::string>{"out.xml", "victim.txt"}));

    // A folder standing at the backup's name cannot be replaced: the file is left alone.
    folder.write("out.xml", earlier);
    folder.folder("out.xml.BAK");
    folder.write("out.xml.BAK/inside", "x");
    EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16));
    EXPECT_EQ(folder.read("out.xml"), earlier);
}

TEST_F(SaveTest, FailedSaveThroughADanglingLinkKeepsTheLinkAndLeavesNoFile) {
    object.createDocument("r");
    root().appendChild(XcsXmlNode(parserDocument()->createComment(u"--")));
    for (const std::string& target : {std::string("target.xml"), folder.path("target.xml")}) {
        std::filesystem::create_symlink(target, out());
        EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16)) << target;
        EXPECT_TRUE(std::filesystem::is_symlink(out())) << target;
        EXPECT_TRUE(folder.files().empty()) << target;
        std::filesystem::remove(out());
    }
}

// The lowest descriptor free: it rises when a save leaves its file open.
int lowestFreeDescriptor() {
    const int probe = open("/dev/null", O_RDONLY);
    close(probe);
    return probe;
}

TEST_F(SaveTest, FailedSaveLeavesNoFileOpen) {
    object.createDocument("r");
    root().appendChild(XcsXmlNode(parserDocument()->createComment(u"--")));
    folder.write("out.xml", earlier);
    EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16));
    const int lowest = lowestFreeDescriptor();
    EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16));
    EXPECT_EQ(lowestFreeDescriptor(), lowest);
}

TEST_F(SaveTest, HiddenFileKeepsItsNameAndModeAfterSuccessAndFailure) {
    const std::string hidden = folder.write(".settings.xml", earlier);
    chmod(hidden.c_str(), 0640);
    object.createDocument("r");
    EXPECT_TRUE(object.save(hidden, TL_ENCODE_SHIFT_JIS));
    root().appendChild(XcsXmlNode(parserDocument()->createComment(u"--")));
    EXPECT_FALSE(object.save(hidden, TL_ENCODE_SHIFT_JIS));
    struct stat status {};
    ASSERT_EQ(stat(hidden.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.files(), std::set<std::string>{".settings.xml"});
}
#endif

}  // namespace
