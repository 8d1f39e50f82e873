// What the Windows implementation's files share: handles that close themselves, why a file
// operation failed, and what an open file is.
#ifndef TOVALIN_PLATFORM_FILE_PROBLEMS_WIN32_HPP
#define TOVALIN_PLATFORM_FILE_PROBLEMS_WIN32_HPP

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

#include "platform/platform.hpp"

namespace tovalin::platform {

class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE opened) : handle(opened) {}
    ~OwnedHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    OwnedHandle(OwnedHandle&& other) noexcept : handle(other.release()) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return handle; }
    HANDLE release() {
        const HANDLE kept = handle;
        handle = INVALID_HANDLE_VALUE;
        return kept;
    }

  private:
    HANDLE handle;
};

// The problem a system error tells of, for the file or folder at the path.
FileProblem problemOfError(DWORD error, const std::string& path);
// Why the opened file, or the failed open (GetLastError), keeps a load or a save from using it.
FileProblem problemOfOpen(HANDLE file, const std::string& path);
// The path the system reaches the open entry by, or the entry at a path, every link and short
// name resolved; empty when it cannot be reached.
std::wstring finalPathOf(HANDLE entry);
std::wstring finalPath(const std::string& path);
// Bytes that name the open file itself.
std::string identityOfHandle(HANDLE entry);
// A bare drive, "Z:", as the folder part of a path relative to that drive's current folder.
bool isBareDrive(const std::string& folder);

}  // namespace tovalin::platform

#endif
