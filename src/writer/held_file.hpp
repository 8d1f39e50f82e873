// The file a save replaces, held against every other save of it, in any thread or process,
// from before its backup is made until the new content is in place.
#ifndef TOVALIN_WRITER_HELD_FILE_HPP
#define TOVALIN_WRITER_HELD_FILE_HPP

#include <string>

#include "platform/platform.hpp"

namespace tovalin::writer {

class HeldFile {
  public:
    // Opens the existing file at the path and waits until no other save holds it; a file
    // that does not exist is not held.
    explicit HeldFile(const std::string& path);

    bool exists() const { return file.isOpen(); }
    // Why the file cannot be saved: it is no regular file, cannot be read, or another save
    // held it for the whole wait. none for a file held, or one that does not exist.
    platform::FileProblem problem() const { return why; }
    int descriptor() const { return file.get(); }

  private:
    platform::Descriptor file;
    platform::FileProblem why = platform::FileProblem::none;
};

}  // namespace tovalin::writer

#endif
