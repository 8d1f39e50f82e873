// A file written from the start, whose content counts as stored only once it reached
// stable storage without any error.
#ifndef TOVALIN_PLATFORM_OUTPUT_FILE_HPP
#define TOVALIN_PLATFORM_OUTPUT_FILE_HPP

#include <memory>
#include <ostream>
#include <string>

namespace tovalin::platform {

class OutputFile {
  public:
    // Opens the file for writing from its first byte, creating it when it does not exist.
    // In text mode each line feed written is stored as the platform's line end.
    OutputFile(const std::string& path, bool textMode);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool isOpen() const;
    std::ostream& stream();
    // Writes out what is buffered, waits until the file is on stable storage and closes it.
    // False when any write, the flush or the close failed.
    bool commit();

  private:
    class Buffer;
    std::unique_ptr<Buffer> buffer;
    std::ostream out;
};

}  // namespace tovalin::platform

#endif
