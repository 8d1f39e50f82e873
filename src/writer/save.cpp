#include <memory>

#include <xercesc/framework/XMLFormatter.hpp>

#include "platform/output_file.hpp"
#include "platform/platform.hpp"
#include "tovalin/document.hpp"
#include "writer/backup.hpp"
#include "writer/format_target.hpp"
#include "writer/tree_writer.hpp"

namespace {

// The formatter of one save, held in the document object's member while the tree is
// written and gone again on every way out.
class ActiveFormatter {
  public:
    ActiveFormatter(xercesc::XMLFormatter*& member, const char* encoding,
                    xercesc::XMLFormatTarget* target)
        : member(member) {
        member = new xercesc::XMLFormatter(encoding, target, xercesc::XMLFormatter::CharEscapes,
                                           xercesc::XMLFormatter::UnRep_Fail);
    }
    ~ActiveFormatter() {
        delete member;
        member = nullptr;
    }
    ActiveFormatter(const ActiveFormatter&) = delete;
    ActiveFormatter& operator=(const ActiveFormatter&) = delete;

  private:
    xercesc::XMLFormatter*& member;
};

// While it lives, the file's attributes that would keep the system from replacing its content
// are cleared; then the file has its own attributes again, whatever the write did to them.
class AttributesSetAside {
  public:
    explicit AttributesSetAside(const std::string& path)
        : path(path), attributes(tovalin::platform::clearAttributesBlockingWrites(path)) {}
    ~AttributesSetAside() { tovalin::platform::putBackAttributes(path, attributes); }
    AttributesSetAside(const AttributesSetAside&) = delete;
    AttributesSetAside& operator=(const AttributesSetAside&) = delete;

  private:
    const std::string& path;
    const tovalin::platform::FileAttributes attributes;
};

std::unique_ptr<XcsXmlFormatTarget> targetFor(TL_ENCODE_TYPE type, std::ostream& stream) {
    if (type == TL_ENCODE_UTF16) return std::make_unique<XcsXmlUnicodeFormatTarget>(stream);
    return std::make_unique<XcsXmlFormatTarget>(stream);
}

}  // namespace

bool XcsXmlDOMDocument::save(const std::string& target, TL_ENCODE_TYPE type) {
    if (document->isNull() || (type != TL_ENCODE_UTF16 && type != TL_ENCODE_SHIFT_JIS)) {
        return false;
    }
    return writeFile(target, type);
}

// Writes the whole file and stores it durably, keeping its earlier content in the backup until
// then. A failure before the file is opened changes nothing; a later one puts the earlier
// content and encoding name back.
bool XcsXmlDOMDocument::writeFile(const std::string& target, TL_ENCODE_TYPE type) {
    tovalin::writer::Backup backup(target);
    if (!backup.ready()) return false;
    const AttributesSetAside attributes(target);
    const bool unicode = type == TL_ENCODE_UTF16;
    const std::string earlier = encoding;
    {
        tovalin::platform::OutputFile file(target, !unicode);
        if (!file.isOpen()) return false;
        bool written = true;
        try {
            const std::unique_ptr<XcsXmlFormatTarget> output = targetFor(type, file.stream());
            encoding = unicode ? "UTF-16" : "Shift_JIS";
            // Little-endian whatever the machine, as the byte-order mark says.
            const ActiveFormatter active(formatter, unicode ? "UTF-16LE" : "Shift_JIS",
                                         output.get());
            saveDOMTree(*document);
        } catch (...) {
            written = false;
        }
        if (written && file.commit()) return true;
    }
    // Only once the file is closed: Windows copies onto no file that is held open.
    encoding = earlier;
    backup.restore();
    return false;
}

bool XcsXmlDOMDocument::saveDOMTree(XcsXmlNode& node) {
    const xercesc::DOMNode* target = node;
    if (formatter == nullptr || target == nullptr) return false;
    return tovalin::writer::writeTree(*formatter, target, encoding);
}
