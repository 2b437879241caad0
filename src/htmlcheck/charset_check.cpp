#include "charset_check.h"

#include <QRegularExpression>

namespace HtmlCheck {
namespace {

struct Declaration
{
    QString label;
    const Element *element;
};

std::optional<QString> DeclaredLabel(const Element &meta)
{
    if (const Attribute *charset = meta.attribute(u"charset"); charset != nullptr && charset->value)
        return charset->value->trimmed();
    const Attribute *equiv = meta.attribute(u"http-equiv");
    const Attribute *content = meta.attribute(u"content");
    if (equiv == nullptr || !equiv->value ||
        equiv->value->trimmed().compare(u"content-type", Qt::CaseInsensitive) != 0 || content == nullptr ||
        !content->value)
        return std::nullopt;
    static const QRegularExpression charset(QStringLiteral(R"(charset\s*=\s*["']?([^\s"';]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = charset.match(*content->value);
    return m.hasMatch() ? std::optional(m.captured(1)) : std::nullopt;
}

// "utf-16" names either order; the byte-order mark decides.
bool SameCode(std::optional<DocumentCode> declared, DocumentCode saved)
{
    const auto utf16 = [](DocumentCode c) {
        return c == DocumentCode::Utf16Le || c == DocumentCode::Utf16Be;
    };
    return declared && (*declared == saved || (utf16(*declared) && utf16(saved)));
}

Finding At(const Element &element, Severity severity, QString message)
{
    return {element.line, element.column, severity, std::move(message)};
}

} // namespace

std::optional<DocumentCode> CodeOfLabel(QStringView label)
{
    static const struct
    {
        DocumentCode code;
        const char *labels[9];
    } codes[] = {
        {DocumentCode::Sjis,
         {"csshiftjis", "ms932", "ms_kanji", "shift-jis", "shift_jis", "sjis", "windows-31j", "x-sjis"}},
        {DocumentCode::Euc, {"cseucpkdfmtjapanese", "euc-jp", "x-euc-jp"}},
        {DocumentCode::Jis, {"csiso2022jp", "iso-2022-jp"}},
        {DocumentCode::Utf8,
         {"unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "utf-8", "utf8", "x-unicode20utf8"}},
        {DocumentCode::Utf16Le,
         {"csunicode", "iso-10646-ucs-2", "ucs-2", "unicode", "unicodefeff", "utf-16", "utf-16le"}},
        {DocumentCode::Utf16Be, {"unicodefffe", "utf-16be"}},
    };
    const QString name = label.trimmed().toString();
    for (const auto &c : codes)
        for (const char *l : c.labels)
            if (l != nullptr && name.compare(QLatin1String(l), Qt::CaseInsensitive) == 0)
                return c.code;
    return std::nullopt;
}

CharsetCheck CheckCharset(const QList<Element> &elements, const DocumentFormat &format)
{
    CharsetCheck check;
    const QString saved = CharsetName(format.code);
    QList<Declaration> declarations;
    for (const Element &e : elements)
        if (e.name == u"meta")
            if (const auto label = DeclaredLabel(e))
                declarations.append({*label, &e});
    if (declarations.isEmpty()) {
        check.findings.append(
            {1, 1, Severity::Warning,
             QStringLiteral("文字コードの宣言（<meta charset=\"%1\">）がありません").arg(saved)});
        return check;
    }

    const Declaration &first = declarations.first();
    const std::optional<DocumentCode> declared = CodeOfLabel(first.label);
    if (format.bom && (!declared || !IsUnicode(*declared))) {
        // Browsers follow the mark, whatever the page says.
        check.findings.append(
            At(*first.element, Severity::Warning,
               QStringLiteral("BOM 付きの %1 で保存されますが、文字コードの宣言は「%2」です")
                   .arg(saved, first.label)));
    } else if (!SameCode(declared, format.code)) {
        check.findings.append(At(*first.element, format.bom ? Severity::Warning : Severity::Error,
                                 QStringLiteral("文字コードの宣言「%1」が保存する文字コード %2 と違います")
                                     .arg(first.label, saved)));
    }
    if (declared && !SameCode(declared, format.code))
        check.otherDeclared = declared;

    for (qsizetype i = 1; i < declarations.size(); ++i) {
        const std::optional<DocumentCode> other = CodeOfLabel(declarations[i].label);
        if (other != declared ||
            (!declared && declarations[i].label.compare(first.label, Qt::CaseInsensitive) != 0))
            check.findings.append(
                At(*declarations[i].element, Severity::Warning,
                   QStringLiteral(
                       "文字コードの宣言「%1」が先の宣言「%2」と食い違っています（先の宣言が使われます）")
                       .arg(declarations[i].label, first.label)));
    }
    return check;
}

} // namespace HtmlCheck
