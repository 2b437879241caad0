#include "line_breaks.h"

namespace Palettes {

namespace {

const QString Marker = QStringLiteral("\\r\\n");

bool IsBreak(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// `text` with each line break (CR LF counting once) replaced by `with`.
QString ReplaceBreaks(const QString &text, const QString &with)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsBreak(text[i])) {
            out.append(text[i]);
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        out.append(with);
    }
    return out;
}

} // namespace

QString EncodeLineBreaks(const QString &text)
{
    return ReplaceBreaks(text, Marker);
}

QString DecodeLineBreaks(const QString &text)
{
    QString out = text;
    return out.replace(Marker, QStringLiteral("\n"));
}

QString OneLine(const QString &text)
{
    return ReplaceBreaks(text, QString());
}

} // namespace Palettes
