#include "local_files.h"

#include "image_size.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace HtmlCheck {
namespace detail {

std::optional<QString> LocalFile(const QString &link, const QString &folder)
{
    QString path = link.trimmed();
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch m = scheme.match(path);
    if (m.hasMatch()) {
        if (m.captured(1).compare(u"file", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        const QUrl url(path);
        return url.isLocalFile() ? std::optional(url.toLocalFile()) : std::nullopt;
    }
    // The query and the place in the page name no file.
    path.truncate(std::find_if(path.cbegin(), path.cend(), [](QChar c) { return c == u'#' || c == u'?'; }) -
                  path.cbegin());
    if (path.isEmpty() || path.startsWith(u'/'))
        return std::nullopt;
    return QDir::cleanPath(QDir(folder).filePath(QUrl::fromPercentEncoding(path.toUtf8())));
}

QStringList StyleUrls(const QString &style)
{
    static const QRegularExpression url(
        QStringLiteral(R"re(url\(\s*(?:"([^"]*)"|'([^']*)'|([^)\s"']*))\s*\))re"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList links;
    for (const QRegularExpressionMatch &m : url.globalMatch(style)) {
        for (int group = 1; group <= 3; ++group)
            if (m.capturedLength(group) > 0)
                links.append(m.captured(group));
    }
    return links;
}

} // namespace detail

namespace {

Finding At(const Element &element, Severity severity, QString message)
{
    return {element.line, element.column, severity, std::move(message)};
}

// A side written as a whole number of pixels; none for a percentage and the like.
std::optional<int> Pixels(const Attribute *side)
{
    if (side == nullptr || !side->value)
        return std::nullopt;
    bool ok = false;
    const int n = side->value->trimmed().toInt(&ok);
    return ok ? std::optional(n) : std::nullopt;
}

void CheckImageSize(const Element &img, const QString &file, const QString &src, QList<Finding> &findings)
{
    const std::optional<int> width = Pixels(img.attribute(u"width"));
    const std::optional<int> height = Pixels(img.attribute(u"height"));
    if (!width && !height)
        return;
    const Palettes::ImageSize image = Palettes::GetImageSize(file);
    if (image.status != Palettes::ImageSize::Ok) {
        findings.append(
            At(img, Severity::Warning, QStringLiteral("画像「%1」の大きさを読めません").arg(src)));
        return;
    }
    if (image.size.isEmpty()) // not a kind the probe reads
        return;
    if ((width && *width != image.size.width()) || (height && *height != image.size.height())) {
        QStringList given;
        if (width)
            given.append(QStringLiteral("width=%1").arg(*width));
        if (height)
            given.append(QStringLiteral("height=%1").arg(*height));
        findings.append(At(img, Severity::Warning,
                           QStringLiteral("<img> の %1 が画像「%2」の大きさ %3×%4 と違います")
                               .arg(given.join(u' '), src)
                               .arg(image.size.width())
                               .arg(image.size.height())));
    }
}

} // namespace

QList<Finding> CheckLocalFiles(const QList<Element> &elements, const QString &folder)
{
    QList<Finding> findings;
    const bool moved = std::any_of(elements.cbegin(), elements.cend(), [](const Element &e) {
        return e.name == u"base" && e.attribute(u"href");
    });
    const bool files = !folder.isEmpty() && !moved;
    const auto missing = [&](const QString &link) -> std::optional<QString> {
        if (!files)
            return std::nullopt;
        const std::optional<QString> file = detail::LocalFile(link, folder);
        return file && !QFileInfo::exists(*file) ? file : std::nullopt;
    };
    for (const Element &e : elements) {
        for (const char16_t *name : {u"src", u"href"}) {
            const Attribute *a = e.attribute(name);
            if (a != nullptr && a->value && e.name != u"base" && missing(*a->value))
                findings.append(At(e, Severity::Error,
                                   QStringLiteral("<%1> の %2 が指すファイル「%3」がありません")
                                       .arg(e.name, a->name, *a->value)));
        }
        if (const Attribute *style = e.attribute(u"style"); style != nullptr && style->value)
            for (const QString &link : detail::StyleUrls(*style->value))
                if (missing(link))
                    findings.append(
                        At(e, Severity::Error,
                           QStringLiteral("<%1> の style の url() が指すファイル「%2」がありません")
                               .arg(e.name, link)));
        if (e.name != u"img")
            continue;
        if (e.attribute(u"alt") == nullptr)
            findings.append(At(e, Severity::Warning, QStringLiteral("<img> に alt 属性がありません")));
        const Attribute *src = e.attribute(u"src");
        if (files && src != nullptr && src->value)
            if (const std::optional<QString> file = detail::LocalFile(*src->value, folder);
                file && QFileInfo::exists(*file))
                CheckImageSize(e, *file, *src->value, findings);
    }
    return findings;
}

} // namespace HtmlCheck
