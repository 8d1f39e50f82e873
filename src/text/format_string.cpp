#include "text/format_string.hpp"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

namespace tovalin {

std::string formatString(const char* format, ...) {
    std::vector<char> buffer(64 + 1);
    for (;;) {
        const std::size_t limit = buffer.size() - 1;
        va_list arguments;
        va_start(arguments, format);
        const int needed = std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
        va_end(arguments);
        if (needed < 0) throw std::bad_alloc();
        if (static_cast<std::size_t>(needed) <= limit) return std::string(buffer.data(), needed);
        buffer.resize(static_cast<std::size_t>(needed) + 1);
    }
}

}  // namespace tovalin
