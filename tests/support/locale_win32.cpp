#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "support/locale.hpp"

namespace testing_support {

ScopedLocale::ScopedLocale(const char* name) {
    if (std::string(name) != shiftJis || GetACP() != 932) {
        throw std::runtime_error(std::string("the ANSI code page is ") + std::to_string(GetACP()) +
                                 ", not the one for " + name + " (run under LC_ALL=ja_JP.UTF-8)");
    }
}

std::string shiftJisOf(const std::string& utf8) {
    const int length = static_cast<int>(utf8.size());
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(),
                                    length));
    std::string narrow(utf8.size(), '\0');
    BOOL lossy = FALSE;
    narrow.resize(WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()),
                                      narrow.data(), length, nullptr, &lossy));
    if (lossy || (narrow.empty() && !utf8.empty())) {
        throw std::runtime_error("no Shift_JIS: " + utf8);
    }
    return narrow;
}

}  // namespace testing_support
