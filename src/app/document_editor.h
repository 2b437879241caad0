// The editing area's text control: a plain-text editor whose every line
// break is a real one. QPlainTextEdit inserts U+2028 (a break inside a
// paragraph) for Shift+Enter and keeps it from pasted and dropped text, and
// code page 932 has no such character. A TAB is eight half-width columns, so
// it lines up with the ruler whatever the font.
#pragma once

#include <QList>
#include <QPlainTextEdit>

class LineNumberGutter;

class DocumentEditor : public QPlainTextEdit
{
    Q_OBJECT
    // 「行番号を表示」: the real line numbers in a gutter at the left, as Qt's
    // code-editor example draws them; a line held in pieces or wrapped is one
    // number. Set by name, so the settings need not know this class.
    Q_PROPERTY(bool lineNumbers READ lineNumbers WRITE setLineNumbers)

public:
    explicit DocumentEditor(QWidget *parent = nullptr);

    // Whether `added` characters replacing the selection keep the text
    // within the most a document may hold.
    bool fits(qsizetype added) const;

    bool lineNumbers() const { return lineNumbers_; }
    void setLineNumbers(bool shown);
    // The numbers the gutter shows, from 1, and the tops of their lines in
    // the viewport, for the visible part of the text.
    struct GutterNumber
    {
        int line;
        int top;
        friend bool operator==(const GutterNumber &, const GutterNumber &) = default;
    };
    QList<GutterNumber> gutterNumbers() const;

signals:
    // Typing or a paste was refused: the text would pass the limit.
    void limitReached();

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
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

    friend class LineNumberGutter;
    int gutterWidth() const;
    void fitGutter();
    void paintGutter(QPaintEvent *event);

    int rebalanceFrom_ = -1;
    int rebalanceTo_ = -1;
    bool lineNumbers_ = false;
    LineNumberGutter *gutter_ = nullptr; // made when first shown
};
