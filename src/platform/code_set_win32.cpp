#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "platform/platform.hpp"

namespace tovalin::platform {

// The ANSI code page, 932 on Japanese systems, as the parser's Windows transcoder names it.
std::string processCodeSet() { return "windows-" + std::to_string(GetACP()); }

const char* localeCodeSet() {
    thread_local std::string name;
    name = processCodeSet();
    return name.c_str();
}

}  // namespace tovalin::platform
