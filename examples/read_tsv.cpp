// Reads a tab-separated table: its size, one value by row and column, and a walk over the
// values of a row by position.
//   read_tsv FILE
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "tovalin/string_tokenizer.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: read_tsv FILE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    StringTokenizer table;
    if (!table.analysis(text)) return 1;
    std::cout << table.getRows() << " rows, " << table.getCols() << " columns\n";
    std::cout << "row 2, column 1: " << table.getValue(2, 1) << '\n';
    unsigned int position = table.getRow(1);
    for (int column = 1; column <= table.getCols(); ++column) {
        std::cout << (column > 1 ? " | " : "") << table.getValue(static_cast<int>(position));
        position = table.getNext(position);
    }
    std::cout << '\n';
    return 0;
}
