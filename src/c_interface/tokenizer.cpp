// Tokenizer handles. The tokenizer works on bytes: its texts pass unconverted.
#include "c_interface/boundary.hpp"

namespace {

using namespace tovalin::c_interface;

StringTokenizer& tokenizerOf(tovalin_tokenizer* handle) { return live(handle).tokenizer; }

template <class Answer, class Value>
tovalin_status answer(tovalin_tokenizer* tokenizer, Answer* out, Value (StringTokenizer::*ask)()) {
    return guarded([&] {
        Answer& given = result(out);
        given = (tokenizerOf(tokenizer).*ask)();
        return TOVALIN_OK;
    });
}

}  // namespace

tovalin_status TOVALIN_CALL tovalin_tokenizer_create(tovalin_tokenizer** tokenizer) {
    return guarded([&] {
        tovalin_tokenizer*& out = result(tokenizer);
        out = registered(std::make_unique<tovalin_tokenizer>());
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_copy(tovalin_tokenizer* tokenizer,
                                                   tovalin_tokenizer** copy) {
    return guarded([&] {
        tovalin_tokenizer*& out = result(copy);
        auto made = std::make_unique<tovalin_tokenizer>();
        made->tokenizer = tokenizerOf(tokenizer);
        out = registered(std::move(made));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_analysis(tovalin_tokenizer* tokenizer,
                                                       const char* text) {
    return guarded([&]() -> tovalin_status {
        StringTokenizer& analyser = tokenizerOf(tokenizer);
        if (text == nullptr) throw Refusal{TOVALIN_E_INVALID_ARGUMENT, "a text is null"};
        if (analyser.analysis(text)) return TOVALIN_OK;
        return failure(TOVALIN_E_FAILED, "an empty text, or one that begins with a line feed");
    });
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_is_analyzed(tovalin_tokenizer* tokenizer,
                                                          int* analyzed) {
    return answer(tokenizer, analyzed, &StringTokenizer::isAnalyzed);
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_get_rows(tovalin_tokenizer* tokenizer, int* rows) {
    return answer(tokenizer, rows, &StringTokenizer::getRows);
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_get_cols(tovalin_tokenizer* tokenizer, int* cols) {
    return answer(tokenizer, cols, &StringTokenizer::getCols);
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_get_row(tovalin_tokenizer* tokenizer, int row,
                                                      unsigned int* position) {
    return guarded([&] {
        unsigned int& out = result(position);
        out = tokenizerOf(tokenizer).getRow(row);
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_get_next(tovalin_tokenizer* tokenizer,
                                                       unsigned int position, unsigned int* next) {
    return guarded([&] {
        unsigned int& out = result(next);
        out = tokenizerOf(tokenizer).getNext(position);
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_get_value_at(tovalin_tokenizer* tokenizer,
                                                           int position, char** value) {
    return guarded([&] {
        char*& out = result(value);
        out = giveBytes(tokenizerOf(tokenizer).getValue(position));
        return TOVALIN_OK;
    });
}

tovalin_status TOVALIN_CALL tovalin_tokenizer_get_value(tovalin_tokenizer* tokenizer, int row,
                                                        int column, char** value) {
    return guarded([&] {
        char*& out = result(value);
        out = giveBytes(tokenizerOf(tokenizer).getValue(row, column));
        return TOVALIN_OK;
    });
}
