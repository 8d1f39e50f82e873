#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "folders.hpp"

namespace tool {

PathKind pathKind(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return PathKind::missing;
    if (!S_ISDIR(status.st_mode)) return PathKind::file;
    struct stat link {};
    const bool linked = ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
    return linked ? PathKind::linkedFolder : PathKind::folder;
}

// Names are bytes, which the system takes back as they are.
bool folderEntries(const std::string& folder, std::vector<std::string>& names,
                   std::vector<UnnamableEntry>& /*unnamable*/) {
    DIR* const listing = ::opendir(folder.c_str());
    if (listing == nullptr) return false;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(listing);
    return true;
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + '/' + name;
}

std::string newFileBeside(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    std::string name =
        path.substr(0, slash == std::string::npos ? 0 : slash + 1) + ".tovalin-XXXXXX";
    const int made = ::mkstemp(&name[0]);
    if (made < 0) return {};
    ::close(made);
    return name;
}

}  // namespace tool
