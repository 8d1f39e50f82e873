// A fresh folder under the temporary folder for one test, removed with everything in it.
#ifndef TOVALIN_TESTS_SUPPORT_TEMP_FOLDER_HPP
#define TOVALIN_TESTS_SUPPORT_TEMP_FOLDER_HPP

#include <fstream>
#include <set>
#include <string>

#include "support/folders.hpp"

namespace testing_support {


class TempFolder {
  public:
    TempFolder() : root(makeUniqueFolder()) {}
    ~TempFolder() { removeTree(root); }
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
    std::string read(const std::string& name) const { return fileBytes(path(name)); }

    std::string folder(const std::string& name) const {
        makeFolders(path(name));
        return path(name) + "/";
    }

    // Every file name in the folder and its subfolders, relative to it.
    std::set<std::string> files() const { return filesUnder(root); }

  private:
    const std::string root;
};

}  // namespace testing_support

#endif
