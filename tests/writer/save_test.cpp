#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <fstream>
#include <set>
#include <string>

#include "support/messages.hpp"
#include "support/save_fixture.hpp"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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
    // The document type bears the root element's name but is no element to count.
    ASSERT_TRUE(object.setSchema("r.dtd", TL_SCHEMA_DTD));
    EXPECT_FALSE(object.save(out(), TL_ENCODE_SHIFT_JIS));
    EXPECT_NE(object.getLastError().find("/r/c[2]"), std::string::npos) << object.getLastError();
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

std::string attribute(const std::string& path, const char* name) {
    char value[256];
    const ssize_t size = getxattr(path.c_str(), name, value, sizeof value);
    return size < 0 ? std::string() : std::string(value, static_cast<std::size_t>(size));
}

// The file stays the file it was: its owner, group, mode, extended attributes and access list
// (which lets user 65534 read); a link stays a link to the file replaced; a file with a second
// name is written in place, so both names keep naming it.
TEST_F(SaveTest, WhatTheFileIsStaysAfterASave) {
    object.createDocument("r");
    const std::string file = folder.write("out.xml", earlier);
    ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(setxattr(file.c_str(), "user.note", "kept", 4, 0), 0);
    // Version 2; owner rw, user 65534 r, group r, mask r, others nothing.
    const unsigned char list[] = {2,    0,    0,    0,    1,    0,    6,    0,    0xFF, 0xFF, 0xFF,
                                  0xFF, 2,    0,    4,    0,    0xFE, 0xFF, 0,    0,    4,    0,
                                  4,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0x10, 0,    4,    0,    0xFF,
                                  0xFF, 0xFF, 0xFF, 0x20, 0,    0,    0,    0xFF, 0xFF, 0xFF, 0xFF};
    const std::string access(reinterpret_cast<const char*>(list), sizeof list);
    ASSERT_EQ(setxattr(file.c_str(), "system.posix_acl_access", access.data(), access.size(), 0),
              0);
    folder.folder("real");
    folder.write("real/target.xml", earlier);
    std::filesystem::create_symlink("real/target.xml", folder.path("link.xml"));
    folder.write("linked.xml", earlier);
    ASSERT_EQ(link(folder.path("linked.xml").c_str(), folder.path("second.xml").c_str()), 0);

    for (const char* name : {"out.xml", "link.xml", "linked.xml"}) {
        EXPECT_TRUE(object.save(folder.path(name), TL_ENCODE_UTF8)) << name;
    }
    const std::string saved = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r/>\n";
    struct stat status {};
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    EXPECT_EQ(folder.read("out.xml"), saved);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(attribute(file, "user.note"), "kept");
    EXPECT_EQ(attribute(file, "system.posix_acl_access"), access);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.xml")));
    EXPECT_EQ(folder.read("real/target.xml"), saved);
    EXPECT_EQ(folder.read("second.xml"), saved);
    ASSERT_EQ(stat(folder.path("linked.xml").c_str(), &status), 0);
    EXPECT_EQ(status.st_nlink, 2u);
    EXPECT_EQ(folder.files(), (std::set<std::string>{"out.xml", "link.xml", "real/target.xml",
                                                     "linked.xml", "second.xml"}));
}

// A small drive of its own: 1 MiB, mounted for the test (which runs as root).
class FullDriveTest : public SaveTest {
  protected:
    std::string drive = folder.folder("drive");
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "mounting a drive needs root";
        ASSERT_EQ(mount("tmpfs", drive.c_str(), "tmpfs", 0, "size=1m"), 0);
    }
    void TearDown() override {
        if (geteuid() == 0) umount2(drive.c_str(), MNT_DETACH);
    }
    void fillWith(std::size_t bytes) {
        std::ofstream(drive + "fill", std::ios::binary) << std::string(bytes, 'f');
    }
};

