// The editing area's text control: a plain-text editor whose every line
// break is a real one. QPlainTextEdit inserts U+2028 (a break inside a
// paragraph) for Shift+Enter and keeps it from pasted and dropped text, and
// code page 932 has no such character. A TAB is eight half-width columns, so
// it lines up with the ruler whatever the font.
#pragma once

#include <QPlainTextEdit>

class DocumentEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit DocumentEditor(QWidget *parent = nullptr);

    // Whether `added` characters replacing the selection keep the text
    // within the most a document may hold.
    bool fits(qsizetype added) const;

signals:
    // Typing or a paste was refused: the text would pass the limit.
    void limitReached();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void fitTabStops();
    // Keys at a soft break between display blocks act on the characters
    // beside it.
    bool softBreakKey(QKeyEvent *event);
    // Edits made without DisplayBlocks::InsertText (undo, Qt's own) leave
    // blocks to split or join once they are done.
    void followChange(int position, int removed, int added);
    void rebalanceChanged();

    int rebalanceFrom_ = -1;
    int rebalanceTo_ = -1;
};
