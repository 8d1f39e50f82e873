// The ANSI functions take the names in the process code page, as the library does; the
// standard library's paths would read them as UTF-8.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>
#include <stdexcept>

#include "support/folders.hpp"

namespace testing_support {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Calls the visitor for each entry of the folder but "." and "..".
void forEachEntry(const std::string& folder,
                  const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA entry{};
    const HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") visit(entry);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

bool isFolder(const WIN32_FIND_DATAA& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void collectFiles(const std::string& root, const std::string& relative,
                  std::set<std::string>& names) {
    forEachEntry(root + relative, [&](const WIN32_FIND_DATAA& entry) {
        const std::string name = relative + entry.cFileName;
        if (isFolder(entry)) {
            collectFiles(root, name + "/", names);
        } else {
            names.insert(name);
        }
    });
}

}  // namespace

std::string makeUniqueFolder() {
    char temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::string folder = std::string(temporary) + "tovalin-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
    }
    throw std::runtime_error("no temporary folder");
}

void makeFolders(const std::string& path) {
    // Walks by characters, so that a trail byte equal to a separator is not taken for one.
    for (const char* at = path.c_str(); *at != '\0'; at = CharNextA(at)) {
        if (isSeparator(*at) && at != path.c_str()) {
            CreateDirectoryA(std::string(path.c_str(), at).c_str(), nullptr);
        }
    }
    CreateDirectoryA(path.c_str(), nullptr);
}

std::set<std::string> filesUnder(const std::string& root) {
    std::set<std::string> names;
    collectFiles(root, "", names);
    return names;
}

// The C runtime's own opens never share deletion, which would keep a save from replacing
// the file while a test reads it.
std::string fileBytes(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[1 << 16];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

void removeTree(const std::string& root) {
    forEachEntry(root, [&](const WIN32_FIND_DATAA& entry) {
        const std::string path = root + entry.cFileName;
        if (isFolder(entry)) {
            removeTree(path + "\\");
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    });
    RemoveDirectoryA(root.c_str());
}

}  // namespace testing_support
