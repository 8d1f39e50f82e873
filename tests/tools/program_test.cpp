#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/save_fixture.hpp"
#include "support/temp_folder.hpp"

namespace {

using namespace std::string_literals;
using testing_support::asUtf16;
using testing_support::withCrLf;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

const std::string dtd = "<!ELEMENT r (v+)>\n<!ELEMENT v (#PCDATA)>\n";
const std::string valid = "<!DOCTYPE r SYSTEM \"r.dtd\">\n<r><v>one</v><v>two</v></r>\n";

class ProgramTest : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;

    // Runs the program in the folder with LC_ALL set to the locale (which may go on with more
    // settings), with each argument quoted.
    Outcome run(const std::vector<std::string>& arguments, const char* locale = "C.UTF-8",
                const std::string& output = ".out") {
        std::string command = "cd '" + folder.path("") + "' && LC_ALL=" + locale + " '" +
                              std::string(TOVALIN_PROGRAM) + "'";
        for (const std::string& argument : arguments) command += " '" + argument + "'";
        command += " >" + output + " 2>.err";
        const int status = std::system(command.c_str());
        Outcome outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.read(".out"),
                        folder.read(".err")};
        std::remove(folder.path(".out").c_str());
        std::remove(folder.path(".err").c_str());
        return outcome;
    }
};

TEST_F(ProgramTest, CheckValidatesWhereADtdIsNamed) {
    folder.write("r.dtd", dtd);
    folder.write("good.xml", valid);
    folder.write("bad.xml", "<!DOCTYPE r SYSTEM \"r.dtd\">\n<r>\n<w/>\n<w/>\n</r>\n");
    folder.write("plain.xml", "<r><w/></r>");
    EXPECT_EQ(run({"check", "good.xml", "plain.xml"}).out, "2 files checked, no problems\n");
    EXPECT_EQ(run({"check", "nope.xml", "good.xml"}).out,
              "nope.xml: no such file or folder\n2 files checked, 1 with problems\n");
    const Outcome bad = run({"check", "bad.xml"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out.substr(0, 12), "bad.xml:3:3:");
    EXPECT_EQ(bad.out.substr(bad.out.find("\n1 file")), "\n1 file checked, 1 with problems\n");
    EXPECT_EQ(std::count(bad.out.begin(), bad.out.end(), '\n'), 4);
    EXPECT_EQ(run({"check", "bad.xml", "--no-validate"}).status, 0);
    // Validation demanded of a file without a DTD: one problem, where the first element starts.
    EXPECT_EQ(run({"check", "plain.xml", "--validate"}).out,
              "plain.xml:1:3: no DTD is named, so the file cannot be validated\n"
              "1 file checked, 1 with problems\n");
    EXPECT_EQ(folder.files(), (std::set<std::string>{"bad.xml", "good.xml", "plain.xml", "r.dtd"}));
}

// Without validation an unreadable DTD is a warning, unless the file uses an entity only the
// DTD could have declared.
TEST_F(ProgramTest, WithoutValidationAnUnreadableDtdIsAWarning) {
    folder.write("lost.xml", "<!DOCTYPE r SYSTEM \"gone.dtd\">\n<r><v>one</v></r>\n");
    const std::string warning =
        "lost.xml:1:31: warning: the DTD cannot be read, so the file was read without it\n";
    EXPECT_EQ(run({"check", "lost.xml", "--no-validate"}).out,
              warning + "1 file checked, no problems\n");
    EXPECT_EQ(run({"check", "lost.xml", "--no-validate", "--json"}).out,
              "{\"file\":\"lost.xml\",\"line\":1,\"column\":31,\"message\":\"the DTD cannot be "
              "read, so the file was read without it\",\"severity\":\"warning\"}\n");
    const Outcome got = run({"get", "lost.xml", "v"});
    EXPECT_EQ(got.out, "one\n");
    EXPECT_EQ(got.err, "tovalin: " + warning);
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(run({"check", "lost.xml"}).status, 1);

    folder.write("uses.xml", "<!DOCTYPE r SYSTEM \"gone.dtd\">\n<r><v>&e;</v></r>\n");
    const Outcome uses = run({"check", "uses.xml", "--no-validate"});
    EXPECT_EQ(uses.status, 1);
    EXPECT_EQ(uses.out.substr(0, 14), "uses.xml:2:10:") << uses.out;
    EXPECT_NE(uses.out.find("'e'"), std::string::npos) << uses.out;
    EXPECT_EQ(run({"get", "uses.xml", "v"}).status, 1);
}

// A folder of many files, checked on more threads than cores: each file's problems as it
// has them alone, in the order of the files; no progress bar off a terminal.
TEST_F(ProgramTest, CheckGoesThroughFoldersInTheOrderOfTheFiles) {
    const std::string typed = "<!DOCTYPE r SYSTEM \"" + folder.path("r.dtd") + "\">\n";
    folder.write("r.dtd", dtd);
    folder.folder("d/sub");
    folder.write("d/notes.txt", "<");
    std::vector<std::string> broken, odd;
    for (int i = 0; i < 2000; ++i) {
        const std::string name = (i % 2 ? "d/sub/" : "d/") + std::to_string(10000 + i) + ".xml";
        const bool breaks = i % 397 == 5;
        folder.write(name, breaks ? (i % 2 ? "<r><v>x</r>" : typed + "<r><w/></r>")
                                  : (i % 3 ? typed + "<r><v>a</v></r>" : "<r/>"));
        if (breaks) (i % 2 ? odd : broken).push_back(name);
    }
    broken.push_back("d/NOTE.XML");
    folder.write(broken.back(), "<r>");
    broken.insert(broken.end(), odd.begin(), odd.end());
    std::string alone;
    for (const std::string& name : broken) {
        const std::string out = run({"check", name}).out;
        alone += out.substr(0, out.find("1 file checked"));
    }
    const Outcome all = run({"check", "d", "--jobs", "3"});
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.out,
              alone + "2001 files checked, " + std::to_string(broken.size()) + " with problems\n");
    EXPECT_EQ(all.err, "");
}

