// Tests pick the process code page explicitly: the library follows LC_CTYPE at each call.
#ifndef TOVALIN_TESTS_SUPPORT_LOCALE_HPP
#define TOVALIN_TESTS_SUPPORT_LOCALE_HPP

#include <clocale>
#include <cstddef>
#include <stdexcept>
#include <string>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace testing_support {

inline constexpr const char* shiftJis = "ja_JP.SJIS";
inline constexpr const char* utf8 = "ja_JP.UTF-8";
// A code page without Japanese characters.
inline constexpr const char* latin1 = "en_US.ISO-8859-1";

// shiftJisOf: the UTF-8 text in Shift_JIS (code page 932); throws when it has no such form.
#ifdef _WIN32
std::string shiftJisOf(const std::string& utf8);

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

inline std::string shiftJisOf(const std::string& utf8) {
    const iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string from = utf8;
    std::string to(utf8.size(), '\0');
    char* in = from.data();
    char* out = to.data();
    std::size_t left = from.size(), room = to.size();
    const std::size_t converted = iconv(converter, &in, &left, &out, &room);
    iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1))
        throw std::runtime_error("no Shift_JIS: " + utf8);
    to.resize(to.size() - room);
    return to;
}
#endif

}  // namespace testing_support

#endif
