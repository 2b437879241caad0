// Decisions of the main window that need no window: the command line, the
// caret panel's text, and which dropped files are taken.
#pragma once

#include "outcome.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

struct StartRequest
{
    enum Kind {
        NoDocument, // start with an empty, default-named document
        Setup,      // open the settings dialog on its associations tab
        Open,       // open `path`
    };
    Kind kind = NoDocument;
    QString path;
};

// The arguments after the program name. They are joined with spaces into one
// absolute path, so a path with spaces passed without quotes still opens.
// "/setup" (any case) as an argument of its own asks for the associations
// tab. After "--" every argument is part of the path.
StartRequest ParseCommandLine(const QStringList &arguments);

// A path's long form. Linux has no short aliases: the path without the
// trailing spaces a joined command line leaves.
QString ExpandLongPath(const QString &path);

// Whether `path` names a file not made yet in a folder that exists: the
// command line may name the document it is to create.
bool NamesFileToCreate(const QString &path);

// The new document a start without a file gets: "newtext.txt", or
// "newhtml.html" with the tag palette, in the remembered folder, else the
// desktop, else the home folder (many homes have no desktop folder).
QString StartUpDocumentPath(const QString &rememberedFolder, const QString &desktop, const QString &home,
                            bool tagPaletteVisible);

// `wanted` moved and shrunk as little as needed to lie on one of the screens
// (available areas, the primary first).
QRect FitOnScreens(const QRect &wanted, const QList<QRect> &screens);

// "L:007/120  C:000": 1-based line, line count, 0-based column in editor units.
QString CaretPanelText(qsizetype line, qsizetype lineCount, qsizetype column);

// Images, sounds and archives dropped on the window are not opened.
bool IsIgnoredDropType(const QString &path);

// A clip set file (name ending in "qmc", any case) is offered for installation.
bool IsClipSetFile(const QString &path);

struct ClipSetQuestion
{
    QString text;
    bool replaces; // the user's own set of that name would go
};
// What to ask before installing the dropped clip set `path`.
ClipSetQuestion ClipSetInstallQuestion(const QString &path, const QString &programDir);

// Copies a clip set into the program folder under its own name, replacing a
// set of that name safely.
Outcome InstallClipSet(const QString &path, const QString &programDir);

// Wraps a hint's lines so that none is wider than maxWidth pixels.
QString WrapHintText(const QString &text, const class QFontMetrics &metrics, int maxWidth);
