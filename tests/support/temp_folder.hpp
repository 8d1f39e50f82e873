// A fresh folder under the temporary folder for one test, removed with everything in it.
#ifndef TOVALIN_TESTS_SUPPORT_TEMP_FOLDER_HPP
#define TOVALIN_TESTS_SUPPORT_TEMP_FOLDER_HPP

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace testing_support {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tovalin-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        root = pattern + "/";
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of a name inside the folder (byte for byte, in any code page).
    std::string path(const std::string& name) const { return root + name; }

    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out << bytes;
        return path(name);
    }

    // The bytes of a file in the folder; empty when it cannot be read.
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string folder(const std::string& name) const {
        std::filesystem::create_directories(path(name));
        return path(name) + "/";
    }

    // Every file name in the folder and its subfolders, relative to it.
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) names.insert(entry.path().string().substr(root.size()));
        }
        return names;
    }

  private:
    std::string root;
};

}  // namespace testing_support

#endif
