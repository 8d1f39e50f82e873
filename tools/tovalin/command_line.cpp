#include "command_line.hpp"

namespace tool {

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
            if (i + 1 == words.size()) throw UsageError(word + " needs a value");
            line.options[word] = words[++i];
        } else {
            throw UsageError("unknown option " + word);
        }
    }
    return line;
}

}  // namespace tool
