// A save killed at any one of its file system calls loses nothing: the file holds its old
// content or its whole new content, and nothing is left beside it but, at most, its backup
// holding one of the two whole. The subject is the program's set, a load and a save of a
// Shift_JIS file of about 1.5 MB, stopped by strace at the n-th call of one system call.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/temp_folder.hpp"

namespace {

using testing_support::TempFolder;

std::string shiftJisRecords(const std::string& value) {
    std::string text = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<records>\r\n";
    for (int i = 0; i < 38000; ++i) {
        // "日本" in Shift_JIS.
        text += "  <record id=\"" + std::to_string(i) + "\">\x93\xFA\x96\x7B " + value +
                "</record>\r\n";
    }
    return text + "</records>\r\n";
}

// Runs the program's set on data.xml in the folder under strace with the options.
void setUnderStrace(const TempFolder& folder, const std::string& options) {
    const std::string command = "cd '" + folder.path("") + "' && strace -f -qq " + options +
                                " '" TOVALIN_PROGRAM
                                "' set data.xml record changed >/dev/null 2>&1";
    std::system(command.c_str());
}

// How many times the program called each system call on files in all, and before it first
// opened the file: the calls in between are those of the load and the save. Memory mapped
// without a file is no file system call.
struct Calls {
    std::map<std::string, int> before, total;
};

Calls callsOf(const std::string& trace) {
    Calls calls;
    const std::regex call(R"(^\d+\s+(\w+)\()");
    std::istringstream lines(trace);
    bool named = false;
    for (std::string line; std::getline(lines, line);) {
        std::smatch found;
        if (!std::regex_search(line, found, call) || found[1] == "mmap") continue;
        named = named || (found[1] != "execve" && line.find("\"data.xml\"") != std::string::npos);
        ++calls.total[found[1]];
        if (!named) ++calls.before[found[1]];
    }
    return calls;
}

TEST(KillDuringSave, AtEveryFileSystemCallTheFileIsOldOrNewAndNothingElseStays) {
    TempFolder folder;
    const std::string old = shiftJisRecords("old");
    folder.write("data.xml", old);
    setUnderStrace(folder, "-e trace=%file,%desc -o .trace");
    const std::string changed = folder.read("data.xml");
    ASSERT_NE(changed, old);
    const Calls calls = callsOf(folder.read(".trace"));

    int killPoints = 0, backupsLeft = 0;
    for (const auto& [name, total] : calls.total) {
        for (int n = calls.before.count(name) ? calls.before.at(name) + 1 : 1; n <= total; ++n) {
            folder.write("data.xml", old);
            setUnderStrace(folder, "-o /dev/null -e trace=" + name + " -e inject=" + name +
                                       ":signal=KILL:when=" + std::to_string(n));
            ++killPoints;
            const std::string at = name + " #" + std::to_string(n);
            const std::string now = folder.read("data.xml");
            EXPECT_TRUE(now == old || now == changed) << at << ": " << now.size() << " bytes";
            std::set<std::string> left = folder.files();
            left.erase(".trace");
            left.erase("data.xml");
            if (left.erase("data.xml.BAK") != 0) {
                ++backupsLeft;
                const std::string backup = folder.read("data.xml.BAK");
                EXPECT_TRUE(backup == old || backup == changed) << at;
                std::remove(folder.path("data.xml.BAK").c_str());
            }
            EXPECT_TRUE(left.empty()) << at << ": " << *left.begin();
        }
    }
    EXPECT_GT(killPoints, 50);
    RecordProperty("kill_points", killPoints);
    RecordProperty("backups_left", backupsLeft);
}

}  // namespace
