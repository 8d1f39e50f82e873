#ifndef TOVALIN_TEXT_FORMAT_STRING_HPP
#define TOVALIN_TEXT_FORMAT_STRING_HPP

#include <string>

namespace tovalin {

// printf-style formatting into a new string of any length; throws std::bad_alloc when the
// text does not fit in memory.
std::string formatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tovalin

#endif
