// Tests pick the process code page explicitly: the library follows LC_CTYPE at each call.
#ifndef TOVALIN_TESTS_SUPPORT_LOCALE_HPP
#define TOVALIN_TESTS_SUPPORT_LOCALE_HPP

#include <clocale>
#include <stdexcept>
#include <string>

namespace testing_support {

inline constexpr const char* shiftJis = "ja_JP.SJIS";
inline constexpr const char* utf8 = "ja_JP.UTF-8";

#ifdef _WIN32
// On Windows the process code page is the system's ANSI code page, which no call changes:
// a test that asks for Shift_JIS stops unless that is code page 932, and no other is given.
class ScopedLocale {
  public:
    explicit ScopedLocale(const char* name);
};
#else
class ScopedLocale {
  public:
    explicit ScopedLocale(const char* name) : previous(std::setlocale(LC_ALL, nullptr)) {
        if (std::setlocale(LC_ALL, name) == nullptr) {
            throw std::runtime_error(std::string("locale missing (run the set-up): ") + name);
        }
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, previous.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

  private:
    std::string previous;
};
#endif

}  // namespace testing_support

#endif
