#include "recovery_keeper.h"

#include "display_blocks.h"
#include "line_end_marks.h"
#include "system_reason.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

// Larger changes come from commands, not typing: the whole text is sent
// once the command is done, when the line-end marks are set as well.
constexpr int LargeChange = 65536;

qsizetype RawLength(const QTextDocument &text)
{
    return text.characterCount() - 1;
}

} // namespace

QByteArray LineStates(const QTextDocument &text)
{
    QByteArray states;
    states.reserve(text.blockCount());
    for (QTextBlock block = text.begin(); block.isValid(); block = DisplayBlocks::NextLine(block))
        states.append(char(LineEndMark(block)));
    return states;
}

void SetLineStates(QTextDocument &text, const QByteArray &states)
{
    qsizetype line = 0;
    for (QTextBlock block = text.begin(); block.isValid() && line < states.size();
         block = DisplayBlocks::NextLine(block))
        SetLineEndMark(block, qint8(states[line++]));
}

RecoveryKeeper::RecoveryKeeper(Document &document, QTextDocument *text, const QString &folder,
                               QObject *parent, std::chrono::milliseconds delay)
    : QObject(parent), document_(document), text_(text), folder_(folder), lock_(folder, RecoveryLock::NewId())
{
    if (!lock_.held())
        return;
    writer_ = std::make_unique<RecoveryWriter>(lock_.copyFile(), delay);
    resend();
    connect(text_, &QTextDocument::contentsChange, this, &RecoveryKeeper::changed);
    connect(text_, &QTextDocument::modificationChanged, this, &RecoveryKeeper::modificationChanged);
    // Save as, a new line-end choice: the state changes without an edit.
    stateTimer_.setInterval(500);
    connect(&stateTimer_, &QTimer::timeout, this, &RecoveryKeeper::sendState);
    stateTimer_.start();
    wholeTextTimer_.setSingleShot(true);
    wholeTextTimer_.setInterval(500);
    connect(&wholeTextTimer_, &QTimer::timeout, this, &RecoveryKeeper::resend);
}

RecoveryKeeper::~RecoveryKeeper()
{
    writer_.reset();
    if (!keep_)
        lock_.removeAll();
}

void RecoveryKeeper::changed(int position, int removed, int added)
{
    if (resendDue_)
        return;
    if (dormant_) {
        // The first edit since the text matched its file: the whole text, once.
        resendDue_ = true;
        QMetaObject::invokeMethod(this, &RecoveryKeeper::resend, Qt::QueuedConnection);
        return;
    }
    const qsizetype length = RawLength(*text_);
    // An edit of a text with soft breaks is in display positions: the text
    // as stored goes whole instead.
    const bool softBreaks = DisplayBlocks::HasSoftBreaks(*text_);
    // Qt reports some changes with extra characters on both sides, and a
    // format change as a removal and addition of the same text; what was
    // removed must have been there, and the lengths must agree.
    if (softBreaks) {
        // Sent at most twice a second: a whole long text on every key would cost more than the key.
        resendDue_ = true;
        wholeTextTimer_.start();
        return;
    }
    if (added > LargeChange || removed > LargeChange || position + removed > length_ ||
        length_ - removed + added != length) {
        resendDue_ = true;
        QMetaObject::invokeMethod(this, &RecoveryKeeper::resend, Qt::QueuedConnection);
        return;
    }
    RecoveryEdit edit;
    edit.position = position;
    edit.removed = removed;
    if (added > 0) {
        QTextCursor cursor(text_);
        cursor.setPosition(position);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        edit.added = cursor.selectedText();
    }
    QTextBlock block = text_->findBlock(position);
    edit.firstLine = block.blockNumber();
    const qsizetype lines = edit.added.count(QChar::ParagraphSeparator) + 1;
    for (qsizetype i = 0; i < lines && block.isValid(); ++i, block = block.next())
        edit.lineStates.append(char(LineEndMark(block)));
    length_ = length;
    writer_->post(std::move(edit));
}

void RecoveryKeeper::resend()
{
    wholeTextTimer_.stop();
    resendDue_ = false;
    dormant_ = !text_->isModified();
    if (dormant_) {
        length_ = 0;
        writer_->reset({});
        writer_->setState(document_.state(), false);
        return;
    }
    ++wholeTextsSent_;
    RecoveryText whole{DisplayBlocks::RawText(*text_), LineStates(*text_)};
    length_ = whole.text.size();
    writer_->reset(std::move(whole));
    writer_->setState(document_.state(), text_->isModified());
}

void RecoveryKeeper::modificationChanged(bool modified)
{
    if (writer_ == nullptr)
        return;
    // Saved (or undone back to the file): the copy goes and the mirror with
    // it. Changed while the writer holds no text: the whole text goes first.
    if (modified == dormant_ && !resendDue_) {
        resendDue_ = true;
        QMetaObject::invokeMethod(this, &RecoveryKeeper::resend, Qt::QueuedConnection);
    }
    sendState();
}

void RecoveryKeeper::sendState()
{
    if (writer_ == nullptr)
        return;
    const QString failure = writer_->failure();
    if (failure != reportedFailure_) {
        const bool wentWell = reportedFailure_.isEmpty();
        reportedFailure_ = failure;
        if (wentWell)
            emit writeFailed(failure);
    }
    // Until the whole text is there, the writer's mirror is not the text the
    // state is of: a copy written now would hold the text before the change
    // (none at all after opening a file) under the document's name.
    if (resendDue_)
        return;
    if (writer_->lostTrack()) {
        resend();
        return;
    }
    writer_->setState(document_.state(), text_->isModified());
}

QString RecoveryKeeper::unavailable() const
{
    if (active())
        return {};
    return lock_.error() != 0 ? SystemReason(lock_.error()) : QStringLiteral("ほかのプログラムが使用中です");
}

QString RecoveryKeeper::failure() const
{
    return writer_ != nullptr ? writer_->failure() : unavailable();
}

bool RecoveryKeeper::flush()
{
    if (writer_ == nullptr)
        return false;
    if (resendDue_)
        resend();
    sendState();
    return writer_->flush();
}

RecoveryText RecoveryKeeper::mirror()
{
    flush();
    return writer_ != nullptr ? writer_->mirror() : RecoveryText{};
}
