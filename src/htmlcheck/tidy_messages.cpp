#include "tidy_messages.h"

#include <tidy/tidyenum.h>

namespace HtmlCheck {
namespace {

struct Translation
{
    unsigned code;
    const char16_t *text; // %1, %2, %3: tidy's arguments
};

// Tidy writes element arguments with their brackets ("<ul>") except where
// its own text adds them ("missing </%s>").
constexpr Translation Translations[] = {
    {MISSING_ENDTAG_FOR, u"</%1> がありません"},
    {MISSING_ENDTAG_BEFORE, u"%2 の前に </%1> がありません"},
    {MISSING_ENDTAG_OPTIONAL, u"省略できる </%1> がありません"},
    {MISSING_STARTTAG, u"<%1> がありません"},
    // Where an end tag has no start tag, or an element left open goes on.
    {INSERTING_TAG, u"<%1> の開始タグが補われます"},
    {DISCARDING_UNEXPECTED, u"%1 はここに書けないので無視されます"},
    {UNEXPECTED_ENDTAG, u"</%1> に対応する開始タグがありません"},
    {UNEXPECTED_ENDTAG_ERR, u"</%1> に対応する開始タグがありません"},
    {UNEXPECTED_ENDTAG_IN, u"<%2> の中に対応する開始タグのない </%1> があります"},
    {NON_MATCHING_ENDTAG, u"</%2> が開いている要素と合いません（入れ子が正しくありません）"},
    {REPLACING_ELEMENT, u"%1 はここに書けないので %2 として読まれます"},
    {REPLACING_UNEX_ELEMENT, u"%1 はここに書けないので %2 として読まれます"},
    {USING_BR_INPLACE_OF, u"%1 は <br> として読まれます"},
    {COERCE_TO_ENDTAG, u"<%1> は </%2> の書き間違いと思われます"},
    {NESTED_EMPHASIS, u"%1 が二重になっています"},
    {NESTED_QUOTATION, u"q 要素が入れ子になっています"},
    {CANT_BE_NESTED, u"%1 は入れ子にできません"},
    {ILLEGAL_NESTING, u"%1 を入れ子にするべきではありません"},
    {TAG_NOT_ALLOWED_IN, u"%1 は <%2> の中に書けません"},
    {TOO_MANY_ELEMENTS, u"%1 要素が多すぎます"},
    {TOO_MANY_ELEMENTS_IN, u"<%2> の中の %1 要素が多すぎます"},
    {ELEMENT_NOT_EMPTY, u"%1 要素が空でないか閉じていません"},
    {UNKNOWN_ELEMENT, u"%1 は知られていない要素です"},
    {UNKNOWN_ELEMENT_LOOKS_CUSTOM, u"%1 は知られていない要素です"},
    {PROPRIETARY_ELEMENT, u"%1 は標準の要素ではありません"},
    {REMOVED_HTML5, u"%1 要素は HTML5 で廃止されました"},
    {ELEMENT_VERS_MISMATCH_ERROR, u"%1 要素は %2 では使えません"},
    {ELEMENT_VERS_MISMATCH_WARN, u"%1 要素は %2 では使えません"},
    {OBSOLETE_ELEMENT, u"%1 は古い要素です（%2 に置き換えられます）"},
    {ANCHOR_NOT_UNIQUE, u"%1 の id「%2」はすでに使われています"},
    {MISMATCHED_ATTRIBUTE_ERROR, u"%1 の属性「%2」は %3 では使えません"},
    {MISMATCHED_ATTRIBUTE_WARN, u"%1 の属性「%2」は %3 では使えません"},
    {PROPRIETARY_ATTRIBUTE, u"%1 の属性「%2」は標準にありません"},
    {PROPRIETARY_ATTR_VALUE, u"%1 の属性値「%2」は標準にありません"},
    {BAD_SUMMARY_HTML5, u"%1 要素の summary 属性は HTML5 で廃止されました"},
    {MISSING_ATTRIBUTE, u"%1 に %2 属性がありません"},
    {MISSING_ATTR_VALUE, u"%1 の属性「%2」に値がありません"},
    {BAD_ATTRIBUTE_VALUE, u"%1 の属性「%2」の値「%3」は正しくありません"},
    {INVALID_ATTRIBUTE, u"%1 の属性名「%2」は正しくありません"},
    {REPEATED_ATTRIBUTE, u"%1 に属性「%3」が重なっています（値「%2」は捨てられます）"},
    {JOINING_ATTRIBUTE, u"%1 に属性「%2」が重なっています"},
    {MISSING_QUOTEMARK, u"%1 の属性値を閉じる引用符がありません"},
    {UNEXPECTED_QUOTEMARK, u"%1 に余分な引用符があります"},
    {SUSPECTED_MISSING_QUOTE, u"属性値の引用符が足りないようです"},
    {UNEXPECTED_EQUALSIGN, u"%1 に余分な「=」があります"},
    {UNEXPECTED_GT, u"%1 の終わりの「>」がありません"},
    {UNEXPECTED_END_OF_FILE, u"%1 の途中でファイルが終わっています"},
    {UNEXPECTED_END_OF_FILE_ATTR, u"%1 の属性の途中でファイルが終わっています"},
    {UNESCAPED_AMPERSAND, u"& は &amp; と書きます"},
    {UNKNOWN_ENTITY, u"「%1」は知られていない文字参照です（& は &amp; と書きます）"},
    {MISSING_SEMICOLON, u"文字参照「%1」が ; で終わっていません"},
    {MISSING_SEMICOLON_NCR, u"数値文字参照「%1」が ; で終わっていません"},
    {INVALID_NCR, u"%1 の数値文字参照 %2 は正しくありません"},
    {MISSING_DOCTYPE, u"<!DOCTYPE> の宣言がありません"},
    {MALFORMED_DOCTYPE, u"<!DOCTYPE> の書き方が正しくありません"},
    {DOCTYPE_AFTER_TAGS, u"<!DOCTYPE> は要素より前に書きます"},
    {MISSING_TITLE_ELEMENT, u"title 要素がありません"},
    {CONTENT_AFTER_BODY, u"body の終わりの後に内容があります"},
    {FOUND_STYLE_IN_BODY, u"<style> が body の中にあります"},
    {MOVED_STYLE_TO_HEAD, u"<style> が body の中にあります"},
    {MALFORMED_COMMENT, u"コメントの中に「--」があります"},
    {MALFORMED_COMMENT_DROPPING, u"コメントの書き方が正しくありません"},
    {MALFORMED_COMMENT_EOS, u"コメントが閉じないままファイルが終わっています"},
    {MALFORMED_COMMENT_WARN, u"コメントの書き方が正しくありません"},
    {WHITE_IN_URI, u"%1 の URL に空白があります"},
    {NEWLINE_IN_URI, u"%1 の URL に改行があります"},
    {BACKSLASH_IN_URI, u"%1 の URL に「\\」があります"},
    {ILLEGAL_URI_REFERENCE, u"%1 の URL の書き方が正しくありません"},
    {ESCAPED_ILLEGAL_URI, u"%1 の URL の書き方が正しくありません"},
};

// Placeholders replaced in one pass, so an argument holding "%2" stays as it is.
QString Fill(QStringView text, const QStringList &arguments)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == u'%' && n >= 1) {
            out += n <= arguments.size() ? arguments[n - 1] : QString();
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::optional<QString> JapaneseTidyMessage(unsigned code, const QStringList &arguments)
{
    for (const Translation &t : Translations)
        if (t.code == code)
            return Fill(QStringView(t.text), arguments);
    return std::nullopt;
}

QString ContinuedElementMessage(const QString &name)
{
    return QStringLiteral("閉じていない <%1> がここにも続きます").arg(name);
}

bool LeftOutTidyMessage(unsigned code, const QStringList &arguments)
{
    switch (code) {
    case TRIM_EMPTY_ELEMENT:    // what its output would leave out
    case ENCODING_MISMATCH:     // it is always given UTF-8
    case ADDED_MISSING_CHARSET: // the charset is checked against the save code instead
        return true;
    case MISSING_ATTRIBUTE: // alt of <img> is checked with the image
        return arguments.size() == 2 && arguments[0] == QLatin1String("<img>") &&
               arguments[1] == QLatin1String("alt");
    default:
        return false;
    }
}

} // namespace HtmlCheck
