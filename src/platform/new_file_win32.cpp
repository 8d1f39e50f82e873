#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>

#include "platform/file_problems_win32.hpp"
#include "platform/new_file.hpp"

namespace tovalin::platform {
namespace {

// A name that no file in the folder is likely to have: the process and a count.
std::string candidateName(const std::string& folder) {
    static std::atomic<unsigned long> made{0};
    char name[40];
    std::snprintf(name, sizeof name, "~tovalin-%lx-%lx.tmp", GetCurrentProcessId(),
                  made.fetch_add(1));
    // Given a bare drive the system would use that drive's current folder.
    return (isBareDrive(folder) ? folder + "." + "\\" : folder) + name;
}

// Takes a name of the old file away at once. The save holds the old file open, and Windows
// takes a name of an open file away only once the file is closed: the name is first moved aside,
// out of the way of the system's own backup and of the next save.
bool removeNameOfHeldFile(const std::string& path) {
    const std::string aside = candidateName(folderOf(path));
    if (!MoveFileExA(path.c_str(), aside.c_str(), 0)) return false;
    deleteFile(aside);
    return true;
}

}  // namespace

NewFile::NewFile(const std::string& folder) {
    DWORD error = ERROR_FILE_EXISTS;
    while (error == ERROR_FILE_EXISTS) {
        temporaryName = candidateName(folder);
        if (!isUsablePath(temporaryName)) break;
        // The system deletes the file when its handle closes, however the process ends; the
        // content outlives it under the other names given it.
        OwnedHandle made(CreateFileA(temporaryName.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        error = made.get() == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_SUCCESS) continue;
        file = Descriptor(
            _open_osfhandle(reinterpret_cast<intptr_t>(made.get()), _O_RDWR | _O_BINARY));
        if (file.isOpen()) {
            made.release();
            return;
        }
    }
    why = error == ERROR_FILE_EXISTS || error == ERROR_SUCCESS
              ? FileProblem::other
              : problemOfError(error, folder.empty() ? "." : folder);
}

// The system deletes the temporary name when the handle closes.
NewFile::~NewFile() = default;

bool NewFile::mayReplace(int /*existing*/, const std::string& path) {
    const OwnedHandle deleting(CreateFileA(path.c_str(), DELETE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return deleting.get() != INVALID_HANDLE_VALUE;
}

bool NewFile::nameAs(const std::string& path) {
    return isUsablePath(path) && CreateHardLinkA(path.c_str(), temporaryName.c_str(), nullptr) != 0;
}

bool NewFile::replace(const std::string& backup, const std::string& replaced) {
    const std::string staging = candidateName(folderOf(replaced));
    if (!nameAs(staging)) return false;
    file.close();
    // The backup is a second name of the old file.
    if (fileExists(backup) && !removeNameOfHeldFile(backup)) {
        deleteFile(staging);
        return false;
    }
    // The system moves the old file to the backup's name and the new one to its place; where
    // it takes two steps for that, the old content is never without a name.
    if (ReplaceFileA(replaced.c_str(), staging.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
        removeNameOfHeldFile(backup);
        return true;
    }
    // The old file went to the backup's name but the new one did not follow: it comes back.
    if (!fileExists(replaced))
        MoveFileExA(backup.c_str(), replaced.c_str(), MOVEFILE_WRITE_THROUGH);
    deleteFile(staging);
    return false;
}

}  // namespace tovalin::platform
