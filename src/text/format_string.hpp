#ifndef TOVALIN_TEXT_FORMAT_STRING_HPP
#define TOVALIN_TEXT_FORMAT_STRING_HPP

#include <string>

namespace tovalin {

// GCC and Clang check the arguments against the format.
#if defined(__GNUC__)
#define TOVALIN_PRINTF_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define TOVALIN_PRINTF_FORMAT
#endif

// printf-style formatting into a new string of any length; throws std::bad_alloc when the
// text does not fit in memory.
std::string formatString(const char* format, ...) TOVALIN_PRINTF_FORMAT;

}  // namespace tovalin

#endif
