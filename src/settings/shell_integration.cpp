#include "shell_integration.h"

#include "line_file.h"
#include "mime_apps_list.h"
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

// The lines of a text file as the desktop's tools read them (a CR before LF taken off).
QStringList ReadLines(const QString &path)
{
    QStringList lines;
    const LineFile file(path);
    for (const LineFile::Line &line : file.lines())
        lines.append(QString::fromUtf8(line.text));
    return lines;
}

QStringList EnvironmentList(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return (value.isEmpty() ? fallback : value).split(u':', Qt::SkipEmptyParts);
}

} // namespace

Places UserPlaces()
{
    return {QDir::homePath(),
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
            EnvironmentList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")),
            EnvironmentList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share/:/usr/share/")),
            EnvironmentList("XDG_CURRENT_DESKTOP", QString())};
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

QString DesktopEntryText(const QString &program, bool hidden, bool offered)
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
                      QStringLiteral("Exec=") + ExecLine(program),
                      QStringLiteral("Terminal=false")};
    if (offered)
        lines << QStringLiteral("MimeType=text/plain;text/html;");
    if (hidden)
        lines << QStringLiteral("NoDisplay=true");
    return lines.join(u'\n') + u'\n';
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

// Writes or removes a desktop entry of this program's. An entry that already reads as wanted is
// left alone.
Outcome PlaceEntry(const QString &path, bool wanted, const QString &text, bool executable)
{
    if (!wanted) {
        if (QFile::exists(path) && !QFile::remove(path))
            return Outcome::failed(
                QStringLiteral("%1 を削除できません。").arg(QDir::toNativeSeparators(path)));
        return {};
    }
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.read(64 * 1024) == text.toUtf8() &&
        (!executable || (current.permissions() & QFileDevice::ExeOwner)))
        return {};
    current.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const int error = SafeFileWriter::writeAll(path, text.toUtf8()); error != 0)
        return Outcome::failed(
            WithReason(QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(path)), error));
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

// Adds or removes exactly our two lines in user.js, every other byte kept.
Outcome SetViewSource(const QString &userJs, const QString &program, bool on)
{
    LineFile file(userJs);
    QList<QByteArray> ours;
    for (const QString &line : ViewSourceLines(program))
        ours.append(line.toUtf8());
    for (qsizetype i = file.lines().size() - 1; i >= 0; --i) {
        if (ours.contains(file.lines()[i].text))
            file.remove(i);
    }
    if (on) {
        for (const QByteArray &line : ours)
            file.append(line);
    }
    return file.save();
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
    const QStringList entry = ReadLines(EntryPath(places));
    const bool ours = entry.contains(QStringLiteral("Exec=") + ExecLine(program));
    Choices c;
    const QString textDefault = list.defaults(QStringLiteral("text/plain")).value(0);
    c.text = ours && DefaultApplication(QStringLiteral("text/plain"),
                                        QStringList{places.configHome} + places.configDirs,
                                        QStringList{places.dataHome} + places.dataDirs,
                                        places.desktops) == QLatin1String(DesktopId);
    c.html = ours && list.associations(QStringLiteral("text/html")).contains(QLatin1String(DesktopId));
    c.menu = ours && !entry.contains(QStringLiteral("NoDisplay=true"));
    c.openWith = ours && std::any_of(entry.begin(), entry.end(), [](const QString &line) {
                     return line.startsWith(QLatin1String("MimeType="));
                 });
    c.desktop = StartsProgram(LauncherPath(places), program);
    const QString userJs = FirefoxUserJs(places.home);
    c.viewSource = !userJs.isEmpty() && ReadLines(userJs).contains(ViewSourceLines(program).last());
    // Another program's default is the one to bring back later.
    if (otherTextOpener != nullptr && textDefault != QLatin1String(DesktopId))
        *otherTextOpener = textDefault;
    return c;
}

Applied Apply(const Places &places, const QString &program, const Choices &choices, bool associationsChanged,
              const QString &previousTextOpener)
{
    Applied applied;
    const bool entryWanted = choices.text || choices.html || choices.menu || choices.openWith;
    // The entry first: the desktop ignores a default it cannot find.
    applied.outcome = PlaceEntry(EntryPath(places), entryWanted,
                                 DesktopEntryText(program, !choices.menu, choices.openWith), false);
    if (applied.outcome.done() && associationsChanged) {
        MimeAppsList list(MimeAppsPath(places));
        list.setDefault(QStringLiteral("text/plain"), QLatin1String(DesktopId), choices.text,
                        previousTextOpener);
        list.setAssociation(QStringLiteral("text/html"), QLatin1String(DesktopId), choices.html);
        applied.outcome = list.save();
        applied.pointedHere = applied.outcome.done() && (choices.text || choices.html);
        const QString userJs = FirefoxUserJs(places.home);
        if (!userJs.isEmpty()) {
            const Outcome viewSource = SetViewSource(userJs, program, choices.viewSource);
            applied.pointedHere = applied.pointedHere || (viewSource.done() && choices.viewSource);
            if (applied.outcome.done())
                applied.outcome = viewSource;
        }
    }
    const Outcome launcher =
        PlaceEntry(LauncherPath(places), choices.desktop, DesktopEntryText(program, false), true);
    if (applied.outcome.done())
        applied.outcome = launcher;
    return applied;
}

} // namespace ShellIntegration
