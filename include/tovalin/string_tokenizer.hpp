/// \file
/// StringTokenizer, the reader of tab-separated text.
/// With TOVALIN_OVER_C defined, the classes compiled over the C interface stand in.
#ifdef TOVALIN_OVER_C
#include "tovalin/over_c/tovalin.hpp"
#endif
#ifndef TOVALIN_STRING_TOKENIZER_HPP
#define TOVALIN_STRING_TOKENIZER_HPP

#include <string>
#include <vector>

#include "tovalin/export.hpp"

/// Tab-separated text: rows end with a line feed, values within a row are separated by tabs.
/// Values are read by row and column, or by walking byte positions in the text. The text is
/// taken as bytes in the process code page and values come back as the same bytes: tab and
/// line feed never occur inside a Shift_JIS or UTF-8 character, so no character is split,
/// and nothing is converted or checked.
class TOVALIN_API StringTokenizer {
  public:
    /// A tokenizer without a text.
    StringTokenizer();
    /// Copies the text and its analysis.
    StringTokenizer(const StringTokenizer& other);
    /// Copies the other's text and analysis.
    StringTokenizer& operator=(const StringTokenizer& other);
    /// Drops the text.
    virtual ~StringTokenizer();

    /// Keeps the text and counts its rows up to the first empty one. False for an empty text
    /// (nothing changes) and for a text that begins with a line feed (kept, not analysed).
    bool analysis(const std::string& text);
    /// Whether the text held has been analysed.
    bool isAnalyzed();
    /// The number of rows up to the first empty one; 0 before an analysis.
    int getRows();
    /// The largest number of values in a counted row.
    int getCols();

    /// The position of the first value of a row (from 1). A row past the last line feed of
    /// the text gives the end of the text, where the value is empty. A later row that begins
    /// with an empty value is denoted by the line feed before it.
    unsigned int getRow(int row);
    /// The position of the value after the one at the position; a line feed separates values
    /// as a tab does. After the last value of the text it gives the end of the text. A value
    /// that holds bytes is denoted by its first byte, an empty one by the delimiter before it;
    /// the tabs that begin a text are walked one by one from 0, which stands for the first two
    /// values. Where a row that begins with a tab follows an empty row, or a first row of tabs
    /// only, the line feed between them stands for a value of each row, and the walk takes it
    /// as the later row's first; getValue by row and column has no such case.
    unsigned int getNext(unsigned int position);
    /// The value at a position, without the CR of a CR LF row end; std::out_of_range for a
    /// position past the end of the text.
    std::string getValue(int position);
    /// The value by row and column (from 1); a column past the row's last value reads on
    /// into the next row. Throws std::exception before a successful analysis.
    std::string getValue(int row, int column);

  private:
    std::string::size_type nextPosition(std::string::size_type position) const;
    std::string valueAt(std::string::size_type position) const;
    // The first tab or line feed at or after the position, or the end of the text.
    std::string::size_type endOfValue(std::string::size_type position) const;
    void indexRows();

    std::string columnDelimiter;
    std::string rowDelimiter;
    bool analyzed;
    int cols;
    int rows;
    std::string text;
    int crlf;
    // Where each row of the whole text begins: 0, and every byte after a line feed.
    std::vector<std::string::size_type> rowStarts;
};

#endif
