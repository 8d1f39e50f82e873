#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <set>

#include "platform/file_problems_posix.hpp"
#include "platform/new_file.hpp"

namespace tovalin::platform {
namespace {

std::string here(const std::string& folder) { return folder.empty() ? "." : folder; }

// A name that no file in the folder is likely to have: the process, a count and the time. It
// begins with a dot, so listings leave it out while it stands.
std::string candidateName(const std::string& folder) {
    static std::atomic<unsigned long> made{0};
    char name[80];
    std::snprintf(name, sizeof name, ".tovalin-%ld-%lu-%llx.tmp", static_cast<long>(::getpid()),
                  made.fetch_add(1),
                  static_cast<unsigned long long>(
                      std::chrono::steady_clock::now().time_since_epoch().count()));
    return folder + name;
}

// The entry of the open file in the process's table of open files, by which the system gives a
// file without a name one.
std::string entryOf(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// The bytes a list of extended attributes comes in, or of one attribute's value; the call is
// retried while the list grows between asking its size and reading it.
template <typename Read>
bool readGrowing(std::string& bytes, Read read) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0) return false;
        bytes.resize(static_cast<std::size_t>(size));
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;
    }
    return false;
}

// The names of the file's extended attributes; a file system without them has none.
bool attributeNames(int fd, std::set<std::string>& names) {
    std::string list;
    if (!readGrowing(list,
                     [fd](char* into, std::size_t size) { return ::flistxattr(fd, into, size); })) {
        return errno == ENOTSUP;
    }
    for (std::size_t at = 0; at < list.size(); at = list.find('\0', at) + 1) {
        names.insert(list.c_str() + at);
    }
    return true;
}

bool attributeValue(int fd, const std::string& name, std::string& value) {
    return readGrowing(value, [fd, &name](char* into, std::size_t size) {
        return ::fgetxattr(fd, name.c_str(), into, size);
    });
}

// Gives the made file exactly the extended attributes of the existing one. Those it already
// has with the same value (a label or an access list inherited from the folder) are left as
// they are, so that only what differs needs the rights to set it.
bool copyExtendedAttributes(int existing, int made) {
    std::set<std::string> wanted, present;
    if (!attributeNames(existing, wanted) || !attributeNames(made, present)) return false;
    for (const std::string& name : present) {
        if (wanted.count(name) == 0 && ::fremovexattr(made, name.c_str()) != 0) return false;
    }
    for (const std::string& name : wanted) {
        std::string value, current;
        if (!attributeValue(existing, name, value)) return false;
        if (present.count(name) != 0 && attributeValue(made, name, current) && current == value) {
            continue;
        }
        if (::fsetxattr(made, name.c_str(), value.data(), value.size(), 0) != 0) return false;
    }
    return true;
}

// Gives the file without a name the path as its name.
bool linkUnnamed(int fd, const std::string& path) {
    if (::linkat(AT_FDCWD, entryOf(fd).c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return true;
    }
    // Without the table of open files the system links the descriptor itself, for those
    // allowed to.
    return errno == ENOENT && ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0;
}

bool moveOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    // The new name is in place; a folder that cannot be flushed leaves it to the system.
    syncFolder(folderOf(to));
    return true;
}

}  // namespace

NewFile::NewFile(const std::string& folder) {
    if (!isUsablePath(folder)) {
        why = FileProblem::other;
        return;
    }
    file = Descriptor(::open(here(folder).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    if (file.isOpen()) return;
    // File systems without files that have no name say so in more than one way.
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
        do {
            temporaryName = candidateName(folder);
            file = Descriptor(::open(temporaryName.c_str(),
                                     O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        } while (!file.isOpen() && errno == EEXIST);
    }
    if (file.isOpen()) return;
    why = problemOf(errno, here(folder));
    temporaryName.clear();
}

NewFile::~NewFile() {
    if (!temporaryName.empty()) ::unlink(temporaryName.c_str());
}

bool NewFile::nameAs(const std::string& path) {
    if (!isUsablePath(path)) return false;
    if (temporaryName.empty()) return linkUnnamed(file.get(), path);
    if (::link(temporaryName.c_str(), path.c_str()) != 0) return false;
    ::unlink(temporaryName.c_str());
    temporaryName.clear();
    return true;
}

// The file takes the backup's name, and from there the replaced file's: the name that stays
// after a kill between the two is the backup's, holding one whole content.
bool NewFile::replace(const std::string& backup, const std::string& replaced) {
    if (temporaryName.empty()) {
        ::unlink(backup.c_str());
        if (linkUnnamed(file.get(), backup)) return moveOver(backup, replaced);
        if (errno != EXDEV) return false;
        // The backup lies on another file system than the replaced file (a link to a file on
        // another drive): the file stands beside the replaced one instead.
        std::string beside = candidateName(folderOf(replaced));
        while (!linkUnnamed(file.get(), beside)) {
            if (errno != EEXIST) return false;
            beside = candidateName(folderOf(replaced));
        }
        temporaryName = beside;
    }
    if (!moveOver(temporaryName, replaced)) return false;
    temporaryName.clear();
    return true;
}

bool NewFile::mayReplace(int existing, const std::string& /*path*/) {
    struct stat old {
    }, made{};
    if (::fstat(existing, &old) != 0 || ::fstat(file.get(), &made) != 0) return false;
    // The owner first: a change of owner clears the set-user and set-group bits.
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
        ::fchown(file.get(), old.st_uid, old.st_gid) != 0) {
        return false;
    }
    // The access list sets the group bits of the mode; the mode then sets them as they were.
    return copyExtendedAttributes(existing, file.get()) &&
           ::fchmod(file.get(), old.st_mode & 07777) == 0;
}

}  // namespace tovalin::platform
