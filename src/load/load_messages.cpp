#include "load/load_messages.hpp"

#include "load/forbidden_path.hpp"
#include "text/code_page.hpp"
#include "text/format_string.hpp"

namespace tovalin::load_messages {
namespace {

std::string narrow(const char16_t* text) {
    return text::fromXmlForMessage(reinterpret_cast<const XMLCh*>(text));
}

}  // namespace

std::string refusedPath(XMLCh forbidden) {
    const std::string format = narrow(
        u"パスに%sが含まれている為、読込むことができません。\n"
        u"ファイルを移動するかフォルダ名、ファイル名を変更してください。");
    return formatString(format.c_str(), load::characterName(forbidden).c_str());
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
