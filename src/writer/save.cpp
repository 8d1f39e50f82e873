#include "writer/save.hpp"

#include <memory>

#include "platform/output_file.hpp"
#include "platform/platform.hpp"
#include "writer/backup.hpp"
#include "writer/format_target.hpp"
#include "writer/save_messages.hpp"

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
                    const std::function<void(xercesc::XMLFormatter&)>& writeContent,
                    std::string& why) {
    try {
        const std::unique_ptr<XcsXmlFormatTarget> output = targetFor(type, file.stream());
        // Little-endian whatever the machine, as the byte-order mark says.
        xercesc::XMLFormatter formatter(
            type == TL_ENCODE_UTF16 ? "UTF-16LE" : declaredEncoding(type), output.get(),
            xercesc::XMLFormatter::CharEscapes, xercesc::XMLFormatter::UnRep_Fail);
        writeContent(formatter);
    } catch (const std::exception& refused) {
        why = refused.what();
        return false;
    } catch (...) {
        why = save_messages::writeFailed();
        return false;
    }
    if (file.commit()) return true;
    why = save_messages::writeFailed();
    return false;
}

}  // namespace

const char* declaredEncoding(TL_ENCODE_TYPE type) {
    switch (type) {
        case TL_ENCODE_UTF16:
            return "UTF-16";
        case TL_ENCODE_SHIFT_JIS:
            return "Shift_JIS";
        case TL_ENCODE_UTF8:
            return "UTF-8";
    }
    return nullptr;
}

bool saveFile(const std::string& target, TL_ENCODE_TYPE type,
              const std::function<void(xercesc::XMLFormatter&)>& writeContent, std::string& why) {
    if (declaredEncoding(type) == nullptr) return false;
    Backup backup(target);
    if (!backup.ready()) {
        // A writable file whose backup cannot be made beside it: the folder refuses.
        platform::FileProblem problem = platform::whyNotWritable(target);
        if (problem == platform::FileProblem::none) {
            problem = platform::whyNotWritable(backup.backupPath());
        }
        why = save_messages::cannotWrite(problem);
        return false;
    }
    const AttributesSetAside attributes(target);
    {
        // Only Shift_JIS files keep the Windows line end; the Unicode ones store line feeds.
        platform::OutputFile file(target, type == TL_ENCODE_SHIFT_JIS);
        if (!file.isOpen()) {
            why = save_messages::cannotWrite(platform::whyNotWritable(target));
            return false;
        }
        if (writeContentTo(file, type, writeContent, why)) return true;
    }
    // Only once the file is closed: Windows copies onto no file that is held open.
    if (!backup.restore()) why += save_messages::earlierContentKeptIn(backup.backupPath());
    return false;
}

}  // namespace tovalin::writer
