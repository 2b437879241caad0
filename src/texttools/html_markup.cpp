#include "html_markup.h"

#include <QRegularExpression>

namespace TextTools {

QString RewriteOutsideMarkup(const QString &text, const std::function<QString(const QString &)> &rewrite)
{
    // Any name counts as a reference: an unknown one is still not the author's text.
    static const QRegularExpression markup(
        QStringLiteral("<[^>]*>|&(?:#[0-9]+;?|#[xX][0-9A-Fa-f]+;?|[A-Za-z][A-Za-z0-9]*;)"));
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = markup.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() > from)
            out += rewrite(text.sliced(from, m.capturedStart() - from));
        out += m.capturedView();
        from = m.capturedEnd();
    }
    if (from < text.size())
        out += rewrite(text.sliced(from));
    return out;
}

} // namespace TextTools
