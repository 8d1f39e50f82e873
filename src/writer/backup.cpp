#include "writer/backup.hpp"

#include "platform/platform.hpp"

namespace tovalin::writer {

Backup::Backup(std::string target)
    : target(std::move(target)), copy(this->target + ".BAK"), prepared(prepare()) {}

bool Backup::prepare() {
    if (!platform::isUsablePath(target) || !platform::isUsablePath(copy)) return false;
    existed = platform::fileExists(target);
    if (!existed) {
        created = platform::whereCreated(target);
        return true;
    }
    // A file that cannot be written gets no backup: nothing would ever need it.
    if (!platform::canOpenForWriting(target)) return false;
    // Whatever stands at the backup's name goes first, links included; the copy is then
    // created exclusively, so it never writes through a link planted there meanwhile.
    platform::deleteFile(copy);
    made = platform::copyFile(target, copy, platform::CopyInto::newFile);
    return made;
}

Backup::~Backup() {
    if (made && !kept) platform::deleteFile(copy);
}

bool Backup::restore() {
    if (existed) {
        kept = !platform::copyFile(copy, target, platform::CopyInto::callersFile);
    } else {
        platform::deleteFile(created);
    }
    return !kept;
}

}  // namespace tovalin::writer
