#include "writer/save_messages.hpp"

#include <xercesc/util/XercesDefs.hpp>

#include "text/code_page.hpp"
#include "text/format_string.hpp"

namespace tovalin::writer::save_messages {

std::string unwritableCharacter(unsigned long codePoint, const std::string& encoding,
                                const std::string& element) {
    const std::string format = text::messageText(
        u"文字 U+%04lX は %s のファイルに書込めない為、保存できません。\n要素: %s");
    return formatString(format.c_str(), codePoint, encoding.c_str(), element.c_str());
}

std::string cannotWrite(platform::FileProblem problem) {
    using platform::FileProblem;
    switch (problem) {
        case FileProblem::missing:
            return text::messageText(u"保存先のフォルダが見つからない為、保存できません。");
        case FileProblem::folder:
            return text::messageText(u"保存先がフォルダの為、保存できません。");
        case FileProblem::permissionDenied:
            return text::messageText(u"保存先に書込む権限が無い為、保存できません。");
        case FileProblem::readOnly:
            return text::messageText(u"保存先が読み取り専用の為、保存できません。");
        case FileProblem::locked:
            return text::messageText(
                u"保存先のファイルが他のプログラムで使用中の為、保存できません。");
        case FileProblem::notAFile:
            return text::messageText(
                u"保存先が通常のファイルではない（パイプやデバイスなど）為、保存できません。");
        case FileProblem::beingSaved:
            return text::messageText(
                u"保存先のファイルは別の保存の途中で、待っても終わらなかった為、保存できません。");
        default:
            return text::messageText(u"保存先のファイルに書込めない為、保存できません。");
    }
}

std::string backupInTheWay(const std::string& backup, platform::FileProblem problem) {
    using platform::FileProblem;
    const char16_t* reason = u"バックアップ %s を作れない為、保存できません。";
    switch (problem) {
        case FileProblem::folder:
            reason = u"バックアップの名前 %s がフォルダの為、保存できません。";
            break;
        case FileProblem::locked:
            reason = u"バックアップ %s が他のプログラムで使用中の為、保存できません。";
            break;
        case FileProblem::permissionDenied:
            reason = u"バックアップ %s を書込む権限が無い為、保存できません。";
            break;
        case FileProblem::readOnly:
            reason = u"バックアップ %s が読み取り専用の為、保存できません。";
            break;
        default:
            break;
    }
    return formatString(text::messageText(reason).c_str(), backup.c_str());
}

std::string backupPathTooLong(const std::string& backup) {
    return formatString(
        text::messageText(u"バックアップのパス %s がシステムの上限より長い為、保存できません。")
            .c_str(),
        backup.c_str());
}

std::string writeFailed() {
    return text::messageText(
        u"ファイルの書込みに失敗しました。ディスクの空き容量を確認してください。");
}

std::string earlierContentKeptIn(const std::string& backup) {
    return formatString(text::messageText(u"\n以前の内容は %s に残っています。").c_str(),
                        backup.c_str());
}

}  // namespace tovalin::writer::save_messages
