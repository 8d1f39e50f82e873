// The services of the operating system that the library uses, named for what they do.
// One implementation per platform; nothing outside this folder calls the system directly.
#ifndef TOVALIN_PLATFORM_PLATFORM_HPP
#define TOVALIN_PLATFORM_PLATFORM_HPP

#include <string>

namespace tovalin::platform {

// The name of the process code page, as the parser's transcoding service knows it. On
// POSIX the code set of LC_CTYPE at the time of the call, UTF-8 for the plain C locale.
std::string processCodeSet();

// Whether the parser platform started when the library was attached.
bool libraryStarted();

}  // namespace tovalin::platform

#endif
