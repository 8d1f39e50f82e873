// A file for the new content of a save, made beside the file it is to replace and kept without
// a lasting name until the content is complete, so that a process killed while it writes leaves
// nothing behind: on Linux a file without a name (O_TMPFILE), on Windows a file the system
// deletes when its handle closes, however the process ends. Where the folder's file system
// offers neither, it has a temporary name beside the target, removed on every way out of the
// save but left by a process killed while it writes.
#ifndef TOVALIN_PLATFORM_NEW_FILE_HPP
#define TOVALIN_PLATFORM_NEW_FILE_HPP

#include <string>

#include "platform/platform.hpp"

namespace tovalin::platform {

class NewFile {
  public:
    // Makes the file in the folder (empty: the current one), readable and writable as a new
    // file is, by every user the process's file creation mask allows.
    explicit NewFile(const std::string& folder);
    // Closes the file; one that was not put in place is gone.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool isOpen() const { return file.isOpen(); }
    // Why the file could not be made.
    FileProblem problem() const { return why; }
    int descriptor() const { return file.get(); }

    // Readies the file to take the place of the existing file, open as existing, at the path.
    // On POSIX it gets what the existing file has besides its content: owner and group,
    // permissions, and extended attributes with the access control lists among them. On
    // Windows, whose replacement keeps those itself, no other program may hold the existing
    // file open without sharing its deletion. False when the file could not replace the
    // existing one without changing what it is, or not at all.
    bool mayReplace(int existing, const std::string& path);
    // Gives the file the path as its name, which must not exist yet: false when it exists (then
    // nothing changed) or the name cannot be made.
    bool nameAs(const std::string& path);
    // Puts the file in place of the file at replaced, so that the name holds either file whole,
    // and makes that survive a power loss: a rename on POSIX, ReplaceFileW on Windows. backup
    // is the name of the old file's backup, which is gone afterwards: on POSIX the new file
    // passes through that name, on Windows the old one. False when the old file stays at its
    // name; the backup's name may then hold either content.
    bool replace(const std::string& backup, const std::string& replaced);

  private:
    Descriptor file;
    // The name the file stands at until it is put in place, where it could not be made
    // without one.
    std::string temporaryName;
    FileProblem why = FileProblem::none;
};

}  // namespace tovalin::platform

#endif
