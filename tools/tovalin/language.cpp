#include "language.hpp"

#include "code_page_text.hpp"
#include "console.hpp"

namespace tool {
namespace {

std::string ascii(const char16_t* text) {
    std::string result;
    for (; *text != u'\0'; ++text) result += static_cast<char>(*text);
    return result;
}

std::string inUserLanguage(const Text& text) {
    static const bool japanese = userReadsJapanese();
    if (japanese) {
        try {
            return CodePageText().narrow(text.japanese);
        } catch (...) {
            // A code page without Japanese, or no library: the English text says it.
        }
    }
    return ascii(text.english);
}

}  // namespace

std::string say(const Text& text, const std::vector<std::string>& arguments) {
    const std::string format = inUserLanguage(text);
    std::string result;
    // '%' is ASCII in every code page the program serves and never the second byte of a
    // Shift_JIS character, so the converted text is searched for it byte by byte.
    for (std::string::size_type i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const auto index = static_cast<unsigned char>(format[i + 1] - '1');
            if (index < arguments.size()) {
                result += arguments[index];
                ++i;
                continue;
            }
        }
        result += format[i];
    }
    return result;
}

std::string sayCount(unsigned long count, const Text& one, const Text& many) {
    return count == 1 ? say(one) : say(many, {std::to_string(count)});
}

}  // namespace tool
