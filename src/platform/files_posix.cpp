#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/file_problems_posix.hpp"
#include "platform/platform.hpp"

namespace tovalin::platform {
namespace {

bool copyWithReadWrite(int from, int to) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(to, buffer.data() + written, got - written);
            if (put < 0 && errno != EINTR) return false;
            if (put > 0) written += put;
        }
    }
}

int openDestination(const std::string& path, CopyInto destination, mode_t sourceMode) {
    constexpr int writing = O_WRONLY | O_CLOEXEC;
    switch (destination) {
        case CopyInto::ownFile:
            return ::open(path.c_str(), writing | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600);
        case CopyInto::newFile: {
            const int fd = ::open(path.c_str(), writing | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
            // The mode given to open passes the umask; the source's own bits are wanted.
            if (fd >= 0) ::fchmod(fd, sourceMode);
            return fd;
        }
    }
    return -1;
}

std::string nameOf(const std::string& path) { return path.substr(folderOf(path).size()); }

}  // namespace

std::string resolvedPath(const std::string& path) {
    char* resolved = ::realpath(path.empty() ? "." : path.c_str(), nullptr);
    if (resolved == nullptr) return {};
    std::string result(resolved);
    std::free(resolved);
    return result;
}

FileProblem problemOf(int error, const std::string& path) {
    struct stat status {};
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileProblem::missing;
        case EISDIR:
            return FileProblem::folder;
        case EROFS:
            return FileProblem::readOnly;
        case ETXTBSY:
        case EAGAIN:
            return FileProblem::locked;
        case ENXIO:
            // A named pipe without a reader, or a socket.
            return FileProblem::notAFile;
        case EACCES:
        case EPERM:
            // A mode that lets no one write is the file's own choice, not the user's lack.
            return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
                           (status.st_mode & 0222) == 0
                       ? FileProblem::readOnly
                       : FileProblem::permissionDenied;
        default:
            return FileProblem::other;
    }
}

// The kernel copies without passing the bytes through this process where it can.
bool copyContent(int from, int to) {
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (copied == 0) return true;
        if (copied > 0) continue;
        if (errno == EINTR) continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
            return copyWithReadWrite(from, to);
        }
        return false;
    }
}

FileProblem problemOfOpen(const Descriptor& file, const std::string& path) {
    if (file.get() < 0) return problemOf(errno, path);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) return FileProblem::other;
    if (S_ISDIR(status.st_mode)) return FileProblem::folder;
    return S_ISREG(status.st_mode) ? FileProblem::none : FileProblem::notAFile;
}

FileProblem whyNotWritable(const std::string& path) {
    if (!isUsablePath(path)) return FileProblem::other;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 && errno == ENOENT) {
        const std::string folder = folderOf(path).empty() ? "." : folderOf(path);
        return ::access(folder.c_str(), W_OK) == 0 ? FileProblem::none : problemOf(errno, folder);
    }
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    return problemOfOpen(file, path);
}

bool isUsablePath(const std::string& path) { return !holdsNul(path); }

std::string folderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool isPathSeparator(char16_t c) { return c == u'/'; }

bool isAbsolutePath(const std::u16string& path) { return !path.empty() && path[0] == u'/'; }

std::u16string joinedPath(const std::u16string& folder, const std::u16string& relative) {
    return folder + relative;
}

std::string createUniqueFile(const std::string& folder, const std::string& prefix) {
    std::string pattern = folder + prefix + "XXXXXX";
    if (!isUsablePath(pattern)) return {};
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return {};
    ::close(fd);
    return pattern;
}

bool copyFile(const std::string& from, const std::string& to, CopyInto destination) {
    if (!isUsablePath(from) || !isUsablePath(to)) return false;
    // Without O_NONBLOCK a named pipe would wait for a writer before it can be told apart.
    Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (source.get() < 0 || ::fstat(source.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    Descriptor target(openDestination(to, destination, status.st_mode & 0777));
    if (target.get() < 0) return false;
    const bool copied = copyContent(source.get(), target.get()) &&
                        (destination == CopyInto::ownFile || ::fsync(target.get()) == 0) &&
                        target.close();
    // A new file that did not receive the whole content must not pass for a copy.
    if (!copied && destination == CopyInto::newFile) ::unlink(to.c_str());
    return copied;
}

bool deleteFile(const std::string& path) {
    return isUsablePath(path) && ::unlink(path.c_str()) == 0;
}

bool fileExists(const std::string& path) {
    return isUsablePath(path) && ::access(path.c_str(), F_OK) == 0;
}

bool canOpenForWriting(const std::string& path) {
    if (!isUsablePath(path)) return false;
    // Without waiting: a FIFO without a reader fails at once.
    const Descriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    return file.get() >= 0 && ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string whereCreated(const std::string& path) {
    std::string reached = path;
    // No further than the system follows links before it gives up.
    for (int followed = 0; followed < 40; ++followed) {
        std::vector<char> target(PATH_MAX);
        const ssize_t length = ::readlink(reached.c_str(), target.data(), target.size());
        if (length <= 0) break;
        const std::string next(target.data(), static_cast<std::size_t>(length));
        reached = next.front() == '/' ? next : folderOf(reached) + next;
    }
    return reached;
}

FileAttributes clearAttributesBlockingWrites(const std::string& /*path*/) { return 0; }

void putBackAttributes(const std::string& /*path*/, FileAttributes /*attributes*/) {}

bool isHiddenFile(const std::string& path) {
    const std::string name = nameOf(path);
    return fileExists(path) && !name.empty() && name.front() == '.';
}

bool setHiddenFile(const std::string& path, bool /*hidden*/) { return fileExists(path); }

std::string temporaryFolder() {
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder =
        fromEnvironment != nullptr && *fromEnvironment != '\0' ? fromEnvironment : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace tovalin::platform
