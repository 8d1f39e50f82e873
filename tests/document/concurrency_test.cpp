// Threads that each hold their own document objects load, edit and save at the same time.
#include <gtest/gtest.h>

#include <atomic>
#include <list>
#include <string>
#include <thread>
#include <vector>

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

}  // namespace
