// The subcommands of the program. Each takes the words after its name and returns the exit
// status; usage errors are thrown as UsageError, failures as std::runtime_error.
#ifndef TOVALIN_TOOL_COMMANDS_HPP
#define TOVALIN_TOOL_COMMANDS_HPP

#include <string>
#include <vector>

namespace tool {

using Words = std::vector<std::string>;

int check(const Words& words);
int get(const Words& words);
int set(const Words& words);
int convert(const Words& words);
int tsv(const Words& words);

// The help text of the program (empty name) or of one subcommand; empty when unknown.
std::string helpText(const std::string& command);

}  // namespace tool

#endif
