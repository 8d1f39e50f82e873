#include "writer/backup.hpp"

#include "platform/platform.hpp"

namespace tovalin::writer {

Backup::Backup(std::string target)
    : target(std::move(target)),
      copy(this->target + ".BAK"),
      existed(platform::fileExists(this->target)) {
    if (!existed) return;
    // Whatever stands at the backup's name goes first, links included; the copy is then
    // created exclusively, so it never writes through a link planted there meanwhile.
    platform::deleteFile(copy);
    made = platform::copyFile(this->target, copy, platform::CopyInto::newFile);
}

Backup::~Backup() {
    if (made && !kept) platform::deleteFile(copy);
}

void Backup::restore() {
    if (!existed) {
        platform::deleteFile(target);
    } else if (made) {
        kept = !platform::copyFile(copy, target, platform::CopyInto::callersFile);
    }
}

}  // namespace tovalin::writer
