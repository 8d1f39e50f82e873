// The earlier content of a file that a save replaces, kept as the path plus ".BAK" until the new
// content is safely stored.
#ifndef TOVALIN_WRITER_BACKUP_HPP
#define TOVALIN_WRITER_BACKUP_HPP

#include <memory>
#include <string>

#include "platform/new_file.hpp"

namespace tovalin::writer {

class Backup {
  public:
    // The backup at path of the existing file at file, held open as held. Whatever stands at
    // that name goes first, links included (a link planted there is never followed), unless
    // it reaches the file and the file has no other name: it is then the file itself.
    Backup(std::string path, std::string file, int held);
    // Deletes the backup, unless it holds content that could not be put back.
    ~Backup();
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;

    // False when the name could not be cleared; nothing may change then.
    bool cleared() const { return free; }
    // For a save that puts a new file in place of the old: the backup is a second name of the
    // old file, or a copy where the system cannot link. False when neither could be made.
    bool link();
    // For a save that writes the file itself: the backup is a copy, stored before the file
    // changes. Where the folder takes no new name it is a file without a name in the
    // temporary folder, which goes with the process and so only serves a failed write.
    bool copy();
    // Puts the earlier content back over the file after a failed write. False when it could not
    // be put back; it then stays in the backup, unless that is out of sight.
    bool restore();
    // Whether the backup is the file without a name that copy makes where the folder takes none.
    bool outOfSight() const { return unnamed != nullptr; }
    // The backup's name went to the new content on its way into place: nothing is left of it.
    void handedOver() { made = false; }
    const std::string& path() const { return name; }

  private:
    const std::string name;
    const std::string file;
    const int held;
    bool free = false;
    bool made = false;
    bool kept = false;
    std::unique_ptr<platform::NewFile> unnamed;
};

}  // namespace tovalin::writer

#endif
