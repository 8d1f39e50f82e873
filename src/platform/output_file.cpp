#include "platform/output_file.hpp"

#include <cstring>
#include <streambuf>
#include <vector>

#include "platform/platform.hpp"

namespace tovalin::platform {

// Buffers the bytes, puts CR before each LF in text mode, and remembers any failed write.
class OutputFile::Buffer : public std::streambuf {
  public:
    Buffer(int fd, bool textMode) : fd(fd), textMode(textMode) { bytes.reserve(capacity); }

    bool commit() { return drain() && syncFile(fd); }

  protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override {
        const char* const end = data + count;
        while (data != end && !failed) {
            const char* lineFeed = textMode ? static_cast<const char*>(std::memchr(
                                                  data, '\n', static_cast<std::size_t>(end - data)))
                                            : nullptr;
            put(data, static_cast<std::size_t>((lineFeed == nullptr ? end : lineFeed) - data));
            if (lineFeed == nullptr) break;
            put("\r\n", 2);
            data = lineFeed + 1;
        }
        return failed ? 0 : count;
    }
    int_type overflow(int_type byte) override {
        if (traits_type::eq_int_type(byte, traits_type::eof())) return traits_type::not_eof(byte);
        const char c = traits_type::to_char_type(byte);
        xsputn(&c, 1);
        return failed ? traits_type::eof() : byte;
    }
    int sync() override { return drain() ? 0 : -1; }

  private:
    static constexpr std::size_t capacity = 1 << 16;

    void put(const char* data, std::size_t count) {
        if (bytes.size() + count > capacity) drain();
        if (count >= capacity) {
            writeAll(data, count);
        } else {
            bytes.insert(bytes.end(), data, data + count);
        }
    }

    bool drain() {
        writeAll(bytes.data(), bytes.size());
        bytes.clear();
        return !failed;
    }

    void writeAll(const char* data, std::size_t count) {
        std::size_t done = 0;
        while (!failed && done < count) {
            const long written = writeSome(fd, data + done, count - done);
            if (written > 0) {
                done += static_cast<std::size_t>(written);
            } else {
                failed = true;
            }
        }
    }

    const int fd;
    const bool textMode;
    bool failed = false;
    std::vector<char> bytes;
};

OutputFile::OutputFile(int fd, bool textMode)
    : buffer(new Buffer(fd, textMode)), out(buffer.get()) {}

OutputFile::~OutputFile() = default;

std::ostream& OutputFile::stream() { return out; }

bool OutputFile::commit() { return buffer->commit() && !out.fail(); }

}  // namespace tovalin::platform
