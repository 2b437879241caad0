#include "recently_used.h"

#include "file_read.h"
#include "safe_file_writer.h"
#include "system_reason.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>

namespace {

// Lists larger than this are no list of recent files this program rewrites.
constexpr qint64 MaxListBytes = 32 * 1024 * 1024;

QByteArray Escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&apos;")).toUtf8();
}

QByteArray Stamp(const QDateTime &when)
{
    // As GLib writes it: UTC with microseconds.
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz000Z")).toUtf8();
}

QByteArray ApplicationLine(const RecentUse &use, int count)
{
    return "          <bookmark:application name=\"" + Escaped(use.appName) + "\" exec=\"" +
           Escaped(use.exec) + "\" modified=\"" + Stamp(use.when) + "\" count=\"" +
           QByteArray::number(count) + "\"/>\n";
}

QByteArray NewBookmark(const QByteArray &href, const RecentUse &use)
{
    const QByteArray stamp = Stamp(use.when);
    return "  <bookmark href=\"" + href + "\" added=\"" + stamp + "\" modified=\"" + stamp + "\" visited=\"" +
           stamp +
           "\">\n"
           "    <info>\n"
           "      <metadata owner=\"http://freedesktop.org\">\n"
           "        <mime:mime-type type=\"" +
           Escaped(use.mimeType) +
           "\"/>\n"
           "        <bookmark:applications>\n" +
           ApplicationLine(use, 1) +
           "        </bookmark:applications>\n"
           "      </metadata>\n"
           "    </info>\n"
           "  </bookmark>\n";
}

// `element` with the value of attribute `name` in its first tag set to `value`, when it has one.
QByteArray WithAttribute(QByteArray element, const QByteArray &name, const QByteArray &value)
{
    const qsizetype tagEnd = element.indexOf('>');
    const QByteArray key = ' ' + name + "=\"";
    const qsizetype at = element.indexOf(key);
    if (at < 0 || at > tagEnd)
        return element;
    const qsizetype from = at + key.size();
    const qsizetype to = element.indexOf('"', from);
    if (to < 0 || to > tagEnd)
        return element;
    return element.replace(from, to - from, value);
}

// An entry already there: its times, and this program among its applications.
std::optional<QByteArray> Updated(QByteArray element, const RecentUse &use)
{
    const QByteArray stamp = Stamp(use.when);
    element = WithAttribute(WithAttribute(element, "modified", stamp), "visited", stamp);
    const QByteArray ours = "<bookmark:application name=\"" + Escaped(use.appName) + "\"";
    const qsizetype app = element.indexOf(ours);
    if (app >= 0) {
        const qsizetype end = element.indexOf('>', app);
        if (end < 0)
            return std::nullopt;
        QByteArray line = element.mid(app, end + 1 - app);
        static const QRegularExpression count(QStringLiteral(" count=\"(\\d+)\""));
        const QRegularExpressionMatch m = count.match(QString::fromUtf8(line));
        const int times = m.hasMatch() ? m.captured(1).toInt() + 1 : 1;
        line = WithAttribute(WithAttribute(line, "modified", stamp), "count", QByteArray::number(times));
        return element.replace(app, end + 1 - app, line);
    }
    const qsizetype close = element.indexOf("</bookmark:applications>");
    if (close < 0)
        return element; // an entry of another kind: its times say it was used
    const qsizetype lineStart = element.lastIndexOf('\n', close) + 1;
    return element.insert(lineStart, ApplicationLine(use, 1));
}

} // namespace

QString RecentlyUsedPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/recently-used.xbel");
}

std::optional<QByteArray> WithRecentUse(const QByteArray &xbel, const RecentUse &use)
{
    const QByteArray href = Escaped(QString::fromLatin1(QUrl::fromLocalFile(use.path).toEncoded()));
    if (xbel.trimmed().isEmpty())
        return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<xbel version=\"1.0\"\n"
                          "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
                          "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
                          ">\n") +
               NewBookmark(href, use) + "</xbel>";
    const qsizetype root = xbel.indexOf("<xbel");
    const qsizetype rootEnd = xbel.lastIndexOf("</xbel>");
    // A list that is not one, or that lacks the names the entry's elements use, is left alone.
    if (root < 0 || rootEnd < root || !xbel.contains("xmlns:bookmark=") || !xbel.contains("xmlns:mime="))
        return std::nullopt;
    const qsizetype at = xbel.indexOf("<bookmark href=\"" + href + "\"");
    if (at >= 0) {
        const qsizetype end = xbel.indexOf("</bookmark>", at);
        if (end < 0)
            return std::nullopt;
        const qsizetype length = end + qsizetype(sizeof("</bookmark>") - 1) - at;
        const std::optional<QByteArray> element = Updated(xbel.mid(at, length), use);
        if (!element)
            return std::nullopt;
        return QByteArray(xbel).replace(at, length, *element);
    }
    const qsizetype lineStart = xbel.lastIndexOf('\n', rootEnd) + 1;
    const qsizetype insertAt =
        xbel.sliced(lineStart, rootEnd - lineStart).trimmed().isEmpty() ? lineStart : rootEnd;
    return QByteArray(xbel).insert(insertAt, NewBookmark(href, use));
}

Outcome AddRecentUse(const QString &xbelPath, const RecentUse &use)
{
    const FileRead file = ReadRegularFile(xbelPath, MaxListBytes);
    const bool missing = file.status == FileRead::SystemError && file.error == ENOENT;
    if (file.status != FileRead::Ok && !missing)
        return Outcome::failed(file.status == FileRead::SystemError
                                   ? WithReason(CannotOpenMessage(xbelPath), file.error)
                                   : CannotOpenMessage(xbelPath));
    const QByteArray bytes = missing ? QByteArray() : file.bytes;
    const std::optional<QByteArray> updated = WithRecentUse(bytes, use);
    if (!updated)
        return Outcome::declined();
    // A new home has no data folder yet.
    QDir().mkpath(QFileInfo(xbelPath).absolutePath());
    if (const int error = SafeFileWriter::writeAll(xbelPath, *updated); error != 0)
        return Outcome::failed(WithReason(CannotCreateMessage(xbelPath), error));
    return {};
}
