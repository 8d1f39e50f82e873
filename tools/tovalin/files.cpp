#include "files.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "command_line.hpp"
#include "language.hpp"

namespace tool {
namespace {

// The value of encoding="..." in the declaration at the start of an ASCII-compatible file.
std::string declaredEncoding(const std::string& start) {
    if (start.compare(0, 5, "<?xml") != 0) return {};
    const std::string declaration = start.substr(0, start.find("?>"));
    const std::string::size_type name = declaration.find("encoding");
    if (name == std::string::npos) return {};
    const std::string::size_type open = declaration.find_first_of("\"'", name);
    if (open == std::string::npos) return {};
    const std::string::size_type close = declaration.find(declaration[open], open + 1);
    return declaration.substr(open + 1, close == std::string::npos ? close : close - open - 1);
}

}  // namespace

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(say({u"%1: cannot be read", u"%1: 読み込めません"}, {path}));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string encodingOfFile(const std::string& path) {
    const std::string start = readFile(path).substr(0, 256);
    // A byte-order mark, or without one the declaration's "<?" in either byte order, as the
    // parser tells UTF-16 from the encodings that read "<?" as ASCII.
    using namespace std::string_literals;
    for (const std::string& utf16Start : {"\xFF\xFE"s, "\xFE\xFF"s, "<\0?\0"s, "\0<\0?"s}) {
        if (start.compare(0, utf16Start.size(), utf16Start) == 0) return "UTF-16";
    }
    const std::string declared =
        declaredEncoding(start.compare(0, 3, "\xEF\xBB\xBF") == 0 ? start.substr(3) : start);
    const std::string name = lowered(declared);
    if (name == "shift_jis" || name == "windows-31j" || name == "cp932" || name == "sjis") {
        return "Shift_JIS";
    }
    if (name.compare(0, 6, "utf-16") == 0) return "UTF-16";
    return declared.empty() ? "UTF-8" : declared;
}

TL_ENCODE_TYPE encodingOption(const std::string& name) {
    const std::string wanted = lowered(name);
    if (wanted == "shift_jis") return TL_ENCODE_SHIFT_JIS;
    if (wanted == "utf-16") return TL_ENCODE_UTF16;
    throw UsageError(
        say({u"--encoding takes shift_jis or utf-16, not %1",
             u"--encoding には shift_jis か utf-16 を指定してください（%1 は指定できません）"},
            {name}));
}

TL_ENCODE_TYPE keptEncoding(const std::string& fileEncoding) {
    return fileEncoding == "UTF-16" ? TL_ENCODE_UTF16 : TL_ENCODE_SHIFT_JIS;
}

const char* encodingName(TL_ENCODE_TYPE type) {
    return type == TL_ENCODE_UTF16 ? "UTF-16" : "Shift_JIS";
}

}  // namespace tool
