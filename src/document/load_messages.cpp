#include "document/load_messages.hpp"

#include "document/format_string.hpp"
#include "text/code_page.hpp"

namespace tovalin::load_messages {
namespace {

constexpr XMLCh fullWidthHyphenMinus = 0xFF0D;
constexpr XMLCh fullWidthTilde = 0xFF5E;

std::string narrow(const char16_t* text) {
    return text::fromXmlForMessage(reinterpret_cast<const XMLCh*>(text));
}

}  // namespace

XMLCh firstForbiddenCharacter(const XMLCh* path) {
    for (const XMLCh* unit = path; *unit != 0; ++unit) {
        if (*unit == fullWidthHyphenMinus || *unit == fullWidthTilde) return *unit;
    }
    return 0;
}

std::string characterName(XMLCh forbidden) {
    return narrow(forbidden == fullWidthHyphenMinus ? u"全角「－」" : u"全角「～」");
}

std::string refusedPath(XMLCh forbidden) {
    const std::string format = narrow(
        u"パスに%sが含まれている為、読込むことができません。\n"
        u"ファイルを移動するかフォルダ名、ファイル名を変更してください。");
    return formatString(format.c_str(), characterName(forbidden).c_str());
}

std::string moveFileAndRetry() { return narrow(u"ファイルを移動してからもう一度行ってください。"); }

std::string expandsBeyondLimit() {
    return narrow(u"文書を展開すると許容される大きさを超える為、読込むことができません。");
}

std::string openFailed(const XMLERROR_TYPE& problem) {
    const std::string format =
        narrow(u"ファイルのオープンに失敗しました｡\n%s\n行番号: %u\n列番号: %u");
    return formatString(format.c_str(), problem.message.c_str(), problem.lineNumber,
                        problem.columnNumber);
}

}  // namespace tovalin::load_messages
