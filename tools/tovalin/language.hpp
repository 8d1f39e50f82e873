// The program's texts in its user's language: Japanese under a Japanese locale (and on
// Windows under the Japanese ANSI code page), English otherwise, always in the terminal's
// code page.
#ifndef TOVALIN_TOOL_LANGUAGE_HPP
#define TOVALIN_TOOL_LANGUAGE_HPP

#include <string>
#include <vector>

namespace tool {

// One text in both languages. %1 to %9 stand for the arguments; the English text is ASCII.
struct Text {
    const char16_t* english;
    const char16_t* japanese;
};

// The text in the user's language with its arguments, which are in the terminal's code page
// already. English stands in for Japanese that the terminal's code page cannot show.
std::string say(const Text& text, const std::vector<std::string>& arguments = {});

// say(one) for a count of 1, else say(many) with the count as %1.
std::string sayCount(unsigned long count, const Text& one, const Text& many);

}  // namespace tool

#endif
