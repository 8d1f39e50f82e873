// What only Windows shows: the ANSI code page, file attributes and sharing, drives and the
// path length limit, pipes and devices, a save ended by TerminateProcess, and exceptions
// crossing from one DLL into the program.
#define WIN32_LEAN_AND_MEAN
#include <gtest/gtest.h>
#include <windows.h>

#include <xercesc/dom/DOM.hpp>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <set>
#include <string>
#include <thread>

#include "support/messages.hpp"
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

// The names of the files seen in the folder while the action ran.
std::set<std::string> filesSeenDuring(const std::string& folder,
                                      const std::function<void()>& action) {
    std::set<std::string> seen;
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) {
            WIN32_FIND_DATAA entry{};
            const HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
            if (search == INVALID_HANDLE_VALUE) continue;
            do seen.insert(entry.cFileName);
            while (FindNextFileA(search, &entry));
            FindClose(search);
        }
    });
    action();
    done = true;
    watcher.join();
    seen.erase(".");
    seen.erase("..");
    return seen;
}

// The program beside the tests.
std::string program() {
    char path[MAX_PATH];
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.find_last_of('\\') + 1) + "tovalin.exe";
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
    EXPECT_EQ(object.getLastError().rfind(testing_support::backupPathTooLong, 0), 0u);
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

TEST_F(WindowsTest, ALoadWritesNothingBesideTheFile) {
    const std::string file =
        folder.write("big.xml", "<r>" + std::string(std::size_t{16} << 20, 'a') + "</r>");
    const std::set<std::string> seen =
        filesSeenDuring(folder.path(""), [&] { EXPECT_TRUE(object.load(file, &errors, false)); });
    EXPECT_EQ(seen, std::set<std::string>{"big.xml"});
}

// Other programs hold the document and its DTD open for writing, sharing reading and writing
// as editors and loggers do: both load, and a save writes the document in place, since the
// system would not let it be replaced. Sharing its deletion too, it is replaced.
TEST_F(WindowsTest, FilesOtherProgramsHoldOpenLoadAndSave) {
    folder.write("list.dtd", "<!ELEMENT list EMPTY>");
    const std::string file = folder.write("list.xml", "<!DOCTYPE list SYSTEM \"list.dtd\"><list/>");
    const auto holdOpen = [](const std::string& path, DWORD sharing) {
        return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    const DWORD readWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
    for (const DWORD sharing : {readWrite, readWrite | FILE_SHARE_DELETE}) {
        const HANDLE dtd = holdOpen(folder.path("list.dtd"), sharing);
        const HANDLE document = holdOpen(file, sharing);
        EXPECT_TRUE(object.load(file, &errors, true))
            << (errors.empty() ? std::string() : errors.front().message);
        EXPECT_TRUE(object.save(file, TL_ENCODE_UTF8)) << object.getLastError();
        CloseHandle(document);
        CloseHandle(dtd);
        EXPECT_EQ(folder.read("list.xml").substr(0, 38),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        EXPECT_EQ(folder.files(), (std::set<std::string>{"list.dtd", "list.xml"}));
    }
}

// A pipe or a device named as the DTD fails at once with a record naming it. A load that
// waited would fail the test after 20 seconds rather than hang it.
TEST_F(WindowsTest, PipesAndDevicesAsDtdFailAtOnce) {
    const char* const pipe = "\\\\.\\pipe\\tovalin-test-dtd";
    const HANDLE server =
        CreateNamedPipeA(pipe, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 4, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    for (const char* dtd : {pipe, "NUL"}) {
        const std::string file =
            folder.write("doc.xml", std::string("<!DOCTYPE r SYSTEM \"") + dtd + "\"><r/>");
        auto loading = std::async(std::launch::async, [&] {
            errors.clear();
            return !object.load(file, &errors, false) && !errors.empty() &&
                   errors.back().message.find(dtd) != std::string::npos;
        });
        if (loading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << dtd << " kept the load waiting";
            std::_Exit(1);
        }
        EXPECT_TRUE(loading.get()) << dtd;
    }
    CloseHandle(server);
}

// The program saving a 1.5 MB file, ended by TerminateProcess at moments spread over the
// save: the file holds its old or its new content, and nothing else stays but the backup,
// holding one of the two whole. ReplaceFileW puts the new file in place in two renames, and
// the old file's second name is moved aside before it goes: a process ended between them
// leaves the old content whole in the backup, and either content whole under a temporary
// name.
TEST_F(WindowsTest, ASaveEndedByTerminateProcessLeavesTheOldOrTheNewFile) {
    std::string old = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<records>\r\n";
    for (int i = 0; i < 38000; ++i) {
        old += "  <record id=\"" + std::to_string(i) + "\">\x93\xFA\x96\x7B old</record>\r\n";
    }
    old += "</records>\r\n";
    std::string command =
        "\"" + program() + "\" set \"" + folder.path("data.xml") + "\" record changed";
    const auto run = [&](DWORD endAfter) {
        folder.write("data.xml", old);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                            nullptr, nullptr, &startup, &started)) {
            return false;
        }
        if (WaitForSingleObject(started.hProcess, endAfter) == WAIT_TIMEOUT) {
            TerminateProcess(started.hProcess, 9);
            WaitForSingleObject(started.hProcess, INFINITE);
        }
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return true;
    };
    const auto began = std::chrono::steady_clock::now();
    ASSERT_TRUE(run(INFINITE));
    const auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - began)
                           .count();
    const std::string changed = folder.read("data.xml");
    ASSERT_NE(changed, old);
    constexpr int ends = 24;
    for (int i = 0; i < ends; ++i) {
        ASSERT_TRUE(run(static_cast<DWORD>(whole * i / ends)));
        std::set<std::string> left = folder.files();
        const bool betweenTheRenames = left.erase("data.xml") == 0;
        const std::string now = folder.read(betweenTheRenames ? "data.xml.BAK" : "data.xml");
        EXPECT_TRUE(now == old || (now == changed && !betweenTheRenames))
            << i << ": " << now.size() << " bytes";
        if (left.erase("data.xml.BAK") != 0) {
            const std::string backup = folder.read("data.xml.BAK");
            EXPECT_TRUE(backup == old || backup == changed) << i;
            DeleteFileA(folder.path("data.xml.BAK").c_str());
        }
        for (const std::string& name : left) {
            EXPECT_EQ(name.rfind("~tovalin-", 0), 0u) << i << ": " << name;
            const std::string kept = folder.read(name);
            EXPECT_TRUE(kept == old || kept == changed) << i << ": " << name;
            DeleteFileA(folder.path(name).c_str());
        }
    }
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

std::wstring wide(const std::string& text) {
    std::wstring converted(text.size(), L'\0');
    converted.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_ACP, 0, text.data(), static_cast<int>(text.size()), converted.data(),
        static_cast<int>(converted.size()))));
    return converted;
}

