#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "code_page_text.hpp"
#include "folders.hpp"

namespace tool {

// Paths are in the ANSI code page, as every text of the program is.
PathKind pathKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::missing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return PathKind::file;
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? PathKind::linkedFolder
                                                            : PathKind::folder;
}

// The names are read in UTF-16: the ANSI listing gives look-alikes for characters the code
// page lacks, or question marks, which would name another file or none.
bool folderEntries(const std::string& folder, std::vector<std::string>& names,
                   std::vector<UnnamableEntry>& unnamable) {
    CodePageText text;
    const Utf16 pattern = text.wide(inFolder(folder, "*"));
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(reinterpret_cast<LPCWSTR>(pattern.c_str()), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const Utf16 name = reinterpret_cast<const char16_t*>(found.cFileName);
        if (name == u"." || name == u"..") continue;
        std::string shown;
        if (const std::optional<std::string> named = text.exactly(name, shown)) {
            names.push_back(*named);
        } else {
            // A link to a folder is not followed, as with named ones.
            const DWORD kind =
                found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT);
            unnamable.push_back({shown, kind == FILE_ATTRIBUTE_DIRECTORY});
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

// A folder that ends in a separator or names a drive ("C:") takes the name as it is. The
// last byte is looked at as a character, since the second byte of a Shift_JIS character
// may be the byte of a backslash.
std::string inFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char* last = CharPrevExA(CP_ACP, folder.c_str(), folder.c_str() + folder.size(), 0);
    const bool single = last == folder.c_str() + folder.size() - 1;
    if (single && (*last == '/' || *last == '\\' || *last == ':')) return folder + name;
    return folder + '\\' + name;
}

std::string newFileBeside(const std::string& path) {
    char folder[MAX_PATH];
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, folder, &name);
    if (length == 0 || length >= MAX_PATH || name == nullptr) return {};
    *name = '\0';
    char made[MAX_PATH];
    if (GetTempFileNameA(folder, "tvl", 0, made) == 0) return {};
    return made;
}

}  // namespace tool
