#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <streambuf>
#include <vector>

#include "platform/output_file.hpp"

namespace tovalin::platform {

// Buffers the bytes, puts CR before each LF in text mode, and remembers any failed write.
class OutputFile::Buffer : public std::streambuf {
  public:
    Buffer(const std::string& path, bool textMode)
        : fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)),
          textMode(textMode) {
        bytes.reserve(capacity);
    }
    ~Buffer() override {
        if (fd >= 0) ::close(fd);
    }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;

    bool isOpen() const { return fd >= 0; }

    bool commit() {
        if (fd < 0) return false;
        const bool stored = drain() && ::fsync(fd) == 0;
        const int closing = fd;
        fd = -1;
        return ::close(closing) == 0 && stored && !failed;
    }

  protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override {
        for (std::streamsize i = 0; i < count; ++i) put(data[i]);
        return failed ? 0 : count;
    }
    int_type overflow(int_type byte) override {
        if (traits_type::eq_int_type(byte, traits_type::eof())) return traits_type::not_eof(byte);
        put(traits_type::to_char_type(byte));
        return failed ? traits_type::eof() : byte;
    }
    int sync() override { return drain() ? 0 : -1; }

  private:
    static constexpr std::size_t capacity = 1 << 16;

    void put(char byte) {
        if (textMode && byte == '\n') bytes.push_back('\r');
        bytes.push_back(byte);
        if (bytes.size() >= capacity) drain();
    }

    bool drain() {
        std::size_t done = 0;
        while (!failed && done < bytes.size()) {
            const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (written > 0) {
                done += static_cast<std::size_t>(written);
            } else if (written == 0 || errno != EINTR) {
                failed = true;
            }
        }
        bytes.clear();
        return !failed;
    }

    int fd;
    const bool textMode;
    bool failed = false;
    std::vector<char> bytes;
};

OutputFile::OutputFile(const std::string& path, bool textMode)
    : buffer(new Buffer(path, textMode)), out(buffer.get()) {}

OutputFile::~OutputFile() = default;

bool OutputFile::isOpen() const { return buffer->isOpen(); }

std::ostream& OutputFile::stream() { return out; }

bool OutputFile::commit() { return buffer->commit() && !out.fail(); }

}  // namespace tovalin::platform
