// The library's trimming rule: every ASCII control byte becomes a space, then the spaces at
// one end go. Bytes from 0x80 up are never touched, so no double-byte character is split.
#ifndef TOVALIN_DATA_TRIM_HPP
#define TOVALIN_DATA_TRIM_HPP

#include <string>

namespace tovalin {

std::string trimLeft(std::string text);
std::string trimRight(std::string text);

}  // namespace tovalin

#endif
