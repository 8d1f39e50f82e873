// What the POSIX implementation's files share: why a file operation failed, and where a path
// leads.
#ifndef TOVALIN_PLATFORM_FILE_PROBLEMS_POSIX_HPP
#define TOVALIN_PLATFORM_FILE_PROBLEMS_POSIX_HPP

#include <string>

#include "platform/platform.hpp"

namespace tovalin::platform {

// The problem an error number tells of, for the file or folder at the path.
FileProblem problemOf(int error, const std::string& path);
// Why the opened file, or the failed open (errno), keeps a load or a save from using it.
FileProblem problemOfOpen(const Descriptor& file, const std::string& path);
// The absolute path with every link resolved; empty when there is no such file.
std::string resolvedPath(const std::string& path);

}  // namespace tovalin::platform

#endif