// Runs the executable in the folder with the arguments as the system keeps them, in UTF-16;
// its exit status, and what it wrote to output.
DWORD runInFolder(const std::string& folder, const std::wstring& arguments, std::string& output,
                  const std::string& executable = program()) {
    const std::string written = folder + "output.txt";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE file = CreateFileA(written.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    std::wstring command = L"\"" + wide(executable) + L"\" " + arguments;
    PROCESS_INFORMATION started{};
    DWORD status = 99;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                       wide(folder).c_str(), &startup, &started)) {
        WaitForSingleObject(started.hProcess, INFINITE);
        GetExitCodeProcess(started.hProcess, &status);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    CloseHandle(file);
    output = testing_support::fileBytes(written);
    DeleteFileA(written.c_str());
    return status;
}

// Names and values that code page 932 lacks would reach the program as look-alikes through
// the ANSI code page ("caf\u00E9" as "cafe", "\u00A5" as "\\"): they are refused before any
// file is touched, and a folder check counts the files and folders it cannot name.
TEST_F(WindowsTest, TheProgramNeverActsOnALookAlike) {
    const std::string settings = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<r><n>a</n></r>\r\n";
    folder.write("cafe.xml", settings);
    const std::wstring root = wide(folder.path(""));
    const auto make = [&](const std::wstring& name, const std::string& bytes) {
        const HANDLE file = CreateFileW((root + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD put = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
        CloseHandle(file);
    };
    make(L"caf\u00E9.xml", "<r><n>");
    const std::set<std::string> files = folder.files();
    std::string output;
    for (const wchar_t* arguments :
         {L"set caf\u00E9.xml n x", L"set cafe.xml n \"\u00A5100 caf\u00E9\"",
          L"set a\u00A5b.xml n x"}) {
        EXPECT_EQ(runInFolder(folder.path(""), arguments, output), 2u) << output;
        EXPECT_NE(output.find("<U+00"), std::string::npos) << output;
        EXPECT_EQ(folder.read("cafe.xml"), settings);
        EXPECT_EQ(folder.files(), files);
    }
    CreateDirectoryW((root + L"\uD55C\uAD6D").c_str(), nullptr);
    EXPECT_EQ(runInFolder(folder.path(""), L"check --no-validate .", output), 1u);
    EXPECT_NE(output.find("caf<U+00E9>.xml:"), std::string::npos) << output;
    EXPECT_NE(output.find("<U+D55C><U+AD6D>:"), std::string::npos) << output;
    EXPECT_EQ(runInFolder(folder.path(""), L"set cafe.xml n \"\u65E5\uFF5E\"", output), 0u);
    EXPECT_EQ(folder.read("cafe.xml"), settings.substr(0, 50) + "\x93\xFA\x81\x60" +
                                           settings.substr(51));
}

// A plug-in host loads tovalin.dll by its full path, with the DLLs it needs beside it in a
// folder of their own and none beside the host, in the way the README gives.
TEST_F(WindowsTest, APluginHostLoadsTheDllFromAFolderOfItsOwn) {
    const std::string bin = program().substr(0, program().find_last_of('\\') + 1);
    const std::string plugins = folder.folder("plugins");
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((bin + "*.dll").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do CopyFileA((bin + found.cFileName).c_str(), (plugins + found.cFileName).c_str(), TRUE);
    while (FindNextFileA(search, &found));
    FindClose(search);
    const std::string host = folder.folder("host") + "host.exe";
    ASSERT_TRUE(CopyFileA((bin + "tovalin_plugin_host.exe").c_str(), host.c_str(), TRUE));
    std::string output;
    EXPECT_EQ(runInFolder(folder.path(""), L"\"" + wide(plugins) + L"tovalin.dll\"", output, host),
              0u)
        << output;
}

TEST_F(WindowsTest, ExceptionsFromTheLibraryAndTheParserReachTheProgram) {
    XcsXmlDOMDocument empty;
    EXPECT_THROW(empty.getDocument(), std::runtime_error);
    object.createDocument("r");
    EXPECT_THROW(object.getDocument().createElement("not a name"), xercesc::DOMException);
}

}  // namespace
