// The words of a command line: positional arguments, options with a value, and flags.
#ifndef TOVALIN_TOOL_COMMAND_LINE_HPP
#define TOVALIN_TOOL_COMMAND_LINE_HPP

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tool {

// A command line the program cannot follow; the text is one line for standard error.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The usage errors every command may meet: arguments that do not fit the command's forms
// (given as they appear in its usage line), two options that exclude each other.
UsageError wrongArguments(const std::string& command, const std::string& forms);
UsageError exclusive(const std::string& option, const std::string& other);

// The word as a number from 1 to 1,000,000,000; otherwise a usage error naming what it is.
int positiveNumber(const std::string& word, const std::string& what);

struct CommandLine {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;
    std::set<std::string> flags;

    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    // The option's value, or the fallback when it was not given.
    std::string option(const std::string& name, const std::string& fallback = {}) const;
};

// Splits the words after the subcommand. Options named in valued take the next word; flags
// named in switches take none; "--" ends the options. Anything else that starts with "--"
// is a usage error.
CommandLine parseCommandLine(const std::vector<std::string>& words,
                             const std::set<std::string>& valued,
                             const std::set<std::string>& switches);

}  // namespace tool

#endif
