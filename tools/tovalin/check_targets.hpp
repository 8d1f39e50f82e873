// The files a check goes through: those named, and every *.xml file below the folders named.
#ifndef TOVALIN_TOOL_CHECK_TARGETS_HPP
#define TOVALIN_TOOL_CHECK_TARGETS_HPP

#include <string>
#include <vector>

namespace tool {

// A file to load, or a path that is a problem in itself (the text of the problem).
struct CheckTarget {
    std::string path;
    std::string problem;
};

// Each path in turn: a file as it is; a folder as the files whose names end in ".xml" (in any
// case) in it and the folders below it, in byte order of their names, links to folders not
// followed; a path that names nothing, or a folder that cannot be read, as a problem.
std::vector<CheckTarget> checkTargets(const std::vector<std::string>& paths);

}  // namespace tool

#endif
