#include "writer/save.hpp"

#include <memory>

#include "platform/new_file.hpp"
#include "platform/output_file.hpp"
#include "platform/platform.hpp"
#include "writer/backup.hpp"
#include "writer/format_target.hpp"
#include "writer/held_file.hpp"
#include "writer/save_messages.hpp"

namespace tovalin::writer {
namespace {

using platform::FileProblem;
using Content = std::function<void(xercesc::XMLFormatter&, xercesc::XMLFormatTarget&)>;

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

// Writes the whole content into the open file through a formatter for the encoding, and
// stores it durably.
bool writeContentTo(int fd, TL_ENCODE_TYPE type, bool asWritten, const Content& writeContent,
                    std::string& why) {
    // Only Shift_JIS files keep the Windows line end; the Unicode ones store line feeds.
    platform::OutputFile file(fd, type == TL_ENCODE_SHIFT_JIS && !asWritten);
    try {
        const std::unique_ptr<XcsXmlFormatTarget> output = targetFor(type, file.stream());
        // Little-endian whatever the machine, as the byte-order mark says.
        xercesc::XMLFormatter formatter(
            type == TL_ENCODE_UTF16 ? "UTF-16LE" : declaredEncoding(type), output.get(),
            xercesc::XMLFormatter::CharEscapes, xercesc::XMLFormatter::UnRep_Fail);
        writeContent(formatter, *output);
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

// A file that does not exist yet is written whole without a name, then given its name, which
// makes it appear complete or not at all.
bool createFile(const std::string& file, TL_ENCODE_TYPE type, bool asWritten,
                const Content& writeContent, std::string& why) {
    platform::NewFile made(platform::folderOf(file));
    if (!made.isOpen()) {
        why = save_messages::cannotWrite(platform::whyNotWritable(file));
        return false;
    }
    if (!writeContentTo(made.descriptor(), type, asWritten, writeContent, why)) return false;
    if (made.nameAs(file)) {
        platform::syncFolder(platform::folderOf(file));
        return true;
    }
    // Another save made the file while this one wrote.
    why = save_messages::cannotWrite(platform::fileExists(file) ? FileProblem::beingSaved
                                                                : platform::whyNotWritable(file));
    return false;
}

// The new content is written to a new file beside the old one, which takes the old one's place
// in one step; until then the backup is a second name of the old file.
bool replaceFile(platform::NewFile& made, Backup& backup, const std::string& file,
                 TL_ENCODE_TYPE type, bool asWritten, const Content& writeContent,
                 std::string& why) {
    if (!backup.link()) {
        why = save_messages::backupInTheWay(backup.path(), platform::whyNotWritable(backup.path()));
        return false;
    }
    if (!writeContentTo(made.descriptor(), type, asWritten, writeContent, why)) return false;
    if (!made.replace(backup.path(), file)) {
        why = save_messages::writeFailed();
        return false;
    }
    backup.handedOver();
    return true;
}

// The file itself is written over, behind a copy of its earlier content that is put back when
// the write fails.
bool rewriteFile(Backup& backup, const std::string& file, TL_ENCODE_TYPE type, bool asWritten,
                 const Content& writeContent, std::string& why) {
    if (!backup.copy()) {
        why = save_messages::backupInTheWay(backup.path(), platform::whyNotWritable(backup.path()));
        return false;
    }
    {
        platform::Descriptor out(platform::openForWriting(file));
        if (!out.isOpen()) {
            why = save_messages::cannotWrite(platform::whyNotWritable(file));
            return false;
        }
        if (writeContentTo(out.get(), type, asWritten, writeContent, why)) {
            if (out.close()) return true;
            why = save_messages::writeFailed();
        }
    }
    // Only once the file is closed: Windows copies onto no file that is held open.
    if (!backup.restore() && !backup.outOfSight()) {
        why += save_messages::earlierContentKeptIn(backup.path());
    }
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

bool saveFile(const std::string& target, TL_ENCODE_TYPE type, bool asWritten,
              const Content& writeContent, std::string& why) {
    if (declaredEncoding(type) == nullptr) return false;
    const std::string backupPath = target + ".BAK";
    // Checked before anything is touched: a file whose backup could not be named could never
    // be saved.
    if (!platform::isUsablePath(target) || !platform::isUsablePath(backupPath)) {
        why = platform::isUsablePath(target) ? save_messages::backupPathTooLong(backupPath)
                                             : save_messages::cannotWrite(FileProblem::other);
        return false;
    }
    // A link stays a link: the file at its end is the one replaced.
    const std::string file = platform::whereCreated(target);
    const HeldFile held(file);
    if (held.problem() != FileProblem::none) {
        why = save_messages::cannotWrite(held.problem());
        return false;
    }
    if (!held.exists()) return createFile(file, type, asWritten, writeContent, why);
    // A file the user may not write is not replaced either.
    if (!platform::canOpenForWriting(file)) {
        why = save_messages::cannotWrite(platform::whyNotWritable(file));
        return false;
    }
    Backup backup(backupPath, file, held.descriptor());
    if (!backup.cleared()) {
        why = save_messages::backupInTheWay(backupPath, platform::whyNotWritable(backupPath));
        return false;
    }
    const AttributesSetAside attributes(file);
    // A file with other names stays the one file they all name, and one whose owner or
    // attributes this process cannot give a new file, or that another program holds open
    // against its replacement, stays that file: they are written in place.
    std::unique_ptr<platform::NewFile> made;
    if (platform::linkCount(held.descriptor()) == 1) {
        made.reset(new platform::NewFile(platform::folderOf(file)));
        if (made->isOpen() && made->mayReplace(held.descriptor(), file)) {
            return replaceFile(*made, backup, file, type, asWritten, writeContent, why);
        }
        // A folder that takes no new file; anything else stops the save.
        if (!made->isOpen() && made->problem() != FileProblem::permissionDenied) {
            why = save_messages::writeFailed();
            return false;
        }
        made.reset();
    }
    return rewriteFile(backup, file, type, asWritten, writeContent, why);
}

}  // namespace tovalin::writer
