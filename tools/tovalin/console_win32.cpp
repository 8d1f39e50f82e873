#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "console.hpp"

namespace tool {

bool userReadsJapanese() { return GetACP() == 932; }

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace tool
