#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "platform/platform.hpp"

namespace tovalin::platform {

// The ANSI code page, 932 on Japanese systems, as the parser's Windows transcoder names it.
std::string processCodeSet() { return "windows-" + std::to_string(GetACP()); }

// The ANSI code page is fixed for the life of the process.
const char* localeCodeSet() {
    static const std::string name = processCodeSet();
    return name.c_str();
}

}  // namespace tovalin::platform
