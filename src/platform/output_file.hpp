// The content written to an open file, which counts as stored only once it reached stable
// storage without any error.
#ifndef TOVALIN_PLATFORM_OUTPUT_FILE_HPP
#define TOVALIN_PLATFORM_OUTPUT_FILE_HPP

#include <memory>
#include <ostream>
#include <string>

namespace tovalin::platform {

class OutputFile {
  public:
    // Writes to the open file from where it stands; the file stays the caller's to close. In
    // text mode each line feed written is stored as the platform's line end.
    OutputFile(int fd, bool textMode);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    std::ostream& stream();
    // Writes out what is buffered and waits until the file is on stable storage. False when
    // any write or the flush failed.
    bool commit();

  private:
    class Buffer;
    std::unique_ptr<Buffer> buffer;
    std::ostream out;
};

}  // namespace tovalin::platform

#endif
