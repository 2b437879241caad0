// The window's side of recovery: the keeper of the unsaved text's copy, the
// places it falls back on, the copy kept when the program ends unasked, and
// the offers of what ended instances and interrupted saves left behind.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class Document;
class QPlainTextEdit;
class QWidget;
class RecoveryKeeper;
struct LeftCopy;
struct RecoveryCopy;

class CrashRecovery : public QObject
{
    Q_OBJECT

public:
    // The questions open over `window`.
    CrashRecovery(Document &document, QPlainTextEdit *editor, QWidget *window);

    // Keeps copies in the first of `places` that can be written, and moves
    // on to the next when writing fails there; the user is told once.
    void enable(const QStringList &places);
    void enable(const QString &folder) { enable(QStringList{folder}); }
    RecoveryKeeper *keeper() const { return keeper_; }
    // A copy restored without asking (accepted in another instance).
    void setHandedOverCopy(const QString &file) { handedOver_ = file; }
    // Where a restored copy goes that this window does not take; by default
    // a new instance with --recover.
    void setOpenElsewhere(std::function<void(const QString &copyFile)> open)
    {
        openElsewhere_ = std::move(open);
    }
    // The program is ending unasked: the copy is written now and kept. False
    // when unsaved text could not be written anywhere.
    bool keepCopyForExit();
    // SIGTERM, SIGHUP and SIGINT keep the copy and end the program at once;
    // when no copy can be written, closing asks to save instead.
    void exitOnTerminationSignals();
    // Offers the copies ended instances left, and names those that cannot
    // be read. Runs once the start-up is done, after what it has to say.
    void offerCopies();
    // Offers what an interrupted save of `path` left beside it; nothing while
    // recovery is off.
    void offerLeftoverSaves(const QString &path);

signals:
    // A copy's text is the document now; it stays unsaved.
    void restored();
    void failed(const QString &message);

private:
    // Writes the copy now, in the next places if need be; true when the
    // copy holds the text or there is nothing unsaved.
    bool writeCopyNow();
    // Keeps copies in the next place that takes one; false when none does.
    bool moveOn();
    void writeFailed(const QString &reason);
    void warn(bool movedOn);
    void askToSave(int signal);
    bool takesWindow(const RecoveryCopy &copy) const;
    void restore(const RecoveryCopy &copy);
    // Restores the copies chosen in `copies`: into this window the one it
    // takes, each other elsewhere.
    void restoreChosen(std::vector<LeftCopy> &copies, const std::vector<int> &chosen);
    void restoreHandedOver();

    Document &document_;
    QPlainTextEdit *editor_;
    QWidget *window_;
    RecoveryKeeper *keeper_ = nullptr;
    QStringList places_;
    qsizetype place_ = -1; // of keeper_ in places_
    QStringList refusals_; // the places that failed, and why
    bool warnedMovedOn_ = false;
    bool warnedNowhere_ = false;
    bool nowhere_ = false; // no place takes a copy
    bool startedUp_ = false;
    bool warningDue_ = false; // said once the window is up
    bool asking_ = false;
    QString handedOver_;
    std::function<void(const QString &)> openElsewhere_;
};
