// The window's status line: insert mode, caret position, clock, document
// path and the document's code and line end, each a sunken panel named
// "StatusPanel0" ... "StatusPanel4" from the left.
#pragma once

#include "display_blocks.h"

#include <QList>
#include <QStatusBar>

class QDateTime;
class QLabel;
class QPlainTextEdit;

class StatusBar : public QStatusBar
{
    Q_OBJECT

public:
    enum Panel { Mode, Caret, Clock, Path, Code };

    explicit StatusBar(QWidget *parent);

    void setOverwrite(bool overwrite);
    // The editor's caret line, line count and column in editor units, all
    // of the text as stored, whatever its display blocks.
    void showCaret(const QPlainTextEdit &editor);
    void setClock(const QDateTime &now);
    // `newFile`: the file is not made yet; the first save makes it.
    void setPath(const QString &path, bool newFile = false);
    // Shown at once, before a long read holds the event loop.
    void showLoading(const QString &path);
    // The code and line end's name (FormatName).
    void setCode(const QString &name);

    QString text(Panel panel) const;

signals:
    // The code panel was clicked at `globalPos`: the menu of codes to read the file in opens there.
    void codePanelClicked(QPoint globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLabel *> panels_;
    // Editor units of the line before the caret, kept per line.
    DisplayBlocks::LineMeasure lineColumns_;
};
