#include "load/load_messages.hpp"

#include "load/forbidden_path.hpp"
#include "text/code_page.hpp"
#include "text/format_string.hpp"

namespace tovalin::load_messages {
std::string refusedPath(XMLCh forbidden) {
    const std::string format = text::messageText(
        u"パスに%sが含まれている為、読込むことができません。\n"
        u"ファイルを移動するかフォルダ名、ファイル名を変更してください。");
    return formatString(format.c_str(), load::characterName(forbidden).c_str());
}

std::string moveFileAndRetry() {
    return text::messageText(u"ファイルを移動してからもう一度行ってください。");
}

std::string cannotRead(platform::FileProblem problem) {
    using platform::FileProblem;
    switch (problem) {
        case FileProblem::missing:
            return text::messageText(u"ファイルが見つかりません。");
        case FileProblem::folder:
            return text::messageText(u"ファイルではなくフォルダが指定されています。");
        case FileProblem::permissionDenied:
            return text::messageText(u"ファイルを読込む権限がありません。");
        case FileProblem::locked:
            return text::messageText(
                u"ファイルが他のプログラムで使用中の為、読込むことができません。");
        case FileProblem::notAFile:
            return text::messageText(
                u"通常のファイルではない（パイプやデバイスなど）為、読込むことができません。");
        default:
            return {};
    }
}

std::string earlierContentMayBeIn(const std::string& backup) {
    return formatString(
        text::messageText(u"\n保存が途中で止まった場合は、以前の内容が %s に残っています。")
            .c_str(),
        backup.c_str());
}

std::string dtdLeftOut(const std::string& dtd) {
    const std::string format =
        text::messageText(u"DTD「%s」を読込めない為、DTD を使わずに読込みました。");
    return formatString(format.c_str(), dtd.c_str());
}

std::string expandsBeyondLimit() {
    return text::messageText(
        u"文書を展開すると許容される大きさを超える為、読込むことができません。");
}

std::string openFailed(const XMLERROR_TYPE& problem) {
    const std::string format =
        text::messageText(u"ファイルのオープンに失敗しました｡\n%s\n行番号: %u\n列番号: %u");
    return formatString(format.c_str(), problem.message.c_str(), problem.lineNumber,
                        problem.columnNumber);
}

}  // namespace tovalin::load_messages
