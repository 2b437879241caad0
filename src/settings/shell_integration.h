// Making this program the opener of text documents and an editor of HTML
// documents on a freedesktop desktop, and placing its desktop entries: the
// files the desktop reads (mimeapps.list, desktop entries) and Firefox's
// user.js, where only this program's own entries change.
#pragma once

#include "outcome.h"

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
    // Where the desktop looks besides: $XDG_CONFIG_DIRS, $XDG_DATA_DIRS, $XDG_CURRENT_DESKTOP.
    QStringList configDirs;
    QStringList dataDirs;
    QStringList desktops;
};
// The places of the current user.
Places UserPlaces();

// The Exec value that starts `program` on one file: the path quoted by the
// desktop-entry rules (a folder with spaces or quotes works), then %f.
QString ExecLine(const QString &program);
// The program's desktop entry; `hidden` keeps it out of menus (NoDisplay), and
// `offered` names the types file managers offer it for under "Open With".
QString DesktopEntryText(const QString &program, bool hidden, bool offered = true);

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

// What the desktop says now about `program`: the text box by the lookup
// `xdg-mime query default` makes. *otherTextOpener, when asked for, gets the
// user's text/plain default when it is another program's.
Choices ReadChoices(const Places &places, const QString &program, QString *otherTextOpener = nullptr);

struct Applied
{
    bool pointedHere = false; // an association now points to this program
    Outcome outcome;          // a failure names the file that could not be read or written, and why
};

// Carries out `choices`. The associations change only when
// `associationsChanged`, and only by this program's id: it goes first in the
// text/plain default list or comes out of it (a list that held only it brings
// back `previousTextOpener`), into the text/html openers or out; the
// view-source lines go into user.js or come out. A file that cannot be read
// is not written. Desktop entries always follow the boxes, written only when
// they differ.
Applied Apply(const Places &places, const QString &program, const Choices &choices, bool associationsChanged,
              const QString &previousTextOpener);

} // namespace ShellIntegration
