#include "shell_integration.h"

#include "safe_file_writer.h"
#include "system_reason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

namespace ShellIntegration {
namespace {

// The lines of a text file, without the empty ones at its end.
QStringList ReadLines(const QString &path)
{
    QStringList lines;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        lines = QString::fromUtf8(file.readAll()).split(u'\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Writes `text` safely (owner and mode kept); empty when done, else the message.
QString WriteText(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const int error = SafeFileWriter::WriteAll(path, text.toUtf8());
    if (error == 0)
        return {};
    return WithReason(QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(path)), error);
}

QString WriteLines(const QString &path, const QStringList &lines)
{
    return WriteText(path, lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
}

bool IsSection(const QString &line)
{
    return line.trimmed().startsWith(u'[');
}

// The range of lines [first, end) of `section`'s body; first = -1 when absent.
std::pair<qsizetype, qsizetype> SectionBody(const QStringList &lines, const QString &section)
{
    const QString header = u'[' + section + u']';
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() != header)
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !IsSection(lines[end]))
            ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

QString KeyOf(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals).trimmed();
}

} // namespace

Places UserPlaces()
{
    return {QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)};
}

QString ExecLine(const QString &program)
{
    // Plain when nothing in the path needs quoting: desktop tools such as
    // xdg-mime read the first word of Exec as it stands.
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`%");
    if (std::none_of(program.begin(), program.end(), [](QChar c) { return reserved.contains(c); }))
        return program + QStringLiteral(" %f");
    // Inside double quotes the desktop-entry rules escape ", `, $ and \ with
    // a backslash, and the file format then doubles every backslash.
    QString quoted;
    for (const QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    // A literal % must be doubled so it is no field code.
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + QStringLiteral("\" %f");
}

QString DesktopEntryText(const QString &program, bool hidden)
{
    QStringList lines{QStringLiteral("[Desktop Entry]"),
                      QStringLiteral("Type=Application"),
                      QStringLiteral("Name=QUMOEDIT"),
                      QStringLiteral("GenericName=Text and HTML Editor"),
                      QStringLiteral("GenericName[ja]=テキスト・HTMLエディタ"),
                      QStringLiteral("Comment=Write Japanese plain text and HTML by hand"),
                      QStringLiteral("Comment[ja]=日本語のテキストとHTMLを手で書くためのエディタ"),
                      QStringLiteral("Icon=qumoedit"),
                      QStringLiteral("Categories=Utility;TextEditor;"),
                      QStringLiteral("MimeType=text/plain;text/html;"),
                      QStringLiteral("Exec=") + ExecLine(program),
                      QStringLiteral("Terminal=false")};
    if (hidden)
        lines << QStringLiteral("NoDisplay=true");
    return lines.join(u'\n') + u'\n';
}

MimeAppsList::MimeAppsList(const QString &path) : path_(path), lines_(ReadLines(path)) {}

QStringList MimeAppsList::values(const QString &section, const QString &key) const
{
    const auto [first, end] = SectionBody(lines_, section);
    for (qsizetype i = first; first >= 0 && i < end; ++i) {
        if (KeyOf(lines_[i]) == key)
            return lines_[i].mid(lines_[i].indexOf(u'=') + 1).split(u';', Qt::SkipEmptyParts);
    }
    return {};
}

void MimeAppsList::setValues(const QString &section, const QString &key, const QStringList &values)
{
    auto [first, end] = SectionBody(lines_, section);
    // Defaults name one application, as desktop tools write them; lists of
    // associations end with ';'.
    const bool list = section != QLatin1String("Default Applications");
    const QString line = key + u'=' + values.join(u';') + (list ? QStringLiteral(";") : QString());
    if (first < 0) {
        if (values.isEmpty())
            return;
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty())
            lines_ << QString();
        lines_ << u'[' + section + u']' << line;
        return;
    }
    for (qsizetype i = first; i < end; ++i) {
        if (KeyOf(lines_[i]) != key)
            continue;
        if (values.isEmpty())
            lines_.removeAt(i);
        else
            lines_[i] = line;
        return;
    }
    if (values.isEmpty())
        return;
    // After the section's last entry, before any blank lines that end it.
    while (end > first && lines_[end - 1].trimmed().isEmpty())
        --end;
    lines_.insert(end, line);
}

