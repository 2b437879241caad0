// The values kept in qumoedit.ini, with their defaults. The main window's own
// part and the settings dialog's part are read at different times of start-up
// and written together at close.
#pragma once

#include "colour_value.h"

#include <QSize>
#include <QString>
#include <QStringList>

// How many documents 最近使ったファイル lists.
inline constexpr int MaxRecentFiles = 10;

// `recent` with `path` first, once, and at most MaxRecentFiles names.
inline QStringList WithRecentFile(QStringList recent, const QString &path)
{
    recent.removeAll(path);
    recent.prepend(path);
    return recent.mid(0, MaxRecentFiles);
}

struct MainWindowSettings
{
    int height = 473;
    int width = 520;
    int x = 0; // default: centred on the screen
    int y = 0;
    bool maximized = false; // x, y, width and height are then the size it returns to
    bool htmlPanel = false;
    bool clipPanel = false;
    bool colorPanel = false;
    int msize = 9;
    QString pathName; // folder of the last document; written from the document path
    QString clipName = QStringLiteral("色見本"); // the shipped colour set, as the tag palette gets HTML
    QString tagName = QStringLiteral("HTML");
    int htmlChar = 0;
    int clipChar = 0;
    bool sendClipBoard = false;
    // The live preview pane: written once it has been shown (width 0: never).
    bool previewShown = false;
    int previewWidth = 0;
    // 最近使ったファイル, newest first; a section of this program's own.
    QStringList recentFiles;

    friend bool operator==(const MainWindowSettings &, const MainWindowSettings &) = default;
};

// The options the settings dialog shows and produces.
struct DialogOptions
{
    QString editFont = QStringLiteral("ＭＳ ゴシック");
    bool returnRight = true;
    bool ruler = true;
    bool lineNumbers = false; // 行番号を表示; written only once set
    bool defaultColor = true;
    bool userColor = false;
    TColor fontColor = 0xFF9080;
    TColor backColor = 0x360000;
    bool useTmp = false;
    bool useAutoHtml = false;
    QString preTxtProg;
    QString preHtmProg;
    bool keySound = true;
    bool autoIndent = true;
    bool saveAsHtm = false;
    QString dateTime = QStringLiteral("mm/dd/yyyy hh:nn:ss");
    bool overwriteMes = false;
    bool secondBrowser = false;
    QString secondBrowserPath;
    bool autoDecode = false;
    bool decodeAll = false;
    int charCode = 0;     // 0 Shift_JIS, 1 JIS, 2 EUC
    int retCode = 0;      // 0 CR+LF, 1 CR, 2 LF
    bool newUtf8 = false; // new documents are UTF-8 with LF

    friend bool operator==(const DialogOptions &, const DialogOptions &) = default;
};
