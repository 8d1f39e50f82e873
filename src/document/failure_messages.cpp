#include "document/failure_messages.hpp"

#include <xercesc/util/XercesDefs.hpp>

#include "text/code_page.hpp"
#include "text/format_string.hpp"

namespace tovalin::failure_messages {
std::string noDocument() { return text::messageText(u"文書がありません。"); }

std::string nothingToBind() {
    return text::messageText(u"ルート要素を持つ文書が指定されていません。");
}

std::string unknownEncoding() {
    return text::messageText(u"指定された文字コードでは保存できません。");
}

std::string parserNotConfigured() { return text::messageText(u"パーサーの設定に失敗しました。"); }

std::string noNodeForDeclaration() {
    return text::messageText(u"文書にノードが無い為、XML 宣言を置けません。");
}

std::string unwritableDtdLocation() {
    return text::messageText(
        u"DTD の場所が空か、NUL 文字または二種類の引用符を含む為、設定できません。");
}

std::string unwritableStylesheetAddress() {
    return text::messageText(
        u"スタイルシートのアドレスが NUL "
        u"文字、「?>」または二種類の引用符を含む為、設定できません。");
}

std::string noElementNamed(const std::string& tagName) {
    return formatString(text::messageText(u"タグ名 '%s' の要素がありません。").c_str(),
                        tagName.c_str());
}

}  // namespace tovalin::failure_messages
