// The copy of a file's earlier content that a save keeps beside it, as the path plus
// ".BAK", until the new content is safely stored.
#ifndef TOVALIN_WRITER_BACKUP_HPP
#define TOVALIN_WRITER_BACKUP_HPP

#include <string>

namespace tovalin::writer {

class Backup {
  public:
    // Copies an existing file to its backup, replacing an older backup; nothing is copied
    // for a file that does not exist yet.
    explicit Backup(std::string target);
    // Deletes the backup, unless it holds content that could not be put back.
    ~Backup();
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;

    // False when an existing file could not be copied: it must not be written then.
    bool ready() const { return !existed || made; }
    // Puts the earlier state back: the earlier content over the file, or no file at all
    // where there was none.
    void restore();

  private:
    std::string target;
    std::string copy;
    bool existed;
    bool made = false;
    bool kept = false;
};

}  // namespace tovalin::writer

#endif
