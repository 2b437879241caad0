// Making this program the opener of text documents and an editor of HTML
// documents on a freedesktop desktop, and placing its desktop entries: the
// files the desktop reads (mimeapps.list, desktop entries), edited as line
// files that keep every line this program does not own.
#pragma once

#include <QString>
#include <QStringList>

namespace ShellIntegration {

// The desktop entry's name, as mimeapps.list refers to it.
inline constexpr char DesktopId[] = "qumoedit.desktop";

// Where the desktop keeps its per-user files.
struct Places
{
    QString home;       // the home folder: the browser's profiles
    QString configHome; // $XDG_CONFIG_HOME: mimeapps.list
    QString dataHome;   // $XDG_DATA_HOME: applications/
    QString desktop;    // the desktop folder
};
// The places of the current user.
Places UserPlaces();

// The Exec value that starts `program` on one file: the path quoted by the
// desktop-entry rules (a folder with spaces or quotes works), then %f.
QString ExecLine(const QString &program);
// The program's desktop entry; `hidden` keeps it out of menus (NoDisplay)
// while file managers still offer it under "Open With".
QString DesktopEntryText(const QString &program, bool hidden);

// mimeapps.list as a list of lines: the parts this program reads and
// writes, every other line kept as it was.
class MimeAppsList
{
public:
    // Reads `path`; a missing file is an empty list.
    explicit MimeAppsList(const QString &path);

    // The first desktop id of [Default Applications] for `mime`; empty when none.
    QString defaultFor(const QString &mime) const;
    // Makes `desktopId` the default for `mime`; an empty id removes the entry.
    void setDefault(const QString &mime, const QString &desktopId);
    // Whether [Added Associations] lists `desktopId` for `mime`.
    bool hasAssociation(const QString &mime, const QString &desktopId) const;
    // Adds or removes `desktopId` in [Added Associations] for `mime`, keeping
    // the others listed there.
    void setAssociation(const QString &mime, const QString &desktopId, bool on);

    // Writes the list back safely; empty when done, else the message.
    QString save() const;
    const QStringList &lines() const { return lines_; }

private:
    QStringList values(const QString &section, const QString &key) const;
    void setValues(const QString &section, const QString &key, const QStringList &values);

    QString path_;
    QStringList lines_;
};

// The user.js of the default Firefox profile under `home`, found through
// profiles.ini; empty when there is none.
QString FirefoxUserJs(const QString &home);

// The six boxes of the associations tab, as far as this desktop has them.
struct Choices
{
    bool text = false;       // the default opener of text/plain
    bool html = false;       // an added opener of text/html
    bool viewSource = false; // the browser's external view-source editor
    bool menu = false;       // in the applications menu
    bool desktop = false;    // a launcher on the desktop
    bool openWith = false;   // offered by file managers under "Open With"
    bool operator==(const Choices &) const = default;
};

// What the desktop says now about `program`; *otherTextOpener, when asked
// for, gets the text/plain default when it is another program's.
Choices ReadChoices(const Places &places, const QString &program, QString *otherTextOpener = nullptr);

struct Outcome
{
    bool pointedHere = false; // an association now points to this program
    QString error;            // why a file could not be written; empty when all went
};

// Carries out `choices`. The associations are rewritten only when
// `associationsChanged`; switching the text association off brings back
// `previousTextOpener` (an empty one removes ours), and the view-source
// lines are taken out of user.js again. Desktop entries always follow the
// boxes.
Outcome Apply(const Places &places, const QString &program, const Choices &choices, bool associationsChanged,
              const QString &previousTextOpener);

} // namespace ShellIntegration
