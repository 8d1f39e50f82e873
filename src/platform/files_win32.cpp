#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_problems_win32.hpp"
#include "platform/platform.hpp"

namespace tovalin::platform {
namespace {

DWORD attributesOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!isUsablePath(path) || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return data.dwFileAttributes;
}

// The attributes SetFileAttributesA takes; the others the system keeps for itself.
constexpr DWORD settableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                     FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                     FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// Hidden and system make the system refuse to replace a file's content; read-only refuses
// every write and the deletion too.
constexpr DWORD attributesBlockingWrites = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD attributesBlockingDeletion = FILE_ATTRIBUTE_READONLY;

bool setAttributes(const std::string& path, DWORD attributes) {
    const DWORD settable = attributes & settableAttributes;
    return SetFileAttributesA(path.c_str(), settable == 0 ? FILE_ATTRIBUTE_NORMAL : settable) != 0;
}

// Clears those of the attributes that an existing file has.
void clearAttributes(const std::string& path, DWORD cleared) {
    const DWORD attributes = attributesOf(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & cleared) != 0) {
        setAttributes(path, attributes & ~cleared);
    }
}

bool isRegularFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Writes what the system holds of the file through to the disk.
bool flushToDisk(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file) != 0;
    return CloseHandle(file) != 0 && flushed;
}

// A handle for reading the attributes of an existing file or folder, or none.
OwnedHandle openEntry(const std::string& path) {
    return OwnedHandle(path.empty() || isUsablePath(path)
                           ? CreateFileA(path.empty() ? "." : path.c_str(), 0,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                         nullptr)
                           : INVALID_HANDLE_VALUE);
}

}  // namespace

bool isBareDrive(const std::string& folder) { return folder.size() == 2 && folder[1] == ':'; }

std::wstring finalPathOf(HANDLE entry) {
    if (entry == INVALID_HANDLE_VALUE) return {};
    const DWORD needed = GetFinalPathNameByHandleW(entry, nullptr, 0, FILE_NAME_NORMALIZED);
    if (needed == 0) return {};
    std::wstring result(needed, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(entry, result.data(), needed, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= needed) return {};
    result.resize(length);
    return result;
}

std::wstring finalPath(const std::string& path) { return finalPathOf(openEntry(path).get()); }

std::string identityOfHandle(HANDLE entry) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (entry == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(entry, &information)) {
        return {};
    }
    const DWORD parts[] = {information.dwVolumeSerialNumber, information.nFileIndexHigh,
                           information.nFileIndexLow};
    return std::string(reinterpret_cast<const char*>(parts), sizeof parts);
}

// The ANSI functions replace bytes that are no text in the code page with some character and
// would reach a file of another name. Some of them take no more than MAX_PATH characters, and
// the system takes no longer full path, so a longer one would be found by some calls and not
// by others.
bool isUsablePath(const std::string& path) {
    if (holdsNul(path)) return false;
    const int size = static_cast<int>(path.size());
    const int length =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    if (length <= 0 || length >= MAX_PATH) return false;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), length);
    const DWORD full = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    return full != 0 && full <= MAX_PATH;
}

std::string folderOf(const std::string& path) {
    char drive[_MAX_DRIVE];
    char folder[_MAX_DIR];
    _splitpath(path.c_str(), drive, folder, nullptr, nullptr);
    return std::string(drive) + folder;
}

bool isPathSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

bool isAbsolutePath(const std::u16string& path) {
    if (!path.empty() && isPathSeparator(path[0])) return true;
    const bool driveLetter = path.size() >= 2 && ((path[0] >= u'A' && path[0] <= u'Z') ||
                                                  (path[0] >= u'a' && path[0] <= u'z'));
    return driveLetter && path[1] == u':';
}

std::u16string joinedPath(const std::u16string& folder, const std::u16string& relative) {
    const std::u16string verbatim = u"\\\\?\\";
    if (folder.compare(0, verbatim.size(), verbatim) != 0) return folder + relative;
    // The root: "\\?\C:\", "\\?\Volume{...}\" or "\\?\UNC\server\share\".
    std::size_t rootEnd = verbatim.size();
    const int rootNames = folder.compare(rootEnd, 4, u"UNC\\") == 0 ? 3 : 1;
    for (int i = 0; i < rootNames && rootEnd < folder.size(); ++i) {
        const std::size_t separator = folder.find(u'\\', rootEnd);
        rootEnd = separator == std::u16string::npos ? folder.size() : separator + 1;
    }
    std::vector<std::u16string> names;
    std::u16string name;
    for (const char16_t c : folder.substr(rootEnd) + relative + u'\\') {
        if (!isPathSeparator(c)) {
            name += c;
            continue;
        }
        if (name == u"..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != u".") {
            names.push_back(name);
        }
        name.clear();
    }
    std::u16string joined = folder.substr(0, rootEnd);
    if (joined.back() != u'\\') joined += u'\\';
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) joined += u'\\';
        joined += names[i];
    }
    return joined;
}

