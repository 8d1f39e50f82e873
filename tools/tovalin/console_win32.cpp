#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "code_page_text.hpp"
#include "command_line.hpp"
#include "console.hpp"
#include "language.hpp"

namespace tool {

bool userReadsJapanese() { return GetACP() == 932; }

bool standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

std::string processCodePage() { return std::to_string(GetACP()); }

// The C runtime's argv went through the ANSI code page, which turns characters it lacks into
// look-alikes ("café" into "cafe", "¥" into "\").
Words programArguments(int /*argc*/, char** /*argv*/) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> given(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    if (!given) throw std::runtime_error("the command line cannot be read");
    CodePageText text;
    Words words;
    for (int i = 1; i < count; ++i) {
        std::string shown;
        const std::optional<std::string> word =
            text.exactly(reinterpret_cast<const char16_t*>(given.get()[i]), shown);
        if (!word) {
            throw UsageError(say({u"\"%1\" cannot be named in code page %2",
                                  u"「%1」はコードページ %2 で表せません"},
                                 {shown, processCodePage()}));
        }
        words.push_back(*word);
    }
    return words;
}

}  // namespace tool
