// What the program asks the system about paths, to search folders for files.
#ifndef TOVALIN_TOOL_FOLDERS_HPP
#define TOVALIN_TOOL_FOLDERS_HPP

#include <string>
#include <vector>

namespace tool {

// A link to a folder is told apart, so that a search below a folder never follows one and
// cannot go round in a loop.
enum class PathKind { missing, file, folder, linkedFolder };

PathKind pathKind(const std::string& path);

// An entry whose name the process code page cannot hold, which no path can name (Windows
// only): shown with each character the code page lacks as <U+XXXX>.
struct UnnamableEntry {
    std::string shownName;
    bool isFolder;
};

// The names in the folder, "." and ".." left out, in no order, and apart from them the
// entries that cannot be named; false when it cannot be read.
bool folderEntries(const std::string& folder, std::vector<std::string>& names,
                   std::vector<UnnamableEntry>& unnamable);

// The path of a name in the folder.
std::string inFolder(const std::string& folder, const std::string& name);

// A new empty file, in the folder of the path, that no file had been before; empty when none
// can be made there.
std::string newFileBeside(const std::string& path);

}  // namespace tool

#endif