std::string createUniqueFile(const std::string& folder, const std::string& prefix) {
    char made[MAX_PATH];
    // Given a bare drive the system would use its root folder.
    const std::string where = folder.empty() || isBareDrive(folder) ? folder + "." : folder;
    if (!isUsablePath(where) || GetTempFileNameA(where.c_str(), prefix.c_str(), 0, made) == 0) {
        return {};
    }
    return made;
}

bool copyFile(const std::string& from, const std::string& to, CopyInto destination) {
    if (!isUsablePath(from) || !isUsablePath(to) || !isRegularFile(from)) return false;
    // A new file must not exist yet; the others are replaced.
    if (!CopyFileA(from.c_str(), to.c_str(), destination == CopyInto::newFile)) return false;
    // The system copies the source's attributes too; the library's own copies must stay
    // writable, deletable and in sight.
    clearAttributes(to, attributesBlockingWrites | attributesBlockingDeletion);
    if (destination == CopyInto::ownFile || flushToDisk(to)) return true;
    if (destination == CopyInto::newFile) DeleteFileA(to.c_str());
    return false;
}

bool deleteFile(const std::string& path) {
    if (!isUsablePath(path)) return false;
    clearAttributes(path, attributesBlockingDeletion);
    return DeleteFileA(path.c_str()) != 0;
}

bool fileExists(const std::string& path) {
    return isUsablePath(path) && _access(path.c_str(), 0) == 0;
}

bool canOpenForWriting(const std::string& path) {
    if (!isUsablePath(path)) return false;
    // The access and sharing the write asks for: a file another program holds open without
    // sharing its writes is refused here already.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool onDisk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return onDisk;
}

FileProblem problemOfError(DWORD error, const std::string& path) {
    const DWORD attributes = attributesOf(path);
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return FileProblem::missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return FileProblem::locked;
        case ERROR_WRITE_PROTECT:
            return FileProblem::readOnly;
        case ERROR_ACCESS_DENIED:
            if (attributes == INVALID_FILE_ATTRIBUTES) return FileProblem::permissionDenied;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FileProblem::folder;
            return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? FileProblem::readOnly
                                                               : FileProblem::permissionDenied;
        default:
            return FileProblem::other;
    }
}

FileProblem problemOfOpen(HANDLE file, const std::string& path) {
    if (file == INVALID_HANDLE_VALUE) return problemOfError(GetLastError(), path);
    return GetFileType(file) == FILE_TYPE_DISK ? FileProblem::none : FileProblem::notAFile;
}

FileProblem whyNotWritable(const std::string& path) {
    if (!isUsablePath(path)) return FileProblem::other;
    // A file that does not exist yet could not be created in a folder that does.
    if (attributesOf(path) == INVALID_FILE_ATTRIBUTES) {
        const std::string folder = folderOf(path);
        return attributesOf(folder.empty() ? "." : folder) == INVALID_FILE_ATTRIBUTES
                   ? FileProblem::missing
                   : FileProblem::permissionDenied;
    }
    const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    return problemOfOpen(file.get(), path);
}

std::string whereCreated(const std::string& path) { return path; }

FileAttributes clearAttributesBlockingWrites(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    clearAttributes(path, attributesBlockingWrites);
    return attributes;
}

void putBackAttributes(const std::string& path, FileAttributes attributes) {
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        setAttributes(path, attributes | FILE_ATTRIBUTE_ARCHIVE);
    }
}

std::string fileIdentity(const std::string& path) {
    return identityOfHandle(openEntry(path).get());
}

bool isHiddenFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool setHiddenFile(const std::string& path, bool hidden) {
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    return setAttributes(path, hidden ? (attributes | FILE_ATTRIBUTE_HIDDEN)
                                      : (attributes & ~FILE_ATTRIBUTE_HIDDEN));
}

std::string temporaryFolder() {
    char folder[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    return length == 0 || length > MAX_PATH ? std::string(".\\") : std::string(folder, length);
}

}  // namespace tovalin::platform