// SIGINT or SIGTERM stops a check of many large files while loads are under way: the program
// says how far it got, leaves nothing in the folder, and ends by that signal (status 130 or 143
// in a shell). The test gives up after a minute rather than hang.
TEST_F(ProgramTest, CheckStopsWhenAskedAndLeavesNothing) {
    folder.write("big.xml", "<r>" + std::string(std::size_t{16} << 20, 'a') + "</r>");
    const std::string out = folder.path(".out");
    for (const int signal : {SIGINT, SIGTERM}) {
        std::vector<std::string> words = {TOVALIN_PROGRAM, "check", "--jobs", "2"};
        words.insert(words.end(), 200, folder.path("big.xml"));
        std::vector<char*> arguments;
        for (std::string& word : words) arguments.push_back(word.data());
        arguments.push_back(nullptr);
        posix_spawn_file_actions_t redirect;
        posix_spawn_file_actions_init(&redirect);
        posix_spawn_file_actions_addopen(&redirect, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        pid_t child = 0;
        ASSERT_EQ(
            posix_spawn(&child, TOVALIN_PROGRAM, &redirect, nullptr, arguments.data(), environ), 0);
        posix_spawn_file_actions_destroy(&redirect);
        usleep(500000);
        kill(child, signal);
        int status = 0;
        for (int waited = 0; waitpid(child, &status, WNOHANG) == 0; ++waited) {
            if (waited == 600) kill(child, SIGKILL);
            usleep(100000);
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_NE(folder.read(".out").find("interrupted after "), std::string::npos);
        std::remove(out.c_str());
        EXPECT_EQ(folder.files(), std::set<std::string>{"big.xml"});
    }
}

// One object per problem, in ASCII whatever the code page, that a JSON reader takes.
TEST_F(ProgramTest, CheckWritesJson) {
    folder.folder("d");
    folder.write("d/\"\\.xml", "<r><v>x</r>");
    // In Shift_JIS, with a backslash for the second byte of the character.
    folder.write("d/\x95\x5C.xml", "<!DOCTYPE r [<!ELEMENT r EMPTY>]><r>x</r>");
    const Outcome json = run({"check", "d", "--json"}, "ja_JP.SJIS", ".json");
    EXPECT_EQ(json.status, 1);
    const std::string decode = "cd '" + folder.path("") +
                               "' && python3 -c 'import json, sys\nfor line in sys.stdin: o = "
                               "json.loads(line); print(o[\"file\"], o[\"line\"], o[\"column\"], "
                               "o[\"severity\"], len(o))' <.json >.out";
    EXPECT_EQ(std::system(decode.c_str()), 0);
    EXPECT_EQ(folder.read(".out"), "d/\"\\.xml 1 10 fatal 5\nd/\xE8\xA1\xA8.xml 1 38 error 5\n");
}

TEST_F(ProgramTest, GetReadsOneOrEveryValueInTheTerminalsCodePage) {
    folder.write("a.xml", withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
                                   "<r><v k=\"\x87\x40\">\x81\x60\x87\x40</v>"
                                   "<v j=\"\">t<![CDATA[<w>]]>o</v></r>\n"));
    EXPECT_EQ(run({"get", "a.xml", "v"}).out, "\xEF\xBD\x9E\xE2\x91\xA0\n");
    // An attribute of the elements read, empty where one has none; an error when none has it.
    const std::vector<std::tuple<std::vector<std::string>, std::string, int>> attributes = {
        {{"k"}, "\xE2\x91\xA0\n", 0},
        {{"j", "--all"}, "\n\n", 0},
        {{"j"}, "", 1},
        {{"x", "--all"}, "", 1},
        {{"j", "--all", "--where"}, "a.xml:2:13: \na.xml:2:27: \n", 0}};
    for (const auto& [words, out, status] : attributes) {
        std::vector<std::string> command = {"get", "a.xml", "v", "--attribute"};
        command.insert(command.end(), words.begin(), words.end());
        const Outcome read = run(command);
        EXPECT_EQ(read.out, out) << words[0];
        EXPECT_EQ(read.status, status) << words[0];
    }
    EXPECT_EQ(run({"get", "a.xml", "v"}, "ja_JP.SJIS").out, "\x81\x60\x87\x40\n");
    // Text and CDATA sections together.
    EXPECT_EQ(run({"get", "a.xml", "v", "--all"}).out, "\xEF\xBD\x9E\xE2\x91\xA0\nt<w>o\n");
    EXPECT_EQ(run({"get", "a.xml", "v", "--where"}).out, "a.xml:2:13: \xEF\xBD\x9E\xE2\x91\xA0\n");
    // An element from an external entity is where the entity's file has it.
    folder.write("chapter.xml", "\n<v>three</v>");
    folder.write("book.xml",
                 "<!DOCTYPE r [<!ENTITY c SYSTEM \"chapter.xml\">]>\n<r><v>1</v>&c;</r>");
    EXPECT_EQ(run({"get", "book.xml", "v", "--all", "--where"}).out,
              "book.xml:2:7: 1\nchapter.xml:2:4: three\n");

    const Outcome missingTag = run({"get", "a.xml", "w"});
    EXPECT_EQ(missingTag.status, 1);
    EXPECT_EQ(missingTag.err, "tovalin: a.xml: no element named w\n");
    const Outcome missingFile = run({"get", "none.xml", "v"});
    EXPECT_EQ(missingFile.status, 1);
    EXPECT_EQ(std::count(missingFile.err.begin(), missingFile.err.end(), '\n'), 1);
}

TEST_F(ProgramTest, SetKeepsUtf16AndUtf8AndWritesOtherFilesAsShiftJis) {
    // With a byte-order mark, and without one in either byte order.
    const std::string declared = "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r><v>a</v></r>";
    const std::string bigEndian = '\0' + asUtf16(declared).substr(2, 2 * declared.size() - 1);
    for (const std::string& u16 :
         {asUtf16("<r><v>a</v></r>"), asUtf16(declared).substr(2), bigEndian}) {
        folder.write("u16.xml", u16);
        const Outcome kept = run({"set", "u16.xml", "v", "b"});
        EXPECT_EQ(kept.status, 0) << kept.err;
        EXPECT_EQ(kept.err, "");
        EXPECT_EQ(folder.read("u16.xml").substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(run({"get", "u16.xml", "v"}).out, "b\n");
    }
    // set keeps the file's layout unless --layout fixed lays it out anew.
    EXPECT_EQ(folder.read("u16.xml"),
              asUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?><r><v>b</v></r>"));
    folder.write("u8.xml", "<r><v>a</v></r>");
    EXPECT_EQ(run({"set", "u8.xml", "v", "\xE5\xA4\xA7"}).err, "");
    EXPECT_EQ(folder.read("u8.xml"), "<r><v>\xE5\xA4\xA7</v></r>");
    EXPECT_EQ(run({"set", "u8.xml", "v", "\xE5\xA4\xA7", "--layout", "fixed"}).err, "");
    EXPECT_EQ(folder.read("u8.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n<v>\xE5\xA4\xA7</v>\n</r>\n");
    EXPECT_EQ(run({"set", "u8.xml", "v", "a", "--layout", "kept"}).status, 2);
    const std::string latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r><v>a</v></r>";
    folder.write("latin.xml", latin);
    const Outcome changed = run({"set", "latin.xml", "v", "\xE5\xA4\xA7", "--output", "out.xml"});
    EXPECT_EQ(changed.err, "note: latin.xml was ISO-8859-1; it is written as Shift_JIS\n");
    EXPECT_EQ(folder.read("latin.xml"), latin);
    EXPECT_EQ(folder.read("out.xml"),
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><r><v>\x91\xE5</v></r>");

    EXPECT_EQ(run({"set", "out.xml", "v", "c", "--add", "--encoding", "utf-16"}).status, 0);
    EXPECT_EQ(run({"get", "out.xml", "v", "--all"}).out, "\xE5\xA4\xA7\nc\n");
    EXPECT_EQ(run({"set", "out.xml", "v", "--list", "x", "y", "z"}).status, 0);
    EXPECT_EQ(folder.read("out.xml").substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(run({"get", "out.xml", "v", "--all"}).out, "x\ny\nz\n");
}

TEST_F(ProgramTest, FailedSetLeavesTheFileAsItWas) {
    const std::string earlier =
        withCrLf("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<r><v>a</v></r>\n");
    folder.write("a.xml", earlier);
    const Outcome yen = run({"set", "a.xml", "v", "\xC2\xA5"});
    EXPECT_EQ(yen.status, 1);
    EXPECT_EQ(std::count(yen.err.begin(), yen.err.end(), '\n'), 1);
    EXPECT_EQ(yen.err.find("tovalin: a.xml: not written as Shift_JIS: "), 0u) << yen.err;
    EXPECT_NE(yen.err.find("U+00A5"), std::string::npos) << yen.err;
    EXPECT_EQ(run({"set", "a.xml", "w", "b"}).status, 1);
    EXPECT_EQ(folder.read("a.xml"), earlier);
    // A change that breaks the DTD is refused unless forced; one that keeps to it is written.
    folder.write("two.dtd", "<!ELEMENT r (v, v?)>\n<!ELEMENT v (#PCDATA)>\n");
    folder.write("two.xml", "<!DOCTYPE r SYSTEM \"two.dtd\">\n<r><v>a</v></r>\n");
    EXPECT_EQ(run({"set", "two.xml", "v", "b", "--add"}).status, 0);
    const Outcome refused = run({"set", "two.xml", "v", "c", "--add"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err.find("tovalin: two.xml: not written, since the change breaks its DTD"),
              0u);
    EXPECT_EQ(run({"set", "two.xml", "v", "d", "--add", "--force"}).status, 0);
    EXPECT_EQ(run({"get", "two.xml", "v", "--all"}).out, "a\nb\nd\n");
    EXPECT_EQ(folder.files(), (std::set<std::string>{"a.xml", "two.dtd", "two.xml"}));
}

// Texts that are not text in the terminal's code page, values that look like options, and an
// output that cannot be written: one line on standard error, exit 1, no file changed.
TEST_F(ProgramTest, AwkwardArgumentsAndOutputsFailCleanly) {
    const std::string earlier = "<r><v>a</v></r>";
    folder.write("a.xml", earlier);
    const std::vector<std::vector<std::string>> foreign = {
        {"set", "a.xml", "\x81", "x"},
        {"set", "a.xml", "v", "\x81\xFF"},
        {"convert", "a.xml", "b.xml", "--encoding", "utf-16", "--stylesheet", "\x81"},
        {"convert", "a.xml", "b.xml", "--encoding", "utf-16", "--dtd", "\x81"},
        {"convert", "a.xml", "b.xml", "--encoding", "utf-16", "--stylesheet", "a?>b"},
        {"convert", "a.xml", "b.xml", "--encoding", "utf-16", "--dtd", ""}};
    for (const char* locale : {"ja_JP.SJIS", "ja_JP.UTF-8", "C"}) {
        for (const std::vector<std::string>& words : foreign) {
            const Outcome refused = run(words, locale);
            EXPECT_EQ(refused.status, 1) << locale << ' ' << words[2];
            EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
        }
    }
    EXPECT_EQ(folder.read("a.xml"), earlier);
    EXPECT_EQ(folder.files(), std::set<std::string>{"a.xml"});

    EXPECT_EQ(run({"set", "a.xml", "v", "--", "--x"}).status, 0);
    EXPECT_EQ(run({"get", "--", "a.xml", "v"}).out, "--x\n");
    const Outcome full = run({"get", "a.xml", "v"}, "C.UTF-8", "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "tovalin: standard output cannot be written\n");
}

TEST_F(ProgramTest, ConvertAddsStylesheetAndDtd) {
    folder.write("in.xml", "<r><v>a</v><w><v>b</v></w></r>");
    EXPECT_EQ(run({"convert", "in.xml", "out.xml", "--encoding", "UTF-16", "--stylesheet", "s.xsl",
                   "--dtd", "r.dtd"})
                  .status,
              0);
    EXPECT_EQ(folder.read("out.xml"),
              asUtf16("<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?>\n"
                      "<!DOCTYPE r SYSTEM \"r.dtd\">\n<r>\n<v>a</v>\n<w>\n<v>b</v>\n</w>\n</r>\n"));
    EXPECT_EQ(run({"convert", "in.xml", "out.xml", "--encoding", "utf-8", "--indent", "2"}).status,
              0);
    EXPECT_EQ(folder.read("out.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<r>\n  <v>a</v>\n  <w>\n    <v>b</v>\n  </w>\n</r>\n");
}

TEST_F(ProgramTest, HugeLiftsTheLoadLimitsAndLocalOnlyKeepsEntitiesInTheFolder) {
    std::string references;
    for (int i = 0; i < 3000; ++i) references += "&a;";
    folder.write("big.xml", "<!DOCTYPE r [<!ENTITY a \"" + std::string(1000, 'a') + "\">]><r><v>" +
                                references + "</v></r>");
    const Outcome refused = run({"check", "big.xml", "--no-validate"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("\xE6\x96\x87\xE6\x9B\xB8\xE3\x82\x92\xE5\xB1\x95\xE9\x96\x8B"),
              std::string::npos);
    EXPECT_EQ(run({"get", "big.xml", "v", "--huge"}).out.size(), 3000001u);

    folder.write("outside.txt", "out");
    folder.folder("in");
    folder.write("in/r.xml",
                 "<!DOCTYPE r [<!ENTITY o SYSTEM \"../outside.txt\">]><r><v>&o;</v></r>");
    EXPECT_EQ(run({"get", "in/r.xml", "v"}).out, "out\n");
    EXPECT_EQ(run({"get", "in/r.xml", "v", "--local-only"}).status, 1);
}

TEST_F(ProgramTest, TsvShowsRowsOrOneValue) {
    folder.write("t.tsv", "a\tb\r\nc\r\n");
    EXPECT_EQ(run({"tsv", "t.tsv"}).out, "2 rows, 2 columns\na | b\nc\n");
    EXPECT_EQ(run({"tsv", "t.tsv", "1", "2"}).out, "b\n");
    // A cell the text does not hold is refused, not read on into the next row.
    EXPECT_EQ(run({"tsv", "t.tsv", "2", "2"}).err,
              "tovalin: t.tsv: row 2 has no column 2 (its last is column 1)\n");
    EXPECT_EQ(run({"tsv", "t.tsv", "3", "1"}).status, 1);
    folder.write("one.tsv", "a\n");
    EXPECT_EQ(run({"tsv", "one.tsv"}).out, "1 row, 1 column\na\n");
    folder.write("blank.tsv", "\nx");
    EXPECT_EQ(run({"tsv", "blank.tsv"}).status, 1);
    // Rows that begin with empty values.
    folder.write("t.tsv", "\tb\n\t\tc\n");
    EXPECT_EQ(run({"tsv", "t.tsv"}).out, "2 rows, 3 columns\n | b\n |  | c\n");
    EXPECT_EQ(run({"tsv", "t.tsv", "2", "2"}).out, "\n");
    EXPECT_EQ(run({"tsv", "t.tsv", "2", "3"}).out, "c\n");
}

// "① ～" stored in each encoding, shown in the terminal's code page.
TEST_F(ProgramTest, TsvReadsTheEncodingGiven) {
    const std::string sjis = "\x87\x40\t\x81\x60\n", utf8 = "\xE2\x91\xA0\t\xEF\xBD\x9E\n";
    const std::vector<std::pair<std::string, std::string>> stored = {
        {"shift_jis", sjis},
        {"UTF-8", "\xEF\xBB\xBF" + utf8},
        {"utf-16", "\xFF\xFE\x60\x24\t\0\x5E\xFF\n\0"s},
        {"utf-16", "\xFE\xFF\x24\x60\0\t\xFF\x5E\0\n"s}};
    for (const auto& [encoding, bytes] : stored) {
        folder.write("t.tsv", bytes);
        EXPECT_EQ(run({"tsv", "t.tsv", "--encoding", encoding}).out,
                  "1 row, 2 columns\n\xE2\x91\xA0 | \xEF\xBD\x9E\n")
            << encoding;
        EXPECT_EQ(run({"tsv", "t.tsv", "1", "2", "--encoding", encoding}, "ja_JP.SJIS").out,
                  "\x81\x60\n");
    }
    folder.write("t.tsv", sjis);
    EXPECT_EQ(run({"tsv", "t.tsv", "--encoding", "utf-8"}).err, "tovalin: t.tsv: not UTF-8 text\n");
    // Without an encoding the text must be in the terminal's code page, to its last byte.
    const Outcome foreign = run({"tsv", "t.tsv"});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_EQ(foreign.out, "");
    EXPECT_EQ(foreign.err,
              "tovalin: t.tsv: not text in the terminal's code page; "
              "name the file's encoding, for instance --encoding shift_jis\n");
    EXPECT_EQ(run({"tsv", "t.tsv", "1", "2"}, "ja_JP.SJIS").out, "\x81\x60\n");
    for (const auto& [encoding, cut] : std::vector<std::pair<std::string, std::string>>{
             {"shift_jis", "a\t\x81"}, {"utf-8", "a\t\xE2\x91"}}) {
        folder.write("t.tsv", cut);
        EXPECT_EQ(run({"tsv", "t.tsv", "--encoding", encoding}).status, 1) << encoding;
        EXPECT_EQ(run({"tsv", "t.tsv"}, encoding == "utf-8" ? "C.UTF-8" : "ja_JP.SJIS").status, 1)
            << encoding;
    }
}

TEST_F(ProgramTest, UsageErrorsExitWithTwoAndHelpWithZero) {
    for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"get", "a.xml"},
             {"check", "a.xml", "--bogus"},
             {"set", "a.xml", "v", "x", "--output"},
             {"convert", "a", "b", "--encoding", "latin1"},
             {"convert", "a", "b", "--encoding", "utf-8", "--indent", "17"},
             {"set", "a.xml", "v", "x", "--indent", "-1"},
             {"tsv", "t.tsv", "0", "1"}}) {
        EXPECT_EQ(run(wrong).status, 2) << (wrong.empty() ? "" : wrong[0]);
    }
    for (const char* command : {"--help", "check", "get", "set", "convert", "tsv"}) {
        const Outcome help = run({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.substr(0, 14), "usage: tovalin") << command;
    }
}

// Japanese under a Japanese locale, in its code page; English under any other.
TEST_F(ProgramTest, SpeaksTheLanguageOfTheLocale) {
    const std::string english = "usage:", utf8 = "\xE4\xBD\xBF\xE3\x81\x84\xE6\x96\xB9:",
                      sjis = "\x8E\x67\x82\xA2\x95\xFB:";
    const std::vector<std::pair<const char*, std::string>> locales = {
        {"ja_JP.UTF-8", utf8},
        {"ja_JP.SJIS", sjis},
        {"C", english},
        {" LANG=ja_JP.UTF-8", utf8},
        {"C.UTF-8 LANG=ja_JP.UTF-8", english},
        {" LANG=C LC_MESSAGES=ja_JP.SJIS", utf8}};
    for (const auto& [locale, usage] : locales) {
        EXPECT_EQ(run({"--help"}, locale).out.substr(0, usage.size()), usage) << locale;
        const std::string error = run({"frobnicate"}, locale).err;
        EXPECT_EQ(error.substr(0, 20),
                  usage == english ? "tovalin: unknown com" : "tovalin: frobnicate ")
            << locale;
    }
    // The parser's own messages too.
    folder.write("bad.xml", "<r></s>");
    EXPECT_EQ(run({"get", "bad.xml", "r"}, "ja_JP.UTF-8").err,
              "tovalin: bad.xml:1:6: \xE7\xB5\x82\xE4\xBA\x86\xE3\x82\xBF\xE3\x82\xB0\xE3\x81\x8C"
              "\xE9\x96\x8B\xE5\xA7\x8B\xE3\x82\xBF\xE3\x82\xB0 'r' "
              "\xE3\x81\xA8\xE4\xB8\x80\xE8\x87\xB4\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93"
              "\xE3\x80\x82\n");
    EXPECT_EQ(run({"get", "bad.xml", "r"}).err, "tovalin: bad.xml:1:6: expected end of tag 'r'\n");
}

}  // namespace
