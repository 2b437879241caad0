// 文書チェック's pane under the editor: one row per finding (行, 桁, 種類,
// 内容). Enter or a double click on a row puts the caret there. The check
// runs aside on a copy of the text, so the window answers meanwhile.
#pragma once

#include "html_check.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace HtmlCheck {
class CheckRunner;
}

class HtmlCheckPane : public QWidget
{
    Q_OBJECT

public:
    // `snapshot` copies the document as it would be saved.
    HtmlCheckPane(QPlainTextEdit *editor, std::function<HtmlCheck::CheckInput()> snapshot, QWidget *parent);

    // F7: shows the pane and checks the document as it is now.
    void check();
    QTreeWidget *list() const { return list_; }

signals:
    // The findings of the last check are listed.
    void listed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showReport(const HtmlCheck::Report &report);
    void goTo(const QTreeWidgetItem *item);

    QPlainTextEdit *editor_;
    std::function<HtmlCheck::CheckInput()> snapshot_;
    HtmlCheck::CheckRunner *runner_;
    QLabel *status_;
    QTreeWidget *list_;
};

// Puts the caret of `editor` at 1-based `line` and character `column` of
// the text as stored; the nearest place when the text has changed since.
void PlaceCaret(QPlainTextEdit *editor, qsizetype line, qsizetype column);
