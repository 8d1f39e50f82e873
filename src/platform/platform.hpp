// The services of the operating system that the library uses, named for what they do.
// One implementation per platform; nothing outside this folder calls the system directly.
#ifndef TOVALIN_PLATFORM_PLATFORM_HPP
#define TOVALIN_PLATFORM_PLATFORM_HPP

#include <cstddef>
#include <string>

namespace tovalin::platform {

// The name of the process code page, as the parser's transcoding service knows it. On
// POSIX the code set of LC_CTYPE at the time of the call, UTF-8 for the plain C locale.
std::string processCodeSet();
// The code set as the locale names it, before that mapping; never null.
const char* localeCodeSet();

// A path holding NUL names no file: the system would read only the part before the NUL, the
// name of another file.
inline bool holdsNul(const std::string& path) { return path.find('\0') != std::string::npos; }

// Whether the file services here take the path as the name of a file: it holds no NUL and, on
// Windows, is text in the code page and fits the system's length limit once made full. They
// refuse any other path as naming no file, and touch nothing.
bool isUsablePath(const std::string& path);

// The folder part of a path, with its trailing separator; empty for a bare file name.
std::string folderOf(const std::string& path);

// The same rules for a path in UTF-16, as the parser names files: whether the character
// separates folders ("/", and on Windows "\\" too), and whether the path needs no base
// folder (it starts at the root, or on Windows names a drive).
bool isPathSeparator(char16_t c);
bool isAbsolutePath(const std::u16string& path);
// A relative location in the folder (which ends in a separator), naming the file it names
// beside a plainly named folder. On Windows a "\\?\" path is taken as written, "." and ".."
// as names and "/" as no separator, so there they are resolved here, never above the root.
std::u16string joinedPath(const std::u16string& folder, const std::u16string& relative);

// Closes the descriptor; false when the close reported an error (on some file systems a
// write that failed late).
bool closeFile(int fd);

// An open file of the system, closed when it goes: a POSIX descriptor, on Windows one of the C
// runtime.
class Descriptor {
  public:
    explicit Descriptor(int opened = -1) : fd(opened) {}
    ~Descriptor() {
        if (fd >= 0) closeFile(fd);
    }
    Descriptor(Descriptor&& other) noexcept : fd(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (fd >= 0) closeFile(fd);
        fd = other.release();
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd; }
    bool isOpen() const { return fd >= 0; }
    int release() {
        const int kept = fd;
        fd = -1;
        return kept;
    }
    // Closes now; false when the close failed.
    bool close() { return closeFile(release()); }

  private:
    int fd;
};

// Creates a new empty file in the folder, named by the prefix and a unique part, readable
// and writable by its owner only; created exclusively, so no other file is ever reused.
// Returns its path, or an empty string when no file could be created.
std::string createUniqueFile(const std::string& folder, const std::string& prefix);

// Where a copy goes, and how far it must be stored before the copy counts as made.
enum class CopyInto {
    // A file this process made for itself: replaced; a link planted there is not followed.
    ownFile,
    // A file that must not exist yet: created with the permissions of the source (so it is
    // never readable by more users than the source) and written through to stable storage.
    newFile,
};

// Copies the content of one open file, from where it is read to its end, onto another.
bool copyContent(int from, int to);
// Copies the content of one file to another.
bool copyFile(const std::string& from, const std::string& to, CopyInto destination);

// Removes the file whatever its attributes; the library removes only files it made itself.
bool deleteFile(const std::string& path);
bool fileExists(const std::string& path);
// Whether the existing file can be opened for writing, as the write itself will open it. It is
// opened without truncating and closed again, so its content stays as it is. False for a
// missing file and for anything that is no regular file.
bool canOpenForWriting(const std::string& path);
// Why a file cannot be opened as a load or a save opens it. notAFile: a pipe, a device or a
// socket, which could keep a read or a write waiting for ever. beingSaved: another save of the
// same file did not end within the wait.
enum class FileProblem {
    none,
    missing,
    folder,
    permissionDenied,
    readOnly,
    locked,
    notAFile,
    beingSaved,
    other
};
// Asked after an open failed: why the file cannot be written (a file that does not exist yet:
// why it cannot be created in its folder). none when nothing stands in the way now.
FileProblem whyNotWritable(const std::string& path);
// Where creating a file by the path puts it: at the end of the symbolic links the path names,
// or at the path itself.
std::string whereCreated(const std::string& path);

// The attributes of a file as a whole, to be put back later: on Windows the attribute bits, on
// POSIX nothing, where writing keeps the file's mode.
using FileAttributes = unsigned long;
// Clears the attributes that keep the system from replacing the file's content (on Windows
// hidden and system) and gives the attributes it had.
FileAttributes clearAttributesBlockingWrites(const std::string& path);
// Gives the file back the attributes it had, with the archive mark a write sets on Windows.
void putBackAttributes(const std::string& path, FileAttributes attributes);

// Bytes that name the existing file itself, the same for every path that reaches it; empty
// when the file cannot be reached.
std::string fileIdentity(const std::string& path);
// The same for an open file.
std::string identityOf(int fd);

// Opens a regular file for reading, the one way every file the library reads is opened: it
// never waits (a pipe, a device, a socket or a folder is refused at once) and, on Windows,
// shares reading, writing and deletion, so that a file another program holds open still
// reads. -1 when it cannot be opened; problem then says why.
int openToRead(const std::string& path, FileProblem& problem);
// Reads some bytes: their number, 0 at the end, -1 on a failure.
long readSome(int fd, char* into, std::size_t count);
// Reads again from the first byte.
bool rewindFile(int fd);
// The open file's size in bytes; -1 when it cannot be told.
long long fileSize(int fd);
// Whether the open file, opened by the path, lies in the folder or below it, once every link
// is resolved. An empty folder is the current one.
bool isWithinFolder(int fd, const std::string& path, const std::string& folder);

// Hidden follows the platform's convention; on POSIX a name that begins with a dot, which
// setting or clearing cannot change, so both report success for an existing file.
bool isHiddenFile(const std::string& path);
bool setHiddenFile(const std::string& path, bool hidden);

// A file opened for writing from its first byte, created when missing, by a descriptor;
// -1 when it cannot be opened.
int openForWriting(const std::string& path);
// Writes some of the bytes; the number written, or -1 on a failure that retrying cannot cure.
long writeSome(int fd, const char* data, std::size_t count);
// Waits until what was written is on stable storage; false if that failed.
bool syncFile(int fd);
// Makes a change to the names in the folder (a new name, a rename) survive a power loss.
bool syncFolder(const std::string& folder);

// Waits until no other save of the same file, in any process or thread, holds it, then holds
// it for as long as the descriptor stays open. The wait is bounded: false when another save
// held the file all that time.
bool holdForSaving(int fd);
// How many names the open file has in its file system.
unsigned long linkCount(int fd);
// Gives an existing file a second name, which must not exist yet. False where the system
// cannot (another drive, a file system without links, the name taken); nothing is made then.
bool linkFile(const std::string& existing, const std::string& name);

// The folder for temporary files, with its trailing separator.
std::string temporaryFolder();

}  // namespace tovalin::platform

#endif
