// The copy of a file's earlier content that a save keeps beside it, as the path plus
// ".BAK", until the new content is safely stored.
#ifndef TOVALIN_WRITER_BACKUP_HPP
#define TOVALIN_WRITER_BACKUP_HPP

#include <string>

namespace tovalin::writer {

class Backup {
  public:
    // Makes sure the file can be written, then copies an existing file to its backup,
    // replacing an older backup; nothing is copied for a file that does not exist yet.
    explicit Backup(std::string target);
    // Deletes the backup, unless it holds content that could not be put back.
    ~Backup();
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;

    // False when the file must not be written: the file or its backup has no usable name, or
    // an existing file cannot be opened for writing or could not be copied. Nothing was
    // changed then.
    bool ready() const { return prepared; }
    // Puts the earlier state back once the file was written to: the earlier content over the
    // file, or no file at all where there was none (a symbolic link that stood at its name
    // stays, and the file made at the link's target goes). False when the earlier content
    // could not be put back and stays in the backup.
    bool restore();
    const std::string& backupPath() const { return copy; }

  private:
    bool prepare();

    const std::string target;
    const std::string copy;
    std::string created;
    bool existed = false;
    bool made = false;
    bool kept = false;
    const bool prepared;
};

}  // namespace tovalin::writer

#endif
