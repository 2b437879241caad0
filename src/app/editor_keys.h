// What the program adds to the editor's own keys: click sounds, the
// line-break tag on Shift+Enter, automatic indentation, Shift+Delete line
// deletion, plain paste on Ctrl+V, quote paste on Ctrl+Q, and the Insert key
// switching between insert and overwrite.
#pragma once

#include <QObject>
#include <functional>

class EditorOptions;
class QKeyEvent;
class QPlainTextEdit;

// A key with Alt that would type its text: no command took it, so it types nothing.
bool IsUnboundAltText(const QKeyEvent &key);

class EditorKeys : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        std::function<void(const QString &sound)> play; // "key.wav", "enter.wav", skipped while one plays
        std::function<int()> tagCase;                   // the tag palette's case choice
        std::function<void()> pastePlain;               // Ctrl+V: the 貼り付け command
        std::function<void()> pasteQuote;               // Ctrl+Q: the 引用貼り付け command
    };

    // Installs itself on `editor`; `options` is read at each key.
    EditorKeys(QPlainTextEdit *editor, const EditorOptions *options, Hooks hooks);

    // Whether the editor overwrites (Insert pressed an odd number of times).
    bool overwrite() const;

signals:
    // The Insert key switched the mode.
    void overwriteChanged(bool overwrite);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A key pressed in the editor: true when the key is swallowed.
    bool keyDown(QKeyEvent *key);
    // Enter typed in the editor: true when the indentation was inserted.
    bool autoIndent();

    QPlainTextEdit *editor_;
    const EditorOptions *options_;
    Hooks hooks_;
};
