#include "files.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "command_line.hpp"
#include "language.hpp"

namespace tool {

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

TL_ENCODE_TYPE encodingOption(const std::string& name) {
    const std::string wanted = lowered(name);
    if (wanted == "shift_jis") return TL_ENCODE_SHIFT_JIS;
    if (wanted == "utf-16") return TL_ENCODE_UTF16;
    if (wanted == "utf-8") return TL_ENCODE_UTF8;
    throw UsageError(say({u"--encoding takes shift_jis, utf-16 or utf-8, not %1",
                          u"--encoding には shift_jis、utf-16、utf-8 のどれかを指定してください"
                          u"（%1 は指定できません）"},
                         {name}));
}

TL_ENCODE_TYPE keptEncoding(const std::string& fileEncoding) {
    for (const TL_ENCODE_TYPE type : {TL_ENCODE_UTF16, TL_ENCODE_UTF8}) {
        if (fileEncoding == encodingName(type)) return type;
    }
    return TL_ENCODE_SHIFT_JIS;
}

const char* encodingName(TL_ENCODE_TYPE type) {
    switch (type) {
        case TL_ENCODE_UTF16:
            return "UTF-16";
        case TL_ENCODE_UTF8:
            return "UTF-8";
        default:
            return "Shift_JIS";
    }
}

}  // namespace tool
