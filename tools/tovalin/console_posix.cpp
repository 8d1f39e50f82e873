#include <langinfo.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "console.hpp"

namespace tool {

bool userReadsJapanese() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return std::strncmp(value, "ja", 2) == 0;
    }
    return false;
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

std::string processCodePage() { return nl_langinfo(CODESET); }

// The system hands over the bytes as they were given.
Words programArguments(int argc, char** argv) { return Words(argv + 1, argv + argc); }

}  // namespace tool
