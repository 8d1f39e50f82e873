// What the program asks the system about the console it runs in.
#ifndef TOVALIN_TOOL_CONSOLE_HPP
#define TOVALIN_TOOL_CONSOLE_HPP

namespace tool {

// Whether the user reads Japanese: on POSIX the first of LC_ALL, LC_MESSAGES and LANG that is
// set begins with "ja"; on Windows the ANSI code page is 932, the only one that can show it.
bool userReadsJapanese();

// Whether standard error is a terminal, where a progress bar may be drawn.
bool standardErrorIsTerminal();

}  // namespace tool

#endif
