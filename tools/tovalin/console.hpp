// What the program asks the system about the console it runs in.
#ifndef TOVALIN_TOOL_CONSOLE_HPP
#define TOVALIN_TOOL_CONSOLE_HPP

#include <string>

#include "commands.hpp"

namespace tool {

// Whether the user reads Japanese: on POSIX the first of LC_ALL, LC_MESSAGES and LANG that is
// set begins with "ja"; on Windows the ANSI code page is 932, the only one that can show it.
bool userReadsJapanese();

// Whether standard error is a terminal, where a progress bar may be drawn.
bool standardErrorIsTerminal();

// The name of the code page the program's texts are in: "932" on Japanese Windows, the
// locale's character set on POSIX.
std::string processCodePage();

// The words the program was started with, after its name, in the process code page. On
// Windows they are read as the system keeps them, in UTF-16, so that no character the code
// page lacks becomes a look-alike: such a word is a usage error naming it, before anything is
// touched.
Words programArguments(int argc, char** argv);

}  // namespace tool

#endif
