// A save killed at any moment loses nothing: the file holds its old content, or its whole
// new content, or a part with the old content complete in the ".BAK" beside it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

namespace {

using Clock = std::chrono::steady_clock;

void buildLargeDocument(XcsXmlDOMDocument& object) {
    XcsXmlDocument& document = object.createDocument("records");
    XcsXmlNode root = document.getDocumentElement();
    for (int i = 0; i < 60000; ++i) {
        XcsXmlNode record = root.appendChild(document.createElement("record"));
        record.setAttribute("id", std::to_string(i));
        record.appendChild(document.createTextNode("value " + std::to_string(i * 7919)));
    }
}

TEST(KillDuringSave, NothingIsEverLost) {
    testing_support::TempFolder folder;
    XcsXmlDOMDocument object;
    buildLargeDocument(object);
    const std::string target = folder.path("data.xml");
    const std::string backup = target + ".BAK";
    const std::string old = "<old>" + std::string(2 << 20, 'o') + "</old>\n";

    const auto started = Clock::now();
    ASSERT_TRUE(object.save(folder.path("expected.xml"), TL_ENCODE_SHIFT_JIS));
    const auto saveTime = Clock::now() - started;
    const std::string expected = folder.read("expected.xml");

    constexpr int kills = 30;
    int partial = 0;
    for (int i = 0; i <= kills; ++i) {
        folder.write("data.xml", old);
        chmod(target.c_str(), 0600);
        const pid_t child = fork();
        if (child == 0) _exit(object.save(target, TL_ENCODE_SHIFT_JIS) ? 0 : 1);
        // From the very start to a little after the save's own duration.
        std::this_thread::sleep_for(saveTime * 1.2 * i / kills);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string now = folder.read("data.xml");
        struct stat status {};
        const bool hasBackup = lstat(backup.c_str(), &status) == 0;
        if (hasBackup) {
            EXPECT_EQ(status.st_mode & 077, 0u) << "the backup is private like the file";
        }
        const bool kept =
            now == old || now == expected || (hasBackup && folder.read("data.xml.BAK") == old);
        EXPECT_TRUE(kept) << "killed after " << i << "/" << kills << " of a save";
        if (now != old && now != expected) ++partial;
        std::filesystem::remove(backup);
    }
    RecordProperty("partial_files_with_backup", partial);
}

}  // namespace
