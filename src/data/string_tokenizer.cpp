#include "tovalin/string_tokenizer.hpp"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace {

using size_type = std::string::size_type;

}  // namespace

StringTokenizer::StringTokenizer()
    : columnDelimiter("\t"), rowDelimiter("\n"), analyzed(false), cols(0), rows(0), crlf(0) {}

StringTokenizer::StringTokenizer(const StringTokenizer& other) = default;

StringTokenizer& StringTokenizer::operator=(const StringTokenizer& other) = default;

StringTokenizer::~StringTokenizer() = default;

bool StringTokenizer::analysis(const std::string& newText) {
    if (newText.empty()) return false;
    text = newText;
    analyzed = false;
    cols = rows = crlf = 0;
    rowStarts.clear();
    try {
        indexRows();
        const size_type firstRowEnd = text.find(rowDelimiter);
        if (firstRowEnd == 0) return false;
        if (firstRowEnd != std::string::npos && text[firstRowEnd - 1] == '\r') crlf = 1;
        // Rows up to the first empty one, or to the end of the text.
        for (size_type start = 0;; start = rowStarts[static_cast<size_type>(rows)]) {
            const size_type end = std::min(text.find(rowDelimiter, start), text.size());
            if (end == start) break;
            ++rows;
            const auto tabs =
                std::count(text.begin() + static_cast<std::ptrdiff_t>(start),
                           text.begin() + static_cast<std::ptrdiff_t>(end), columnDelimiter[0]);
            cols = std::max(cols, static_cast<int>(tabs) + 1);
            if (end == text.size()) break;
        }
        analyzed = true;
        return true;
    } catch (...) {
        return false;
    }
}

void StringTokenizer::indexRows() {
    rowStarts.push_back(0);
    for (size_type end = text.find(rowDelimiter); end != std::string::npos;
         end = text.find(rowDelimiter, end + 1)) {
        rowStarts.push_back(end + 1);
    }
}

bool StringTokenizer::isAnalyzed() { return analyzed; }

int StringTokenizer::getRows() { return rows; }

int StringTokenizer::getCols() { return cols; }

unsigned int StringTokenizer::getRow(int row) {
    if (row <= 1) return 0;
    const auto index = static_cast<size_type>(row - 1);
    if (index >= rowStarts.size()) return static_cast<unsigned int>(text.size());
    const size_type start = rowStarts[index];
    // A row that begins with an empty value is denoted by the line feed before it.
    if (start < text.size() && text[start] == columnDelimiter[0])
        return static_cast<unsigned int>(start - 1);
    return static_cast<unsigned int>(start);
}

unsigned int StringTokenizer::getNext(unsigned int position) {
    return static_cast<unsigned int>(nextPosition(position));
}

size_type StringTokenizer::nextPosition(size_type position) const {
    const auto isDelimiter = [&](size_type at) {
        return at < text.size() && (text[at] == columnDelimiter[0] || text[at] == rowDelimiter[0]);
    };
    if (position == 0 && isDelimiter(0)) return 1;
    if (position >= text.size()) return text.size();
    // Position 0 stands for the first two values of a text that begins with a tab, so each
    // later tab of that first run ends an empty value; and a delimiter followed by a value
    // that holds bytes can only end an empty value. Either way the next value is one on.
    const bool endsEmptyValue =
        isDelimiter(position) &&
        (text.find_first_not_of(columnDelimiter) > position ||
         (position + 1 < text.size() && !isDelimiter(position + 1)));
    if (endsEmptyValue) return position + 1;
    const size_type end = endOfValue(position + 1);
    if (end == text.size()) return end;
    if (isDelimiter(end + 1) || end + 1 == text.size()) return end;
    return end + 1;
}

size_type StringTokenizer::endOfValue(size_type position) const {
    size_type end = position;
    while (end < text.size() && text[end] != columnDelimiter[0] && text[end] != rowDelimiter[0])
        ++end;
    return end;
}

std::string StringTokenizer::getValue(int position) {
    return valueAt(static_cast<size_type>(static_cast<unsigned int>(position)));
}

std::string StringTokenizer::valueAt(size_type position) const {
    if (position > text.size()) throw std::out_of_range("position past the end of the text");
    size_type end = endOfValue(position);
    // Only a CR that is there is dropped: a row of mixed text may end with a bare line feed.
    const bool rowEnd = end < text.size() && text[end] == rowDelimiter[0];
    if (rowEnd && crlf == 1 && end > position && text[end - 1] == '\r') --end;
    return text.substr(position, end - position);
}

std::string StringTokenizer::getValue(int row, int column) {
    if (!analyzed) throw std::exception();
    // Counted over the delimiters from the row's first byte: a position may stand for two
    // values where empty ones start the text, so a walk over positions could lose one.
    const auto index = static_cast<size_type>(std::max(row, 1) - 1);
    size_type start = index < rowStarts.size() ? rowStarts[index] : text.size();
    for (int i = 1; i < column && start < text.size(); ++i) start = endOfValue(start) + 1;
    return valueAt(std::min(start, text.size()));
}
