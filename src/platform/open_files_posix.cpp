#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>
#include <vector>

#include "platform/file_problems_posix.hpp"
#include "platform/platform.hpp"

namespace tovalin::platform {
namespace {

// How long a save waits for another save of the same file, and how often it looks.
constexpr std::chrono::seconds saveWait{20};
constexpr std::chrono::milliseconds saveLookAgain{10};

std::string identityIn(const struct stat& status) {
    std::string identity(reinterpret_cast<const char*>(&status.st_dev), sizeof status.st_dev);
    return identity.append(reinterpret_cast<const char*>(&status.st_ino), sizeof status.st_ino);
}

// Where the open file lies, as the system's table of open files names it; by the path it was
// opened by where the system has no such table.
std::string whereOpened(int fd, const std::string& path) {
    std::vector<char> target(PATH_MAX);
    const std::string entry = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(entry.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return resolvedPath(path);
    return std::string(target.data(), static_cast<std::size_t>(length));
}

}  // namespace

std::string fileIdentity(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? identityIn(status) : std::string();
}

std::string identityOf(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? identityIn(status) : std::string();
}

int openToRead(const std::string& path, FileProblem& problem) {
    problem = FileProblem::other;
    if (!isUsablePath(path)) return -1;
    // Without O_NONBLOCK a named pipe would wait for a writer before it can be told apart.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    problem = problemOfOpen(file, path);
    if (problem != FileProblem::none) return -1;
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        problem = FileProblem::other;
        return -1;
    }
    return file.release();
}

long readSome(int fd, char* into, std::size_t count) {
    for (;;) {
        const ssize_t got = ::read(fd, into, count);
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool rewindFile(int fd) { return ::lseek(fd, 0, SEEK_SET) == 0; }

long long fileSize(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? static_cast<long long>(status.st_size) : -1;
}

bool isWithinFolder(int fd, const std::string& path, const std::string& folder) {
    const std::string file = whereOpened(fd, path);
    std::string base = resolvedPath(folder);
    if (file.empty() || base.empty()) return false;
    if (base.back() != '/') base += '/';
    return file.compare(0, base.size(), base) == 0;
}

int openForWriting(const std::string& path) {
    if (!isUsablePath(path)) return -1;
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

long writeSome(int fd, const char* data, std::size_t count) {
    for (;;) {
        const ssize_t written = ::write(fd, data, count);
        if (written > 0) return written;
        if (written < 0 && errno == EINTR) continue;
        return -1;
    }
}

bool syncFile(int fd) { return ::fsync(fd) == 0; }

bool syncFolder(const std::string& folder) {
    const Descriptor opened(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return opened.isOpen() && ::fsync(opened.get()) == 0;
}

bool closeFile(int fd) { return ::close(fd) == 0; }

// flock locks belong to the open file, not to the process, so two threads that each opened
// the file wait on each other as two processes do.
bool holdForSaving(int fd) {
    const auto giveUp = std::chrono::steady_clock::now() + saveWait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // A file system without these locks cannot be held; the save goes on without.
        if (errno != EWOULDBLOCK && errno != EINTR) return true;
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(saveLookAgain);
    }
    return true;
}

unsigned long linkCount(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 ? static_cast<unsigned long>(status.st_nlink) : 0;
}

bool linkFile(const std::string& existing, const std::string& name) {
    return isUsablePath(existing) && isUsablePath(name) &&
           ::link(existing.c_str(), name.c_str()) == 0;
}

}  // namespace tovalin::platform
