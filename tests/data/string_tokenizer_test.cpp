#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tovalin/string_tokenizer.hpp"

namespace {

struct Analysed {
    StringTokenizer tokenizer;
    explicit Analysed(const std::string& text) { EXPECT_TRUE(tokenizer.analysis(text)); }
    std::string at(int row, int column) { return tokenizer.getValue(row, column); }
};

// What the exhaustive test below does not read: the counts, and where a walk steps from the
// start over empty values (each at the delimiter before it). A blank line ends the count of
// rows but not the text; in CR LF text a blank line is the row CR, counted as a row.
TEST(StringTokenizer, CountsAndTheStepsOfAWalk) {
    struct Case {
        std::string text;
        int rows, cols;
        std::vector<unsigned int> steps;  // getNext from position 0 on
    };
    const Case cases[] = {
        {"a\tb\nc", 2, 2, {}},
        {"a\t\tb", 1, 3, {1, 3}},
        {"\tx", 1, 2, {1}},
        {"\t\tc\nd\n", 2, 3, {1, 2}},  // as for a text that begins with one tab
        {"a\tb\n\tc\nd\t\n", 3, 2, {}},
        {"a\tb\r\n\tc\r\nd\t\r\n", 3, 2, {}},
        {"a\n\nb", 1, 1, {}},
        {"a\tb", 1, 2, {}},
        {"a\nb\n", 2, 1, {}},
        {"a\r\n\r\nb", 3, 1, {}},
    };
    for (const Case& c : cases) {
        Analysed t(c.text);
        EXPECT_EQ(t.tokenizer.getRows(), c.rows) << testing::PrintToString(c.text);
        EXPECT_EQ(t.tokenizer.getCols(), c.cols) << testing::PrintToString(c.text);
        unsigned int position = 0;
        for (const unsigned int step : c.steps) {
            position = t.tokenizer.getNext(position);
            EXPECT_EQ(position, step) << testing::PrintToString(c.text);
        }
    }
    // The last value of a text without a line end keeps its last byte; so does a row of mixed
    // text that ends with a bare line feed, and a CR before a tab is part of its value.
    Analysed mixed("a\r\nbc\nd\r\te");
    EXPECT_EQ(mixed.at(2, 1), "bc");
    EXPECT_EQ(mixed.at(3, 1), "d\r");
    EXPECT_EQ(mixed.at(3, 2), "e");
    // A row that begins with an empty value begins at its line feed.
    for (const std::string end : {"\n", "\r\n"}) {
        EXPECT_EQ(Analysed("a\tb" + end + "\tc").tokenizer.getRow(2), 2u + end.size());
    }
}

// Every text of up to four rows of one to four values, each value empty or one letter (a
// letter of its own, so that a skipped value shows), read by row and column and walked
// within each row, against a plain split on tab and line feed; in LF and CR LF text.
TEST(StringTokenizer, EveryValueOfEverySmallTextIsTheOneASplitFinds) {
    using Rows = std::vector<std::vector<std::string>>;
    const auto check = [](const Rows& rows, const std::string& end) {
        std::string text;
        std::vector<std::string> split;
        for (const auto& row : rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                if (c > 0) text += '\t';
                text += row[c];
            }
            text += end;
            split.insert(split.end(), row.begin(), row.end());
        }
        StringTokenizer tokenizer;
        if (!tokenizer.analysis(text)) return;  // an LF text that begins with a blank line
        std::size_t first = 0;
        for (std::size_t r = 0; r < rows.size(); first += rows[r++].size()) {
            const int row = static_cast<int>(r + 1);
            for (int column = 1; column <= 4; ++column) {
                const std::size_t index = first + static_cast<std::size_t>(column - 1);
                const std::string expected = index < split.size() ? split[index] : "";
                ASSERT_EQ(tokenizer.getValue(row, column), expected)
                    << testing::PrintToString(text) << " row " << row << " column " << column;
            }
            unsigned int position = tokenizer.getRow(row);
            for (const std::string& value : rows[r]) {
                ASSERT_EQ(tokenizer.getValue(static_cast<int>(position)), value)
                    << testing::PrintToString(text) << " walking row " << row;
                position = tokenizer.getNext(position);
            }
        }
    };
    Rows rows;
    std::function<void(int)> grow = [&](int cell) {
        for (const std::string end : {"\n", "\r\n"}) check(rows, end);
        if (rows.size() == 4) return;
        for (std::size_t columns = 1; columns <= 4; ++columns) {
            for (unsigned empties = 0; empties < (1u << columns); ++empties) {
                std::vector<std::string> row;
                for (std::size_t c = 0; c < columns; ++c) {
                    row.push_back((empties >> c & 1u) ? "" : std::string(1, char('a' + cell + c)));
                }
                rows.push_back(row);
                grow(cell + 4);
                rows.pop_back();
            }
        }
    };
    grow(0);
}

TEST(StringTokenizer, RefusedTextsAndTheUnanalysedState) {
    StringTokenizer tokenizer;
    EXPECT_THROW(tokenizer.getValue(1, 1), std::exception);
    EXPECT_FALSE(tokenizer.analysis("\na"));
    EXPECT_FALSE(tokenizer.isAnalyzed());
    EXPECT_EQ(tokenizer.getRows(), 0);
    EXPECT_THROW(tokenizer.getValue(1, 1), std::exception);

    ASSERT_TRUE(tokenizer.analysis("x\ty"));
    EXPECT_EQ(tokenizer.getRow(2), 3u) << "nothing is left of the text before";
    EXPECT_FALSE(tokenizer.analysis(""));
    EXPECT_TRUE(tokenizer.isAnalyzed());
    EXPECT_EQ(tokenizer.getCols(), 2);

    StringTokenizer copy(tokenizer);
    EXPECT_EQ(copy.getValue(1, 2), "y");
}

TEST(StringTokenizer, NoReadLeavesTheText) {
    Analysed t("a\tb\nc");
    const unsigned int end = 5;
    EXPECT_EQ(t.tokenizer.getRow(3), end);
    EXPECT_EQ(t.tokenizer.getRow(1000), end);
    EXPECT_EQ(t.tokenizer.getNext(4), end);
    EXPECT_EQ(t.tokenizer.getNext(end), end);
    EXPECT_EQ(t.tokenizer.getNext(1000), end);
    EXPECT_EQ(t.tokenizer.getValue(static_cast<int>(end)), "");
    EXPECT_EQ(t.at(2, 7), "");
    EXPECT_EQ(t.at(50, 1), "");
    EXPECT_THROW(t.tokenizer.getValue(6), std::out_of_range);
    EXPECT_THROW(t.tokenizer.getValue(-1), std::out_of_range);

    StringTokenizer fresh;
    EXPECT_EQ(fresh.getRow(2), 0u);
    EXPECT_EQ(fresh.getNext(0), 0u);
    EXPECT_EQ(fresh.getValue(0), "");
}

}  // namespace
