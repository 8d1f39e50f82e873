#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "support/folders.hpp"

namespace testing_support {

std::string makeUniqueFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tovalin-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    return pattern + "/";
}

void makeFolders(const std::string& path) { std::filesystem::create_directories(path); }

std::set<std::string> filesUnder(const std::string& root) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) names.insert(entry.path().string().substr(root.size()));
    }
    return names;
}

void removeTree(const std::string& root) {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

}  // namespace testing_support
