#include "writer/save.hpp"

#include <memory>

#include "platform/output_file.hpp"
#include "platform/platform.hpp"
#include "writer/backup.hpp"
#include "writer/format_target.hpp"

namespace tovalin::writer {
namespace {

// While it lives, the file's attributes that would keep the system from replacing its content
// are cleared; then the file has its own attributes again, whatever the write did to them.
class AttributesSetAside {
  public:
    explicit AttributesSetAside(const std::string& path)
        : path(path), attributes(platform::clearAttributesBlockingWrites(path)) {}
    ~AttributesSetAside() { platform::putBackAttributes(path, attributes); }
    AttributesSetAside(const AttributesSetAside&) = delete;
    AttributesSetAside& operator=(const AttributesSetAside&) = delete;

  private:
    const std::string& path;
    const platform::FileAttributes attributes;
};

std::unique_ptr<XcsXmlFormatTarget> targetFor(TL_ENCODE_TYPE type, std::ostream& stream) {
    if (type == TL_ENCODE_UTF16) return std::make_unique<XcsXmlUnicodeFormatTarget>(stream);
    return std::make_unique<XcsXmlFormatTarget>(stream);
}

// Writes the whole content through a formatter for the encoding and stores it durably.
bool writeContentTo(platform::OutputFile& file, TL_ENCODE_TYPE type,
                    const std::function<void(xercesc::XMLFormatter&)>& writeContent) {
    try {
        const std::unique_ptr<XcsXmlFormatTarget> output = targetFor(type, file.stream());
        // Little-endian whatever the machine, as the byte-order mark says.
        xercesc::XMLFormatter formatter(type == TL_ENCODE_UTF16 ? "UTF-16LE" : "Shift_JIS",
                                        output.get(), xercesc::XMLFormatter::CharEscapes,
                                        xercesc::XMLFormatter::UnRep_Fail);
        writeContent(formatter);
    } catch (...) {
        return false;
    }
    return file.commit();
}

}  // namespace

const char* declaredEncoding(TL_ENCODE_TYPE type) {
    switch (type) {
        case TL_ENCODE_UTF16:
            return "UTF-16";
        case TL_ENCODE_SHIFT_JIS:
            return "Shift_JIS";
    }
    return nullptr;
}

bool saveFile(const std::string& target, TL_ENCODE_TYPE type,
              const std::function<void(xercesc::XMLFormatter&)>& writeContent) {
    if (declaredEncoding(type) == nullptr) return false;
    Backup backup(target);
    if (!backup.ready()) return false;
    const AttributesSetAside attributes(target);
    {
        platform::OutputFile file(target, type != TL_ENCODE_UTF16);
        if (!file.isOpen()) return false;
        if (writeContentTo(file, type, writeContent)) return true;
    }
    // Only once the file is closed: Windows copies onto no file that is held open.
    backup.restore();
    return false;
}

}  // namespace tovalin::writer