// The backup takes no room, so a save the drive has room for works however large the old
// file; one it has no room for leaves the old file and nothing else. A file written in place
// needs a copy for its backup: where none fits, the file is not touched.
TEST_F(FullDriveTest, SavesNeedRoomOnlyForTheNewContent) {
    const std::string old = "<old>" + std::string(600 << 10, 'o') + "</old>";
    std::ofstream(drive + "out.xml", std::ios::binary) << old;
    object.createDocument("r").getDocumentElement().setAttribute("a", std::string(200 << 10, 'n'));
    EXPECT_TRUE(object.save(drive + "out.xml", TL_ENCODE_UTF8));
    EXPECT_EQ(testing_support::fileBytes(drive + "out.xml"), saved(TL_ENCODE_UTF8));

    std::ofstream(drive + "out.xml", std::ios::binary) << old;
    fillWith(300 << 10);
    EXPECT_FALSE(object.save(drive + "out.xml", TL_ENCODE_UTF8));
    EXPECT_EQ(testing_support::fileBytes(drive + "out.xml"), old);
    ASSERT_EQ(link((drive + "out.xml").c_str(), (drive + "second.xml").c_str()), 0);
    object.createDocument("small");
    EXPECT_FALSE(object.save(drive + "out.xml", TL_ENCODE_UTF8));
    EXPECT_EQ(testing_support::fileBytes(drive + "out.xml"), old);
    EXPECT_EQ(testing_support::filesUnder(drive),
              (std::set<std::string>{"fill", "out.xml", "second.xml"}));
}

TEST_F(SaveTest, BackupNameIsNeverFollowedNorForced) {
    object.createDocument("r");
    const std::string victim = folder.write("victim.txt", "keep");
    folder.write("out.xml", earlier);
    std::filesystem::create_symlink(victim, out() + ".BAK");
    EXPECT_TRUE(object.save(out(), TL_ENCODE_UTF16));
    EXPECT_EQ(folder.read("victim.txt"), "keep");
    EXPECT_EQ(folder.files(), (std::set<std::string>{"out.xml", "victim.txt"}));

    // A folder standing at the backup's name cannot be replaced: the file is left alone, and
    // the reason names the backup.
    folder.write("out.xml", earlier);
    folder.folder("out.xml.BAK");
    folder.write("out.xml.BAK/inside", "x");
    EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16));
    EXPECT_EQ(folder.read("out.xml"), earlier);
    EXPECT_EQ(object.getLastError().rfind(testing_support::backupNameTaken, 0), 0u);
    EXPECT_NE(object.getLastError().find("out.xml.BAK"), std::string::npos);
}

// The lowest descriptor free: it rises when a save leaves its file open.
int lowestFreeDescriptor() {
    const int probe = open("/dev/null", O_RDONLY);
    close(probe);
    return probe;
}

// A hidden file keeps its name and mode after a save and a failed one; a failed save leaves no
// file open, and through a dangling link keeps the link and makes no file behind it.
TEST_F(SaveTest, FailedSaveLeavesTheTargetAsItWasAndNoFileOpen) {
    const std::string hidden = folder.write(".settings.xml", earlier);
    chmod(hidden.c_str(), 0640);
    object.createDocument("r");
    EXPECT_TRUE(object.save(hidden, TL_ENCODE_SHIFT_JIS));
    root().appendChild(XcsXmlNode(parserDocument()->createComment(u"--")));
    EXPECT_FALSE(object.save(hidden, TL_ENCODE_SHIFT_JIS));
    const int lowest = lowestFreeDescriptor();
    EXPECT_FALSE(object.save(hidden, TL_ENCODE_UTF16));
    EXPECT_EQ(lowestFreeDescriptor(), lowest);
    struct stat status {};
    ASSERT_EQ(stat(hidden.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    for (const std::string& target : {std::string("target.xml"), folder.path("target.xml")}) {
        std::filesystem::create_symlink(target, out());
        EXPECT_FALSE(object.save(out(), TL_ENCODE_UTF16)) << target;
        EXPECT_TRUE(std::filesystem::is_symlink(out())) << target;
        std::filesystem::remove(out());
    }
    EXPECT_EQ(folder.files(), std::set<std::string>{".settings.xml"});
}
#endif

}  // namespace
