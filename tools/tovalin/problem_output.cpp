#include "problem_output.hpp"

#include <cstdio>

#include <xercesc/util/XMLException.hpp>

#include "language.hpp"

namespace tool {
namespace {

std::string escaped(char16_t unit) {
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned int>(unit));
    return code;
}

// A text that is not in the terminal's code page, such as a path of other bytes, keeps its
// ASCII and shows every other byte as U+FFFD.
Utf16 asciiOf(const std::string& text) {
    Utf16 result;
    for (const char c : text) {
        result += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD';
    }
    return result;
}

const char* severityName(Severity severity) {
    switch (severity) {
        case Severity::warning:
            return "warning";
        case Severity::error:
            return "error";
        default:
            return "fatal";
    }
}

}  // namespace

std::string problemLine(const Problem& problem) {
    const std::string message = problem.severity == Severity::warning
                                    ? say({u"warning: %1", u"警告: %1"}, {problem.message})
                                    : problem.message;
    if (problem.line == 0) return problem.file + ": " + message + '\n';
    return problem.file + ':' + std::to_string(problem.line) + ':' +
           std::to_string(problem.column) + ": " + message + '\n';
}

std::string JsonLines::line(const Problem& problem) {
    return "{\"file\":" + quoted(problem.file) + ",\"line\":" + std::to_string(problem.line) +
           ",\"column\":" + std::to_string(problem.column) +
           ",\"message\":" + quoted(problem.message) + ",\"severity\":\"" +
           severityName(problem.severity) + "\"}\n";
}

std::string JsonLines::quoted(const std::string& text) {
    Utf16 wide;
    try {
        wide = codePage.wide(text);
    } catch (const xercesc::XMLException&) {
        wide = asciiOf(text);
    }
    std::string result = "\"";
    for (const char16_t unit : wide) {
        if (unit == u'"' || unit == u'\\') {
            result += '\\';
            result += static_cast<char>(unit);
        } else if (unit >= 0x20 && unit < 0x7F) {
            result += static_cast<char>(unit);
        } else {
            result += escaped(unit);
        }
    }
    return result + '"';
}

}  // namespace tool
