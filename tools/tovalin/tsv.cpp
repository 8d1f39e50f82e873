#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "command_line.hpp"
#include "commands.hpp"
#include "language.hpp"
#include "text_file.hpp"
#include "tovalin/string_tokenizer.hpp"

namespace tool {
namespace {

// The number of values in a counted row (from 1).
int valuesInRow(StringTokenizer& tokenizer, const std::string& text, int row) {
    std::string::size_type start = tokenizer.getRow(row);
    // A later row that begins with an empty value is denoted by the line feed before it.
    if (row > 1 && text[start] == '\n') ++start;
    const std::string::size_type end = std::min(text.find('\n', start), text.size());
    return static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                                       text.begin() + static_cast<std::ptrdiff_t>(end), '\t')) +
           1;
}

// Each counted row with as many values as that row holds.
void printTable(StringTokenizer& tokenizer, const std::string& text) {
    std::cout << sayCount(tokenizer.getRows(), {u"1 row", u"1 行"}, {u"%1 rows", u"%1 行"})
              << say({u", ", u"、"})
              << sayCount(tokenizer.getCols(), {u"1 column", u"1 列"}, {u"%1 columns", u"%1 列"})
              << '\n';
    for (int row = 1; row <= tokenizer.getRows(); ++row) {
        for (int column = 1; column <= valuesInRow(tokenizer, text, row); ++column) {
            std::cout << (column > 1 ? " | " : "") << tokenizer.getValue(row, column);
        }
        std::cout << '\n';
    }
}

// The value at the row and column, which the text must hold.
std::string valueAt(StringTokenizer& tokenizer, const std::string& text, const std::string& file,
                    int row, int column) {
    if (row > tokenizer.getRows()) {
        throw std::runtime_error(
            say({u"%1: there is no row %2 (the last is row %3)",
                 u"%1: %2 行目はありません（最後は %3 行目です）"},
                {file, std::to_string(row), std::to_string(tokenizer.getRows())}));
    }
    const int values = valuesInRow(tokenizer, text, row);
    if (column > values) {
        throw std::runtime_error(
            say({u"%1: row %2 has no column %3 (its last is column %4)",
                 u"%1: %2 行目に %3 列目はありません（この行の最後は %4 列目です）"},
                {file, std::to_string(row), std::to_string(column), std::to_string(values)}));
    }
    return tokenizer.getValue(row, column);
}

}  // namespace

int tsv(const Words& words) {
    const CommandLine line = parseCommandLine(words, {"--encoding"}, {});
    if (line.positional.size() != 1 && line.positional.size() != 3) {
        throw wrongArguments("tsv", "FILE | FILE ROW COL");
    }
    const std::string& file = line.positional[0];
    const bool one = line.positional.size() == 3;
    const int row = one ? positiveNumber(line.positional[1], "ROW") : 0;
    const int column = one ? positiveNumber(line.positional[2], "COL") : 0;
    const std::string text = line.options.count("--encoding") != 0
                                 ? readTextIn(file, line.option("--encoding"))
                                 : readTextInCodePage(file);
    StringTokenizer tokenizer;
    if (!tokenizer.analysis(text)) {
        throw std::runtime_error(
            say({u"%1: no rows (the text is empty or begins with a blank line)",
                 u"%1: 行がありません（空か、空行で始まっています）"},
                {file}));
    }
    if (one) {
        std::cout << valueAt(tokenizer, text, file, row, column) << '\n';
    } else {
        printTable(tokenizer, text);
    }
    return 0;
}

}  // namespace tool
