#include "mime_apps_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

const QByteArray DefaultSection = "[Default Applications]";
const QByteArray AddedSection = "[Added Associations]";

bool IsSection(const QByteArray &text)
{
    return text.trimmed().startsWith('[');
}

// The key of an entry line; empty for any other line.
QByteArray KeyOf(const QByteArray &text)
{
    const qsizetype equals = text.indexOf('=');
    return equals < 0 || IsSection(text) ? QByteArray() : text.first(equals).trimmed();
}

// The value of an entry line as written: where it starts and where its trailing blanks begin.
std::pair<qsizetype, qsizetype> ValueSpan(const QByteArray &text)
{
    qsizetype from = text.indexOf('=') + 1;
    qsizetype to = text.size();
    while (from < to && QChar::isSpace(uchar(text[from])))
        ++from;
    while (to > from && QChar::isSpace(uchar(text[to - 1])))
        --to;
    return {from, to};
}

QList<QByteArray> IdsOf(const QByteArray &text)
{
    const auto [from, to] = ValueSpan(text);
    QList<QByteArray> ids;
    for (const QByteArray &id : text.sliced(from, to - from).split(';')) {
        if (!id.trimmed().isEmpty())
            ids.append(id.trimmed());
    }
    return ids;
}

QStringList Names(const QList<QByteArray> &ids)
{
    QStringList names;
    for (const QByteArray &id : ids)
        names.append(QString::fromUtf8(id));
    return names;
}

} // namespace

MimeAppsList::MimeAppsList(const QString &path) : file_(path) {}

MimeAppsList::Entry MimeAppsList::find(const QByteArray &section, const QString &mime) const
{
    Entry entry;
    const QByteArray key = mime.toUtf8();
    bool inside = false;
    for (qsizetype i = 0; i < file_.lines().size(); ++i) {
        const QByteArray &text = file_.lines()[i].text;
        if (IsSection(text)) {
            inside = text.trimmed() == section;
            if (inside && entry.section < 0)
                entry.section = i;
        } else if (inside && KeyOf(text) == key) {
            entry.line = i;
            return entry;
        }
    }
    return entry;
}

QStringList MimeAppsList::ids(const QByteArray &section, const QString &mime) const
{
    const Entry entry = find(section, mime);
    return entry.line < 0 ? QStringList() : Names(IdsOf(file_.lines()[entry.line].text));
}

QStringList MimeAppsList::defaults(const QString &mime) const
{
    return ids(DefaultSection, mime);
}

QStringList MimeAppsList::associations(const QString &mime) const
{
    return ids(AddedSection, mime);
}

void MimeAppsList::editIds(const QByteArray &section, const QString &mime,
                           const std::function<void(QList<QByteArray> &)> &edit)
{
    const Entry entry = find(section, mime);
    // The ids as bytes: another program's id is kept whatever its encoding.
    QList<QByteArray> wanted = entry.line < 0 ? QList<QByteArray>() : IdsOf(file_.lines()[entry.line].text);
    const QList<QByteArray> before = wanted;
    edit(wanted);
    if (wanted == before)
        return;
    if (entry.line >= 0) {
        if (wanted.isEmpty()) {
            removeEntry(entry.line);
            return;
        }
        const QByteArray &text = file_.lines()[entry.line].text;
        const auto [from, to] = ValueSpan(text);
        const bool endsWithSeparator = text.sliced(from, to - from).endsWith(';');
        file_.setText(entry.line,
                      text.first(from) + wanted.join(';') + (endsWithSeparator ? ";" : "") + text.sliced(to));
        return;
    }
    if (wanted.isEmpty())
        return;
    // A list of ids ends with ';', so that a CR before the line end is never read as part of one.
    const QByteArray line = mime.toUtf8() + '=' + wanted.join(';') + ';';
    if (entry.section < 0) {
        if (!file_.lines().isEmpty() && !file_.lines().last().text.trimmed().isEmpty())
            file_.append({});
        file_.append(section);
        file_.append(line);
        return;
    }
    // After the section's last entry, before the blank lines that end it.
    qsizetype at = entry.section + 1;
    for (qsizetype i = at; i < file_.lines().size() && !IsSection(file_.lines()[i].text); ++i) {
        if (!file_.lines()[i].text.trimmed().isEmpty())
            at = i + 1;
    }
    file_.insert(at, line);
}

void MimeAppsList::removeEntry(qsizetype line)
{
    file_.remove(line);
    // A section left with no line at all says nothing: it goes too, with the blank line before it,
    // as it came when an entry of ours was the first of its section.
    qsizetype header = line - 1;
    while (header >= 0 && file_.lines()[header].text.trimmed().isEmpty())
        --header;
    if (header < 0 || !IsSection(file_.lines()[header].text))
        return;
    for (qsizetype i = header + 1; i < file_.lines().size() && !IsSection(file_.lines()[i].text); ++i) {
        if (!file_.lines()[i].text.trimmed().isEmpty())
            return;
    }
    file_.remove(header);
    if (header > 0 && file_.lines()[header - 1].text.trimmed().isEmpty())
        file_.remove(header - 1);
}

