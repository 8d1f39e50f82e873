#include "writer/backup.hpp"

namespace tovalin::writer {
namespace {

// Copies the whole content of the open file over the file at the path, and stores it.
bool copyOver(int from, const std::string& to) {
    platform::Descriptor out(platform::openForWriting(to));
    return out.isOpen() && platform::rewindFile(from) && platform::copyContent(from, out.get()) &&
           platform::syncFile(out.get()) && out.close();
}

}  // namespace

Backup::Backup(std::string path, std::string target, int heldFile)
    : name(std::move(path)), file(std::move(target)), held(heldFile) {
    const bool isTheFile = platform::fileIdentity(name) == platform::identityOf(held) &&
                           platform::linkCount(held) == 1;
    if (isTheFile) return;
    platform::deleteFile(name);
    free = !platform::fileExists(name);
}

Backup::~Backup() {
    if (made && !kept) platform::deleteFile(name);
}

bool Backup::link() {
    made = platform::linkFile(file, name) ||
           platform::copyFile(file, name, platform::CopyInto::newFile);
    return made;
}

bool Backup::copy() {
    made = platform::copyFile(file, name, platform::CopyInto::newFile);
    if (made || platform::whyNotWritable(name) != platform::FileProblem::permissionDenied) {
        return made;
    }
    unnamed.reset(new platform::NewFile(platform::temporaryFolder()));
    return unnamed->isOpen() && platform::rewindFile(held) &&
           platform::copyContent(held, unnamed->descriptor());
}

bool Backup::restore() {
    if (unnamed) return copyOver(unnamed->descriptor(), file);
    platform::FileProblem problem;
    const platform::Descriptor source(platform::openToRead(name, problem));
    kept = !(source.isOpen() && copyOver(source.get(), file));
    return !kept;
}

}  // namespace tovalin::writer
