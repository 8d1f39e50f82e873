// The tokenizer of the C++ interface over the C interface: tab-separated text by row and
// column, or by byte positions.
#ifndef TOVALIN_OVER_C_STRING_TOKENIZER_HPP
#define TOVALIN_OVER_C_STRING_TOKENIZER_HPP

#include <string>
#include <utility>

#include "tovalin/over_c/calls.hpp"

inline namespace tovalin_over_c {

class StringTokenizer {
  public:
    StringTokenizer() : handle(nullptr) {
        tovalin::over_c::check(tovalin_tokenizer_create(&handle));
    }
    StringTokenizer(const StringTokenizer& other) : handle(nullptr) {
        tovalin::over_c::check(tovalin_tokenizer_copy(other.handle, &handle));
    }
    StringTokenizer& operator=(const StringTokenizer& other) {
        StringTokenizer kept(other);
        std::swap(handle, kept.handle);
        return *this;
    }
    virtual ~StringTokenizer() { tovalin_release(handle); }

    // False for an empty text, for one that begins with a line feed, and for one holding a NUL,
    // which a C text cannot carry; nothing changes then.
    bool analysis(const std::string& text) {
        if (tovalin::over_c::holdsNul(text)) return false;
        return tovalin::over_c::succeeded(tovalin_tokenizer_analysis(handle, text.c_str()));
    }
    bool isAnalyzed() { return answer(tovalin_tokenizer_is_analyzed) != 0; }
    int getRows() { return answer(tovalin_tokenizer_get_rows); }
    int getCols() { return answer(tovalin_tokenizer_get_cols); }

    unsigned int getRow(int row) {
        unsigned int position = 0;
        tovalin::over_c::check(tovalin_tokenizer_get_row(handle, row, &position));
        return position;
    }
    unsigned int getNext(unsigned int position) {
        unsigned int next = 0;
        tovalin::over_c::check(tovalin_tokenizer_get_next(handle, position, &next));
        return next;
    }
    // std::out_of_range for a position past the end of the text.
    std::string getValue(int position) {
        return tovalin::over_c::text(
            [&](char** value) { return tovalin_tokenizer_get_value_at(handle, position, value); });
    }
    // std::logic_error before a successful analysis.
    std::string getValue(int row, int column) {
        return tovalin::over_c::text(
            [&](char** value) { return tovalin_tokenizer_get_value(handle, row, column, value); });
    }

  private:
    int answer(tovalin_status(TOVALIN_CALL* ask)(tovalin_tokenizer*, int*)) {
        int given = 0;
        tovalin::over_c::check(ask(handle, &given));
        return given;
    }

    tovalin_tokenizer* handle;
};

}  // namespace tovalin_over_c

#endif
