// The editing area's text control: a plain-text editor whose every line
// break is a real one. QPlainTextEdit inserts U+2028 (a break inside a
// paragraph) for Shift+Enter and keeps it from pasted and dropped text, and
// code page 932 has no such character.
#pragma once

#include <QPlainTextEdit>

class DocumentEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit DocumentEditor(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
};