QString MimeAppsList::defaultFor(const QString &mime) const
{
    return values(QStringLiteral("Default Applications"), mime).value(0).trimmed();
}

void MimeAppsList::setDefault(const QString &mime, const QString &desktopId)
{
    setValues(QStringLiteral("Default Applications"), mime,
              desktopId.isEmpty() ? QStringList() : QStringList{desktopId});
}

bool MimeAppsList::hasAssociation(const QString &mime, const QString &desktopId) const
{
    return values(QStringLiteral("Added Associations"), mime).contains(desktopId);
}

void MimeAppsList::setAssociation(const QString &mime, const QString &desktopId, bool on)
{
    QStringList ids = values(QStringLiteral("Added Associations"), mime);
    ids.removeAll(desktopId);
    if (on)
        ids.prepend(desktopId);
    setValues(QStringLiteral("Added Associations"), mime, ids);
}

QString MimeAppsList::save() const
{
    return WriteLines(path_, lines_);
}

namespace {

QString EntryPath(const Places &places)
{
    return places.dataHome + QStringLiteral("/applications/") + QLatin1String(DesktopId);
}

QString LauncherPath(const Places &places)
{
    return places.desktop + u'/' + QLatin1String(DesktopId);
}

QString MimeAppsPath(const Places &places)
{
    return places.configHome + QStringLiteral("/mimeapps.list");
}

// Whether the entry at `path` starts this very program (a copy elsewhere
// has an entry of the same name that is not ours).
bool StartsProgram(const QString &path, const QString &program)
{
    return ReadLines(path).contains(QStringLiteral("Exec=") + ExecLine(program));
}

// Writes or removes a desktop entry; empty when done, else the message.
QString PlaceEntry(const QString &path, const QString &program, bool wanted, bool hidden, bool executable)
{
    if (!wanted) {
        if (QFile::exists(path) && !QFile::remove(path))
            return QStringLiteral("%1 を削除できません。").arg(QDir::toNativeSeparators(path));
        return {};
    }
    if (QString error = WriteText(path, DesktopEntryText(program, hidden)); !error.isEmpty())
        return error;
    // Desktops start a launcher only when it may be executed, and GNOME's desktop icons only once
    // it is marked trusted (where GIO's metadata store runs; elsewhere the mark is not needed).
    if (executable) {
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (!gio.isEmpty()) {
            QProcess mark;
            mark.start(gio, {QStringLiteral("set"), path, QStringLiteral("metadata::trusted"),
                             QStringLiteral("true")});
            if (!mark.waitForFinished(2000))
                mark.kill();
        }
    }
    return {};
}

QStringList ViewSourceLines(const QString &program)
{
    QString escaped = program;
    escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return {QStringLiteral("user_pref(\"view_source.editor.external\", true);"),
            QStringLiteral("user_pref(\"view_source.editor.path\", \"%1\");").arg(escaped)};
}

// Adds or removes exactly our two lines in user.js; empty when done.
QString SetViewSource(const QString &userJs, const QString &program, bool on)
{
    QStringList lines = ReadLines(userJs);
    const QStringList ours = ViewSourceLines(program);
    for (const QString &line : ours)
        lines.removeAll(line);
    if (on)
        lines << ours;
    return WriteLines(userJs, lines);
}

} // namespace