void MimeAppsList::setDefault(const QString &mime, const QString &id, bool on, const QString &previous)
{
    editIds(DefaultSection, mime, [&](QList<QByteArray> &ids) {
        const bool held = !ids.isEmpty();
        ids.removeAll(id.toUtf8());
        if (on)
            ids.prepend(id.toUtf8());
        else if (held && ids.isEmpty() && !previous.isEmpty() && previous != id)
            ids.append(previous.toUtf8());
    });
}

void MimeAppsList::setAssociation(const QString &mime, const QString &id, bool on)
{
    editIds(AddedSection, mime, [&](QList<QByteArray> &ids) {
        ids.removeAll(id.toUtf8());
        if (on)
            ids.prepend(id.toUtf8());
    });
}

namespace {

bool Installed(const QString &id, const QStringList &dataDirs)
{
    return std::any_of(dataDirs.begin(), dataDirs.end(), [&id](const QString &dir) {
        return !dir.isEmpty() && QFile::exists(dir + QStringLiteral("/applications/") + id);
    });
}

// What xdg-mime's reading of one list gives: the first id of the first [Default Applications]
// entry for `mime`; empty when the list has none.
QString FirstDefault(const QString &path, const QString &mime)
{
    const LineFile file(path);
    const QByteArray prefix = mime.toUtf8() + '=';
    bool inside = false;
    for (const LineFile::Line &line : file.lines()) {
        if (line.text.startsWith(DefaultSection))
            inside = true;
        else if (line.text.startsWith('['))
            inside = false;
        else if (inside && line.text.startsWith(prefix))
            return QString::fromUtf8(line.text.sliced(prefix.size()).split(';').first().trimmed());
    }
    return {};
}

// The first id that defaults.list or mimeinfo.cache in `folder` names for `mime`, as xdg-mime's
// grep finds it; empty when none.
QString CachedDefault(const QString &folder, const QString &mime)
{
    const QByteArray needle = mime.toUtf8() + '=';
    for (const char *name : {"defaults.list", "mimeinfo.cache"}) {
        const LineFile file(folder + u'/' + QLatin1String(name));
        for (const LineFile::Line &line : file.lines()) {
            const qsizetype at = line.text.indexOf(needle);
            if (at >= 0)
                return QString::fromUtf8(line.text.sliced(line.text.indexOf('=') + 1).split(';').first());
        }
    }
    return {};
}

// The desktop entries under `folder` (and its subfolders) that declare `mime`, in name order.
QStringList Declaring(const QString &folder, const QString &mime)
{
    QStringList found;
    const QDir dir(folder);
    const QByteArray needle = mime.toUtf8() + ';';
    for (const QString &name :
         dir.entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(needle))
            found.append(dir.filePath(name));
    }
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        found += Declaring(dir.filePath(sub), mime);
    return found;
}

// xdg-mime's last resort: the entry declaring `mime` with the highest InitialPreference, the first
// found on a tie.
QString DeclaredDefault(const QStringList &dataDirs, const QString &mime)
{
    int best = -1;
    QString chosen;
    for (const QString &dir : dataDirs) {
        for (const QString &path : Declaring(dir + QStringLiteral("/applications"), mime)) {
            int preference = 0;
            const LineFile file(path);
            for (const LineFile::Line &line : file.lines()) {
                if (line.text.startsWith("InitialPreference="))
                    preference = line.text.sliced(18).trimmed().toInt();
            }
            if (preference > best) {
                best = preference;
                chosen = QFileInfo(path).fileName();
            }
        }
    }
    return chosen;
}

} // namespace

QString DefaultApplication(const QString &mime, const QStringList &configDirs, const QStringList &dataDirs,
                           const QStringList &desktops)
{
    QStringList folders = configDirs;
    for (const QString &dir : dataDirs)
        folders.append(dir + QStringLiteral("/applications"));
    for (const QString &folder : std::as_const(folders)) {
        if (folder.isEmpty())
            continue;
        for (const QString &desktop : desktops + QStringList{QString()}) {
            const QString prefix = desktop.isEmpty() ? QString() : desktop.toLower() + u'-';
            const QString path = folder + u'/' + prefix + QStringLiteral("mimeapps.list");
            if (!QFile::exists(path))
                continue;
            const QString id = FirstDefault(path, mime);
            if (!id.isEmpty() && Installed(id, dataDirs))
                return id;
        }
    }
    for (const QString &dir : dataDirs) {
        if (const QString id = CachedDefault(dir + QStringLiteral("/applications"), mime); !id.isEmpty())
            return id;
    }
    return DeclaredDefault(dataDirs, mime);
}
