// The editing area (Panel14): the ruler (Panel2) above the editor
// (RichEdit1), which share one font and text size; long lines wrap anywhere.
#pragma once

#include <QWidget>

class DocumentEditor;
class QLabel;

class EditingArea : public QWidget
{
    Q_OBJECT

public:
    explicit EditingArea(QWidget *parent);

    DocumentEditor *editor() const { return editor_; }
    QLabel *ruler() const { return ruler_; }
    // Shows the text and the ruler's scale at `points`.
    void setTextSize(int points);
    // The text size button: the next size of its cycle, shown only.
    void stepTextSize();

private:
    QLabel *ruler_;
    DocumentEditor *editor_;
};
