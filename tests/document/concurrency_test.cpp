// Threads that each hold their own document objects load, edit and save at the same time, and
// threads or processes that save one file at once never leave it mixed.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <functional>
#include <list>
#include <set>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/temp_folder.hpp"
#include "tovalin/document.hpp"

namespace {

TEST(Concurrency, EightThreadsEditTheirOwnFiles) {
    testing_support::TempFolder folder;
    constexpr int threads = 8;
    constexpr int rounds = 100;
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        const std::string file = folder.write(
            "t" + std::to_string(t) + ".xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r><n>0</n><v>\xE6\x97\xA5</v></r>\n");
        workers.emplace_back([&failures, file] {
            for (int round = 1; round <= rounds; ++round) {
                XcsXmlDOMDocument document;
                std::list<XMLERROR_TYPE> errors;
                const bool done =
                    document.load(file, &errors, false) &&
                    document.getXmlData("n") == std::to_string(round - 1) &&
                    document.setXmlData("n", std::to_string(round), true) &&
                    document.save(file, round % 2 == 0 ? TL_ENCODE_UTF16 : TL_ENCODE_SHIFT_JIS);
                if (!done) ++failures;
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(failures.load(), 0);
    for (int t = 0; t < threads; ++t) {
        XcsXmlDOMDocument document;
        ASSERT_TRUE(document.load(folder.path("t" + std::to_string(t) + ".xml"), false));
        EXPECT_EQ(document.getXmlData("n"), std::to_string(rounds));
    }
    EXPECT_EQ(folder.files().size(), static_cast<std::size_t>(threads));
}

// Two writers save their own large document to one file, again and again, while the test reads
// it: every read finds one writer's whole file, and every save succeeds.
class OneFileTwoWriters : public ::testing::Test {
  protected:
    static constexpr int rounds = 6;
    testing_support::TempFolder folder;
    const std::string shared = folder.path("shared.xml");
    std::array<XcsXmlDOMDocument, 2> writers;
    std::array<std::string, 2> contents;

    void SetUp() override {
        for (int w = 0; w < 2; ++w) {
            writers[w].createDocument("r").getDocumentElement().setAttribute(
                "w", std::string(std::size_t{3} << 20, static_cast<char>('a' + w)));
            const std::string alone = folder.path("alone" + std::to_string(w) + ".xml");
            ASSERT_TRUE(writers[w].save(alone, TL_ENCODE_UTF8));
            contents[w] = testing_support::fileBytes(alone);
        }
        folder.write("shared.xml", contents[0]);
    }

    bool saveAgainAndAgain(int w) {
        bool saved = true;
        for (int round = 0; round < rounds; ++round)
            saved = writers[w].save(shared, TL_ENCODE_UTF8) && saved;
        return saved;
    }

    // Reads the file until the writers are done; the number of reads that found neither file.
    // Windows replaces a file in two steps and holds the new one unshared meanwhile, so there a
    // read may find no file to open for an instant, but never part of one.
    int mixedReads(const std::function<bool()>& writing) {
        int mixed = 0;
        while (writing()) {
            const std::string now = testing_support::fileBytes(shared);
#ifdef _WIN32
            if (now.empty()) continue;
#endif
            if (now != contents[0] && now != contents[1]) ++mixed;
        }
        return mixed;
    }

    void expectOnlyTheFiles() {
        const std::string now = testing_support::fileBytes(shared);
        EXPECT_TRUE(now == contents[0] || now == contents[1]);
        EXPECT_EQ(folder.files(),
                  (std::set<std::string>{"shared.xml", "alone0.xml", "alone1.xml"}));
    }
};

TEST_F(OneFileTwoWriters, ThreadsNeverMix) {
    std::atomic<int> running{2}, failed{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < 2; ++w) {
        threads.emplace_back([&, w] {
            if (!saveAgainAndAgain(w)) ++failed;
            --running;
        });
    }
    EXPECT_EQ(mixedReads([&] { return running.load() > 0; }), 0);
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failed.load(), 0);
    expectOnlyTheFiles();
}

#ifndef _WIN32
TEST_F(OneFileTwoWriters, ProcessesNeverMix) {
    std::array<pid_t, 2> children{};
    std::array<int, 2> statuses{-1, -1};
    for (int w = 0; w < 2; ++w) {
        children[w] = fork();
        if (children[w] == 0) _exit(saveAgainAndAgain(w) ? 0 : 1);
    }
    const auto writing = [&] {
        bool any = false;
        for (int w = 0; w < 2; ++w) {
            if (statuses[w] == -1 && waitpid(children[w], &statuses[w], WNOHANG) == 0) {
                statuses[w] = -1;
                any = true;
            }
        }
        return any;
    };
    EXPECT_EQ(mixedReads(writing), 0);
    for (const int status : statuses) EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    expectOnlyTheFiles();
}

// A file with a second name is written in place, where readers see the write under way; two
// such saves started at one moment take turns, so the file ends as one of them, whole.
TEST_F(OneFileTwoWriters, ProcessesWritingAHardLinkedFileTakeTurns) {
    ASSERT_EQ(link(shared.c_str(), folder.path("other-name.xml").c_str()), 0);
    for (int round = 0; round < 3; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        std::array<pid_t, 2> children{};
        for (int w = 0; w < 2; ++w) {
            children[w] = fork();
            if (children[w] == 0) {
                char go;
                _exit(read(start[0], &go, 1) == 1 && writers[w].save(shared, TL_ENCODE_UTF8) ? 0
                                                                                             : 1);
            }
        }
        ASSERT_EQ(write(start[1], "go", 2), 2);
        close(start[0]);
        close(start[1]);
        for (const pid_t child : children) {
            int status = -1;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const std::string now = testing_support::fileBytes(shared);
        EXPECT_TRUE(now == contents[0] || now == contents[1]) << round;
        EXPECT_EQ(folder.read("other-name.xml"), now);
    }
}
#endif

}  // namespace
