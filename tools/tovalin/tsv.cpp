#include <algorithm>
#include <iostream>
#include <stdexcept>

#include "command_line.hpp"
#include "commands.hpp"
#include "files.hpp"
#include "language.hpp"
#include "tovalin/string_tokenizer.hpp"

namespace tool {
namespace {

// Each counted row with as many values as that row holds.
void printTable(StringTokenizer& tokenizer, const std::string& text) {
    std::cout << tokenizer.getRows() << " rows, " << tokenizer.getCols() << " columns\n";
    std::string::size_type start = 0;
    for (int row = 1; row <= tokenizer.getRows(); ++row) {
        const std::string::size_type end = std::min(text.find('\n', start), text.size());
        const auto columns = std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                                        text.begin() + static_cast<std::ptrdiff_t>(end), '\t') +
                             1;
        for (int column = 1; column <= columns; ++column) {
            std::cout << (column > 1 ? " | " : "") << tokenizer.getValue(row, column);
        }
        std::cout << '\n';
        start = end + 1;
    }
}

}  // namespace

int tsv(const Words& words) {
    const CommandLine line = parseCommandLine(words, {}, {});
    if (line.positional.size() != 1 && line.positional.size() != 3) {
        throw wrongArguments("tsv", "FILE | FILE ROW COL");
    }
    const std::string& file = line.positional[0];
    const bool one = line.positional.size() == 3;
    const int row = one ? positiveNumber(line.positional[1], "ROW") : 0;
    const int column = one ? positiveNumber(line.positional[2], "COL") : 0;
    const std::string text = readFile(file);
    StringTokenizer tokenizer;
    if (!tokenizer.analysis(text)) {
        throw std::runtime_error(
            say({u"%1: no rows (the text is empty or begins with a blank line)",
                 u"%1: 行がありません（空か、空行で始まっています）"},
                {file}));
    }
    if (one) {
        std::cout << tokenizer.getValue(row, column) << '\n';
    } else {
        printTable(tokenizer, text);
    }
    return 0;
}

}  // namespace tool
