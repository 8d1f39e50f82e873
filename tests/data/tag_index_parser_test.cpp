// Lookups by tag name between random edits made through the library and on the parser's
// nodes answer as a fresh search of the tree does.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/tag_lookup_script.hpp"
#include "support/temp_folder.hpp"

namespace {

TEST(TagIndexTest, LookupsFollowEveryEdit) {
    testing_support::TempFolder folder;
    const std::string reloaded = folder.write("r.xml", "<r><a>v<b/></a><c><a/>w</c><b>x</b></r>");
    std::mt19937 random(7);
    for (int run = 0; run < 300; ++run) {
        std::vector<std::uint8_t> bytes(400);
        for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
        testing_support::TagLookupScript script(bytes.data(), bytes.size(), reloaded);
        EXPECT_EQ(script.run(), "") << "run " << run;
    }
}

}  // namespace
