#include "charset_declaration.h"

#include <QRegularExpression>

namespace TextTools {

namespace {

// The WHATWG Encoding Standard's labels of the Japanese codes and the Unicode ones.
QString CanonicalCharset(const QString &name)
{
    static const struct
    {
        const char *canonical;
        QList<QLatin1String> labels;
    } codes[] = {
        {"shift_jis",
         {QLatin1String("csshiftjis"), QLatin1String("ms932"), QLatin1String("ms_kanji"),
          QLatin1String("shift-jis"), QLatin1String("shift_jis"), QLatin1String("sjis"),
          QLatin1String("windows-31j"), QLatin1String("x-sjis")}},
        {"euc-jp",
         {QLatin1String("cseucpkdfmtjapanese"), QLatin1String("euc-jp"), QLatin1String("x-euc-jp")}},
        {"iso-2022-jp", {QLatin1String("csiso2022jp"), QLatin1String("iso-2022-jp")}},
        {"utf-8",
         {QLatin1String("unicode-1-1-utf-8"), QLatin1String("unicode11utf8"), QLatin1String("unicode20utf8"),
          QLatin1String("utf-8"), QLatin1String("utf8"), QLatin1String("x-unicode20utf8")}},
        {"utf-16le",
         {QLatin1String("csunicode"), QLatin1String("iso-10646-ucs-2"), QLatin1String("ucs-2"),
          QLatin1String("unicode"), QLatin1String("unicodefeff"), QLatin1String("utf-16"),
          QLatin1String("utf-16le")}},
        {"utf-16be", {QLatin1String("unicodefffe"), QLatin1String("utf-16be")}},
    };
    const QString label = name.trimmed().toLower();
    for (const auto &code : codes)
        if (code.labels.contains(label))
            return QLatin1String(code.canonical);
    return label;
}

} // namespace

std::optional<CharsetDeclaration> FindCharsetDeclaration(QStringView text)
{
    static const QRegularExpression meta(
        QStringLiteral("<meta\\b[^>]*?\\bcharset\\s*=\\s*[\"']?\\s*([^\"'\\s/>;]+)|<body\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch found = meta.match(text);
    if (!found.hasMatch() || found.capturedStart(1) < 0)
        return std::nullopt;
    return CharsetDeclaration{{found.capturedStart(1), found.capturedLength(1)}, found.captured(1)};
}

bool SameCharset(const QString &a, const QString &b)
{
    return CanonicalCharset(a) == CanonicalCharset(b);
}

} // namespace TextTools
