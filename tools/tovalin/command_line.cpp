#include "command_line.hpp"

#include <cstdlib>

#include "language.hpp"

namespace tool {

UsageError wrongArguments(const std::string& command, const std::string& forms) {
    return UsageError(say({u"%1 takes %2", u"%1 には %2 を指定してください"}, {command, forms}));
}

UsageError exclusive(const std::string& option, const std::string& other) {
    return UsageError(say({u"%1 and %2 exclude each other", u"%1 と %2 は同時に指定できません"},
                          {option, other}));
}

int positiveNumber(const std::string& word, const std::string& what) {
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || value < 1 || value > 1000000000) {
        throw UsageError(say({u"%1 must be a number from 1, not %2",
                              u"%1 には 1 以上の数を指定してください（%2 は指定できません）"},
                             {what, word}));
    }
    return static_cast<int>(value);
}

std::string CommandLine::option(const std::string& name, const std::string& fallback) const {
    const auto found = options.find(name);
    return found == options.end() ? fallback : found->second;
}

CommandLine parseCommandLine(const std::vector<std::string>& words,
                             const std::set<std::string>& valued,
                             const std::set<std::string>& switches) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (optionsEnded || word.size() < 3 || word.compare(0, 2, "--") != 0) {
            line.positional.push_back(word);
        } else if (switches.count(word) != 0) {
            line.flags.insert(word);
        } else if (valued.count(word) != 0) {
            if (i + 1 == words.size()) {
                throw UsageError(say({u"%1 needs a value", u"%1 には値が必要です"}, {word}));
            }
            line.options[word] = words[++i];
        } else {
            throw UsageError(
                say({u"unknown option %1", u"%1 というオプションはありません"}, {word}));
        }
    }
    return line;
}

}  // namespace tool
