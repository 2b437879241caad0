// The context menu's Japanese writing tools, one action each: 文字種変換,
// the character references and 文字数を数える. The rewrites work on the
// selection, or on the whole text when nothing is selected, as one undo step.
#pragma once

#include "built_on_use.h"
#include "count_dialog.h"
#include "document_format.h"

#include <QObject>
#include <array>
#include <functional>

class Document;
class QAction;
class QMenu;
class QPlainTextEdit;
class QWidget;

class WritingCommands : public QObject
{
    Q_OBJECT

public:
    enum class Tool {
        FullAlnumToHalf,
        HalfAlnumToFull,
        FullKanaToHalf,
        HalfKanaToFull,
        HiraganaToKatakana,
        KatakanaToHiragana,
        FullSpaceToHalf,
        HalfSpaceToFull,
        ToReferences,
        FromReferences,
        CountCharacters,
        Count
    };

    // Puts the tools into `popupMenu` before its entry `before` (at its end
    // when it has none); `document` tells how the text is written.
    WritingCommands(QPlainTextEdit *editor, const Document *document, QMenu *popupMenu, const char *before,
                    QWidget *window);

    QAction *action(Tool tool) const { return actions_[size_t(tool)]; }
    // 文字数を数える: shows the counts of the text and of the selection.
    void countCharacters();
    // A click on `panel` (the status bar's caret panel) counts too.
    void countOnClick(QWidget *panel);
    CountDialog *countDialog() { return countDialog_.get(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rewrite(const std::function<std::optional<QString>(const QString &)> &rewrite);

    QPlainTextEdit *editor_;
    const Document *document_;
    QWidget *window_;
    std::array<QAction *, size_t(Tool::Count)> actions_{};
    BuiltOnUse<CountDialog> countDialog_;
    QWidget *countPanel_ = nullptr;
};