QString FirefoxUserJs(const QString &home)
{
    const QString folder = home + QStringLiteral("/.mozilla/firefox");
    QFile ini(folder + QStringLiteral("/profiles.ini"));
    if (!ini.open(QIODevice::ReadOnly))
        return {};
    // The profile an [Install…] section names as its default, else the one
    // marked Default=1, else the only one.
    QString installDefault, markedDefault, only, path, isDefault;
    bool relative = true, profile = false, install = false;
    int profiles = 0;
    const auto endProfile = [&] {
        if (!profile || path.isEmpty())
            return;
        const QString full = relative ? folder + u'/' + path : path;
        ++profiles;
        only = full;
        if (isDefault == QLatin1String("1"))
            markedDefault = full;
    };
    for (const QByteArray &raw : ini.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            endProfile();
            profile = line.startsWith(QLatin1String("[Profile"));
            install = line.startsWith(QLatin1String("[Install"));
            path.clear();
            isDefault.clear();
            relative = true;
            continue;
        }
        const QString key = line.section(u'=', 0, 0);
        const QString value = line.section(u'=', 1);
        if (install && key == QLatin1String("Default") && installDefault.isEmpty())
            installDefault = folder + u'/' + value;
        else if (profile && key == QLatin1String("Path"))
            path = value;
        else if (profile && key == QLatin1String("IsRelative"))
            relative = value != QLatin1String("0");
        else if (profile && key == QLatin1String("Default"))
            isDefault = value;
    }
    endProfile();
    QString chosen = !installDefault.isEmpty() ? installDefault : markedDefault;
    if (chosen.isEmpty() && profiles == 1)
        chosen = only;
    return chosen.isEmpty() || !QFileInfo(chosen).isDir() ? QString() : chosen + QStringLiteral("/user.js");
}

Choices ReadChoices(const Places &places, const QString &program, QString *otherTextOpener)
{
    const MimeAppsList list(MimeAppsPath(places));
    const bool ours = StartsProgram(EntryPath(places), program);
    Choices c;
    const QString textDefault = list.defaultFor(QStringLiteral("text/plain"));
    c.text = ours && textDefault == QLatin1String(DesktopId);
    c.html = ours && list.hasAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId));
    c.menu = ours && !ReadLines(EntryPath(places)).contains(QStringLiteral("NoDisplay=true"));
    c.openWith = ours;
    c.desktop = StartsProgram(LauncherPath(places), program);
    const QString userJs = FirefoxUserJs(places.home);
    c.viewSource = !userJs.isEmpty() && ReadLines(userJs).contains(ViewSourceLines(program).last());
    // Another program's default is the one to bring back later.
    if (otherTextOpener != nullptr && textDefault != QLatin1String(DesktopId))
        *otherTextOpener = textDefault;
    return c;
}

Outcome Apply(const Places &places, const QString &program, const Choices &choices, bool associationsChanged,
              const QString &previousTextOpener)
{
    Outcome outcome;
    const bool entryWanted = choices.text || choices.html || choices.menu || choices.openWith;
    // The entry first: the desktop ignores a default it cannot find.
    outcome.error = PlaceEntry(EntryPath(places), program, entryWanted, !choices.menu, false);
    if (outcome.error.isEmpty() && associationsChanged) {
        MimeAppsList list(MimeAppsPath(places));
        list.setDefault(QStringLiteral("text/plain"),
                        choices.text ? QString::fromLatin1(DesktopId) : previousTextOpener);
        list.setAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId), choices.html);
        outcome.error = list.save();
        const QString userJs = FirefoxUserJs(places.home);
        if (outcome.error.isEmpty() && !userJs.isEmpty())
            outcome.error = SetViewSource(userJs, program, choices.viewSource);
        outcome.pointedHere = outcome.error.isEmpty() && (choices.text || choices.html || choices.viewSource);
    }
    const QString launcher = PlaceEntry(LauncherPath(places), program, choices.desktop, false, true);
    if (outcome.error.isEmpty())
        outcome.error = launcher;
    return outcome;
}

} // namespace ShellIntegration
