// InsertTemplate: a palette button's content expanded against the selection,
// the clock, the colours, the alignment box and a chosen file.
#pragma once

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <functional>

namespace Palettes {

// The colour panel's six colours (0x00BBGGRR); the defaults are the panel's values at start.
struct TemplateColours
{
    quint32 color = 0x000000; // *color*: the slider mix
    quint32 bgcol = 0xFFE0E0; // *bgcol*: R 224, G 224, B 255
    quint32 textc = 0x000000; // *textc*
    quint32 link = 0xA08020;  // *link*: R 32, G 128, B 160
    quint32 vlink = 0x505090; // *vlink*: R 144, G 80, B 80
    quint32 alink = 0x8040FF; // *alink*: R 255, G 64, B 128
};

struct TemplateRequest
{
    QString content;                              // the record's content in stored form (\r\n markers)
    int selectStart = 0;                          // editor units
    int selectLength = 0;                         // editor units
    int caseMode = 0;                             // 0 as is, 1 lower-case tags, 2 upper-case tags
    QString selection;                            // the editor's selected text
    QString alignment = QStringLiteral("none.."); // the alignment box's text
    TemplateColours colours;
    QDateTime now;
    QLocale locale;
    QString charset = QStringLiteral("Shift_JIS"); // *charset*: the code the document is saved in
    QString documentPath;                          // empty for a new document
    QString lastImageDocument;                     // the document the file dialog was last opened for
};

// The title of the file dialog of *file*.
QString LinkFileDialogTitle();

// Shows the file dialog "リンク対象ファイル参照" in `initialFolder` (empty: the platform's choice);
// the chosen file's absolute path, empty when cancelled.
using ChooseFile = std::function<QString(const QString &initialFolder)>;

struct TemplateMessage
{
    QString caption;
    QString text;
    bool operator==(const TemplateMessage &) const = default;
};

struct Expansion
{
    QString text;                    // replaces the selection (or goes to the clipboard)
    qsizetype selectStart = 0;       // editor units from the start of `text`, within it
    qsizetype selectLength = 0;      // editor units, as stored (never negative)
    QList<TemplateMessage> messages; // to show, in order, before the text is used
    QString lastImageDocument;       // to keep for the next expansion
};

// The expansion of request.content; chooseFile is asked only when the content holds "*file*".
Expansion InsertTemplate(const TemplateRequest &request, const ChooseFile &chooseFile);

} // namespace Palettes
