// The window's side of recovery: the keeper of the unsaved text's copy, the
// copy kept when the program ends unasked, and the offers of what ended
// instances and interrupted saves left behind.
#pragma once

#include <QObject>
#include <QString>

class Document;
class QPlainTextEdit;
class QWidget;
class RecoveryKeeper;
struct RecoveryCopy;

class CrashRecovery : public QObject
{
    Q_OBJECT

public:
    // The questions open over `window`.
    CrashRecovery(Document &document, QPlainTextEdit *editor, QWidget *window);

    // Keeps copies in `folder` from now on.
    void enable(const QString &folder);
    RecoveryKeeper *keeper() const { return keeper_; }
    // A copy restored without asking (accepted in another instance).
    void setHandedOverCopy(const QString &file) { handedOver_ = file; }
    // The program is ending unasked: the copy is written now and kept.
    void keepCopyForExit();
    // SIGTERM, SIGHUP and SIGINT keep the copy and end the program at once.
    void exitOnTerminationSignals();
    // Offers the copies ended instances left; the first may take this window.
    void offerCopies();
    // Offers what an interrupted save of `path` left beside it; nothing while
    // recovery is off.
    void offerLeftoverSaves(const QString &path);

signals:
    // A copy's text is the document now; it stays unsaved.
    void restored();
    void failed(const QString &message);

private:
    void restore(const RecoveryCopy &copy);

    Document &document_;
    QPlainTextEdit *editor_;
    QWidget *window_;
    RecoveryKeeper *keeper_ = nullptr;
    QString handedOver_;
};
