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

}  // namespace testing_support
