#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <chrono>
#include <climits>
#include <thread>
#include <vector>

#include "platform/file_problems_win32.hpp"
#include "platform/platform.hpp"

namespace tovalin::platform {
namespace {

// How long a save waits for another save of the same file, and how often it looks.
constexpr std::chrono::seconds saveWait{20};
constexpr std::chrono::milliseconds saveLookAgain{10};

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

unsigned int chunk(std::size_t count) {
    return count > INT_MAX ? INT_MAX : static_cast<unsigned int>(count);
}

}  // namespace

std::string identityOf(int fd) { return identityOfHandle(handleOf(fd)); }

int openToRead(const std::string& path, FileProblem& problem) {
    problem = FileProblem::other;
    if (!isUsablePath(path)) return -1;
    // Opening a pipe or a device returns at once; only a file on a disk is read.
    OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    problem = problemOfOpen(file.get(), path);
    if (problem != FileProblem::none) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file.get()), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        problem = FileProblem::other;
        return -1;
    }
    file.release();
    return fd;
}

long readSome(int fd, char* into, std::size_t count) { return _read(fd, into, chunk(count)); }

bool rewindFile(int fd) { return _lseeki64(fd, 0, SEEK_SET) == 0; }

long long fileSize(int fd) { return _filelengthi64(fd); }

bool isWithinFolder(int fd, const std::string& /*path*/, const std::string& folder) {
    const std::wstring file = finalPathOf(handleOf(fd));
    std::wstring base = finalPath(folder);
    if (file.empty() || base.empty()) return false;
    if (base.back() != L'\\') base += L'\\';
    return file.compare(0, base.size(), base) == 0;
}

int openForWriting(const std::string& path) {
    if (!isUsablePath(path)) return -1;
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}

long writeSome(int fd, const char* data, std::size_t count) {
    const int written = _write(fd, data, chunk(count));
    return written > 0 ? written : -1;
}

bool copyContent(int from, int to) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const long got = readSome(from, buffer.data(), buffer.size());
        if (got == 0) return true;
        if (got < 0) return false;
        for (long written = 0; written < got;) {
            const long put =
                writeSome(to, buffer.data() + written, static_cast<std::size_t>(got - written));
            if (put < 0) return false;
            written += put;
        }
    }
}

bool syncFile(int fd) { return _commit(fd) == 0; }

// The system keeps what a replacement does to the folder's names itself.
bool syncFolder(const std::string& /*folder*/) { return true; }

bool closeFile(int fd) { return _close(fd) == 0; }

// A lock on one byte far past the end of any file keeps other saves out without keeping any
// reader from the content. Locks belong to the handle, so threads wait on each other too.
bool holdForSaving(int fd) {
    OVERLAPPED pastTheEnd{};
    pastTheEnd.OffsetHigh = 0x40000000;
    const auto giveUp = std::chrono::steady_clock::now() + saveWait;
    while (!LockFileEx(handleOf(fd), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                       &pastTheEnd)) {
        // A file system without these locks cannot be held; the save goes on without.
        if (GetLastError() != ERROR_LOCK_VIOLATION) return true;
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(saveLookAgain);
    }
    return true;
}

unsigned long linkCount(int fd) {
    BY_HANDLE_FILE_INFORMATION information{};
    return GetFileInformationByHandle(handleOf(fd), &information) ? information.nNumberOfLinks : 0;
}

bool linkFile(const std::string& existing, const std::string& name) {
    return isUsablePath(existing) && isUsablePath(name) &&
           CreateHardLinkA(name.c_str(), existing.c_str(), nullptr) != 0;
}

}  // namespace tovalin::platform
