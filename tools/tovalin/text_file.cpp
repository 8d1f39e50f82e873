#include "text_file.hpp"

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/TransService.hpp>
#include <xercesc/util/TranscodingException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "code_page_text.hpp"
#include "command_line.hpp"
#include "files.hpp"
#include "language.hpp"

namespace tool {
namespace {

struct Encoding {
    const char* option;
    const char16_t* transcoder;
    std::string byteOrderMark;
};

// The parser's transcoder for the encoding, which for Shift_JIS is the library's own code
// page 932, and the byte-order mark it reads the bytes after.
Encoding encodingNamed(const std::string& name, const std::string& bytes) {
    const std::string wanted = lowered(name);
    if (wanted == "shift_jis") return {"Shift_JIS", u"Shift_JIS", ""};
    if (wanted == "utf-8") return {"UTF-8", u"UTF-8", "\xEF\xBB\xBF"};
    if (wanted == "utf-16") {
        if (bytes.compare(0, 2, "\xFE\xFF") == 0) return {"UTF-16", u"UTF-16BE", "\xFE\xFF"};
        return {"UTF-16", u"UTF-16LE", "\xFF\xFE"};
    }
    throw UsageError(say({u"--encoding takes shift_jis, utf-8 or utf-16, not %1",
                          u"--encoding には shift_jis、utf-8、utf-16 のどれかを指定してください"
                          u"（%1 は指定できません）"},
                         {name}));
}

// The bytes as UTF-16; nothing for bytes that are no text in the encoding.
std::optional<Utf16> decoded(const std::string& bytes, const char16_t* encoding) {
    constexpr XMLSize_t block = 64 * 1024;
    xercesc::XMLTransService::Codes result = xercesc::XMLTransService::Ok;
    const std::unique_ptr<xercesc::XMLTranscoder> transcoder(
        xercesc::XMLPlatformUtils::fgTransService->makeNewTranscoderFor(encoding, result, block));
    if (!transcoder) throw std::runtime_error("the parser has no transcoder for an encoding");
    std::vector<XMLCh> made(block);
    std::vector<unsigned char> sizes(block);
    Utf16 text;
    const auto* data = reinterpret_cast<const XMLByte*>(bytes.data());
    for (std::size_t done = 0; done < bytes.size();) {
        XMLSize_t eaten = 0;
        try {
            text.append(made.data(),
                        transcoder->transcodeFrom(data + done, bytes.size() - done, made.data(),
                                                  block, eaten, sizes.data()));
        } catch (const xercesc::XMLException&) {
            return std::nullopt;
        }
        // Nothing taken: the text ends inside a character.
        if (eaten == 0) return std::nullopt;
        done += eaten;
    }
    return text;
}

}  // namespace

std::string readTextIn(const std::string& path, const std::string& encoding) {
    encodingNamed(encoding, {});
    std::string bytes = readFile(path);
    const Encoding stored = encodingNamed(encoding, bytes);
    if (!stored.byteOrderMark.empty() &&
        bytes.compare(0, stored.byteOrderMark.size(), stored.byteOrderMark) == 0) {
        bytes.erase(0, stored.byteOrderMark.size());
    }
    const std::optional<Utf16> text = decoded(bytes, stored.transcoder);
    if (!text) {
        throw std::runtime_error(
            say({u"%1: not %2 text", u"%1: %2 のテキストではありません"}, {path, stored.option}));
    }
    return CodePageText().narrow(*text);
}

std::string readTextInCodePage(const std::string& path) {
    std::string bytes = readFile(path);
    try {
        CodePageText().wide(bytes);
    } catch (const xercesc::TranscodingException&) {
        throw std::runtime_error(
            say({u"%1: not text in the terminal's code page; name the file's encoding, for "
                 u"instance --encoding shift_jis",
                 u"%1: 端末の文字コードのテキストではありません。--encoding shift_jis のように"
                 u"ファイルの文字コードを指定してください"},
                {path}));
    }
    return bytes;
}

}  // namespace tool
