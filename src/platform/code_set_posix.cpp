#include <langinfo.h>

#include <cstring>

#include "platform/platform.hpp"

namespace tovalin::platform {

const char* localeCodeSet() {
    const char* codeSet = nl_langinfo(CODESET);
    return codeSet == nullptr ? "" : codeSet;
}

std::string processCodeSet() {
    const char* codeSet = localeCodeSet();
    // The C and POSIX locales report plain ASCII; the library speaks UTF-8 there.
    if (*codeSet == '\0' || std::strcmp(codeSet, "ANSI_X3.4-1968") == 0) return "UTF-8";
    return codeSet;
}

}  // namespace tovalin::platform
