// The folder operations the tests need, with names taken byte for byte in the process code
// page on every system.
#ifndef TOVALIN_TESTS_SUPPORT_FOLDERS_HPP
#define TOVALIN_TESTS_SUPPORT_FOLDERS_HPP

#include <set>
#include <string>

namespace testing_support {

// A new empty folder under the system's temporary folder; its path ends in a separator.
std::string makeUniqueFolder();
// Makes the folder and every missing folder above it.
void makeFolders(const std::string& path);
// Every file in the folder and its subfolders, relative to it, with "/" between names.
std::set<std::string> filesUnder(const std::string& root);
// The bytes of a file; empty when it cannot be read. Reading never keeps the file from being
// replaced or deleted, as with careful readers.
std::string fileBytes(const std::string& path);
// Removes the folder with everything in it, read-only and hidden files too.
void removeTree(const std::string& root);

}  // namespace testing_support

#endif
