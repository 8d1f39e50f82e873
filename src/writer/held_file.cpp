#include "writer/held_file.hpp"

namespace tovalin::writer {

HeldFile::HeldFile(const std::string& path) {
    // A save that held the file may have put a new one in its place: that one is held then.
    // Each round follows a save that ended, so a few rounds suffice unless saves never stop.
    for (int round = 0; round < 16; ++round) {
        file = platform::Descriptor(platform::openToRead(path, why));
        if (why == platform::FileProblem::missing) why = platform::FileProblem::none;
        if (!file.isOpen()) return;
        if (!platform::holdForSaving(file.get())) break;
        if (platform::fileIdentity(path) == platform::identityOf(file.get())) return;
    }
    file = platform::Descriptor();
    why = platform::FileProblem::beingSaved;
}

}  // namespace tovalin::writer
