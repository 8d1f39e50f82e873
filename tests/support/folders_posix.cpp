#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void removeTree(const std::string& root) {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

}  // namespace testing_support
