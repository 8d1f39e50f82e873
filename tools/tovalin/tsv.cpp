#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "command_line.hpp"
#include "commands.hpp"
#include "files.hpp"
#include "tovalin/string_tokenizer.hpp"

namespace tool {
namespace {

int number(const std::string& word, const char* what) {
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || value < 1 || value > 1000000000) {
        throw UsageError(std::string(what) + " must be a number from 1, not " + word);
    }
    return static_cast<int>(value);
}

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
        throw UsageError("tsv takes FILE, or FILE ROW COL");
    }
    const std::string& file = line.positional[0];
    const bool one = line.positional.size() == 3;
    const int row = one ? number(line.positional[1], "ROW") : 0;
    const int column = one ? number(line.positional[2], "COL") : 0;
    const std::string text = readFile(file);
    StringTokenizer tokenizer;
    if (!tokenizer.analysis(text)) {
        throw std::runtime_error(file +
                                 ": no rows (the text is empty or begins with a blank line)");
    }
    if (one) {
        std::cout << tokenizer.getValue(row, column) << '\n';
    } else {
        printTable(tokenizer, text);
    }
    return 0;
}

}  // namespace tool
