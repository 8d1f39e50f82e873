#include "load/japanese_texts.hpp"

#include <xercesc/framework/XMLErrorCodes.hpp>
#include <xercesc/framework/XMLValidityCodes.hpp>
#include <xercesc/util/XMLExceptMsgs.hpp>

namespace tovalin::load {
namespace {

using xercesc::XMLErrs;
using xercesc::XMLExcepts;
using xercesc::XMLValid;

struct Text {
    unsigned int code;
    const char16_t* text;
};

constexpr Text wellFormedness[] = {
    {XMLErrs::ExpectedEndOfTagX, u"終了タグが開始タグ '{0}' と一致しません。"},
    {XMLErrs::EndedWithTagsOnStack,
     u"閉じていないタグを残したまま文書が終わっています。最後に開いたタグは '{0}' です。"},
    {XMLErrs::MoreEndThanStartTags, u"対応する開始タグのない終了タグがあります。"},
    {XMLErrs::UnterminatedStartTag, u"開始タグ '{0}' が正しく閉じられていません。"},
    {XMLErrs::UnterminatedEndTag, u"終了タグ '{0}' が正しく閉じられていません。"},
    {XMLErrs::AttrAlreadyUsedInSTag, u"属性 '{0}' が要素 '{1}' に重複して指定されています。"},
    {XMLErrs::ExpectedAttrValue, u"属性値が必要です。値は引用符で囲んでください。"},
    {XMLErrs::ExpectedEqSign, u"等号 '=' が必要です。"},
    {XMLErrs::ExpectedAttrName, u"属性名が必要です。"},
    {XMLErrs::ExpectedElementName, u"要素名が必要です。"},
    {XMLErrs::BracketInAttrValue,
     u"属性 '{0}' の値に '<' は使えません。代わりに &lt; を使ってください。"},
    {XMLErrs::InvalidCharacterInAttrValue, u"属性 '{0}' の値に不正な文字 0x{1} があります。"},
    {XMLErrs::InvalidCharacter, u"不正な文字 0x{0} があります。"},
    {XMLErrs::EntityNotFound, u"実体 '{0}' が宣言されていません。"},
    {XMLErrs::UnterminatedEntityRef, u"実体参照 '{0}' が ';' で終わっていません。"},
    {XMLErrs::ExpectedEntityRefName, u"'&' の後に参照する実体の名前が必要です。"},
    {XMLErrs::RecursiveEntity, u"実体 '{0}' が再帰的に展開されています。"},
    {XMLErrs::PartialMarkupInEntity, u"実体の値にマークアップの一部だけが含まれています。"},
    {XMLErrs::NoUnparsedEntityRefs, u"解析対象外実体 '{0}' はここでは参照できません。"},
    {XMLErrs::NoExtRefsInAttValue, u"属性値から外部実体は参照できません。"},
    {XMLErrs::InvalidCharacterRef, u"文字参照が不正です。"},
    {XMLErrs::UnterminatedCharRef, u"文字参照が ';' で終わっていません。"},
    {XMLErrs::ExpectedNumericalCharRef, u"'&#' の後には文字コードの数値が必要です。"},
    {XMLErrs::HexRadixMustBeLowerCase,
     u"16 進数の文字参照には 'X' ではなく 'x' を使ってください。"},
    {XMLErrs::NotValidAfterContent, u"ルート要素の終了タグの後に不正な内容があります。"},
    {XMLErrs::ExpectedCommentOrPI, u"ルート要素の後にはコメントと処理命令しか置けません。"},
    {XMLErrs::InvalidDocumentStructure, u"文書の構造が正しくありません。"},
    {XMLErrs::EmptyMainEntity, u"XML 文書が空です。"},
    {XMLErrs::CDATAOutsideOfContent, u"CDATA セクションはルート要素の外には置けません。"},
    {XMLErrs::BadSequenceInCharData, u"文字データの中に ']]>' は使えません。"},
    {XMLErrs::IllegalSequenceInComment, u"コメントの中に '--' は使えません。"},
    {XMLErrs::UnterminatedComment, u"コメントが閉じられていません。"},
    {XMLErrs::UnterminatedCDATASection, u"CDATA セクションが閉じられていません。"},
    {XMLErrs::UnterminatedPI, u"処理命令が閉じられていません。"},
    {XMLErrs::NoPIStartsWithXML, u"処理命令の名前を 'xml' で始めることはできません。"},
    {XMLErrs::XMLDeclMustBeFirst, u"XML 宣言とテキスト宣言は 1 行 1 列目から始めてください。"},
    {XMLErrs::XMLVersionRequired, u"XML 宣言には version の指定が必要です。"},
    {XMLErrs::UnsupportedXMLVersion, u"XML のバージョン '{0}' には対応していません。"},
    {XMLErrs::BadXMLEncoding, u"XML 宣言のエンコーディング '{0}' が不正です。"},
    {XMLErrs::UnterminatedXMLDecl, u"XML 宣言が閉じられていません。"},
    {XMLErrs::ExpectedWhitespace, u"空白が必要です。"},
    {XMLErrs::ExpectedQuotedString, u"引用符で囲んだ文字列が必要です。"},
    {XMLErrs::DuplicateDocTypeDecl, u"DOCTYPE 宣言が重複しています。"},
    {XMLErrs::UnterminatedDOCTYPE, u"DOCTYPE 宣言が閉じられていません。"},
    {XMLErrs::ExpectedMarkupDecl, u"マークアップ宣言が必要です。"},
    {XMLErrs::UnterminatedElementDecl, u"要素 '{0}' の宣言が閉じられていません。"},
    {XMLErrs::ExpectedContentSpecExpr, u"要素 '{0}' の内容の指定が必要です。"},
    {XMLErrs::UnterminatedEntityDecl, u"実体 '{0}' の宣言が閉じられていません。"},
    {XMLErrs::UnterminatedEntityLiteral, u"実体の値が閉じられていません。"},
};

constexpr Text validity[] = {
    {XMLValid::ElementNotDefined, u"要素 '{0}' が宣言されていません。"},
    {XMLValid::AttNotDefined, u"属性 '{0}' が宣言されていません。"},
    {XMLValid::AttNotDefinedForElement, u"属性 '{0}' は要素 '{1}' に宣言されていません。"},
    {XMLValid::RequiredAttrNotProvided, u"必須の属性 '{0}' がありません。"},
    {XMLValid::ElementNotValidForContent, u"要素 '{0}' は内容モデル '{1}' に適合しません。"},
    {XMLValid::NotEnoughElemsForCM, u"内容モデル '{0}' に必要な要素が足りません。"},
    {XMLValid::EmptyNotValidForContent, u"内容モデル '{0}' では内容を空にできません。"},
    {XMLValid::NoCharDataInCM, u"この要素の内容モデルでは文字データを置けません。"},
    {XMLValid::EmptyElemHasContent,
     u"要素 '{0}' は EMPTY と宣言されているため、内容を持つことはできません。"},
    {XMLValid::RootElemNotLikeDocType, u"ルート要素が DOCTYPE 宣言の名前と異なります。"},
    {XMLValid::UndeclaredElemInDocType, u"DOCTYPE 宣言の要素 '{0}' が宣言されていません。"},
    {XMLValid::ReusedIDValue, u"ID の値 '{0}' は既に使われています。"},
    {XMLValid::IDNotDeclared, u"参照されている ID '{0}' がどこにも定義されていません。"},
    {XMLValid::MultipleIdAttrs, u"要素 '{0}' に ID 型の属性が複数あります。"},
    {XMLValid::DoesNotMatchEnumList,
     u"属性 '{1}' の値 '{0}' は宣言された列挙値のいずれとも一致しません。"},
    {XMLValid::AttrValNotName, u"属性 '{1}' の値 '{0}' は名前として正しくありません。"},
    {XMLValid::NoMultipleValues, u"属性 '{0}' に複数の値は指定できません。"},
    {XMLValid::NotSameAsFixedValue,
     u"属性 '{0}' の値 '{1}' が #FIXED で宣言された値 '{2}' と一致しません。"},
    {XMLValid::InvalidEmptyAttValue, u"属性の値を空にすることはできません。"},
    {XMLValid::UnknownEntityRefAttr, u"属性 '{0}' が宣言されていない実体 '{1}' を参照しています。"},
    {XMLValid::UnknownNotRefAttr, u"属性 '{0}' が宣言されていない記法 '{1}' を参照しています。"},
    {XMLValid::NotationNotDeclared, u"記法 '{0}' が参照されていますが、宣言されていません。"},
    {XMLValid::VC_EntityNotFound, u"実体 '{0}' が宣言されていません。"},
};

constexpr Text exception[] = {
    {XMLExcepts::Gen_CouldNotOpenDTD, u"DTD 文書 '{0}' を開けません。"},
    {XMLExcepts::Gen_CouldNotOpenExtEntity, u"外部実体 '{0}' を開けません。"},
    {XMLExcepts::Gen_UnexpectedEOF, u"入力が途中で終わっています。"},
    {XMLExcepts::Trans_CantCreateCvtrFor, u"エンコーディング '{0}' には対応していません。"},
    {XMLExcepts::Trans_BadSrcSeq, u"文字として読めないバイトの並びがあります。"},
    {XMLExcepts::Trans_Unrepresentable, u"文字 0x{0} はエンコーディング '{1}' で表せません。"},
};

template <std::size_t size>
const char16_t* find(const Text (&texts)[size], unsigned int code) {
    for (const Text& entry : texts) {
        if (entry.code == code) return entry.text;
    }
    return nullptr;
}

}  // namespace

const char16_t* japaneseText(ParserDomain domain, unsigned int code) {
    switch (domain) {
        case ParserDomain::wellFormedness:
            return find(wellFormedness, code);
        case ParserDomain::validity:
            return find(validity, code);
        case ParserDomain::exception:
            return find(exception, code);
    }
    return nullptr;
}

}  // namespace tovalin::load
