#include "document_loader.h"

#include "display_blocks.h"
#include "memory_policy.h"

#include <QEventLoop>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <memory>

DocumentRead ReadDocumentAside(const QString &path, const CodeChoice &choice)
{
    DocumentRead read;
    std::unique_ptr<QThread> worker(QThread::create([&read, path, choice] {
        // The file's bytes and the decoded text are mappings of their own,
        // handed back whole when freed.
        const LargeBuffersMapped mapped;
        read = ReadDocument(path, choice);
    }));
    QEventLoop loop;
    // Queued: a worker done before the loop runs still ends it.
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    worker->start();
    // Clicks and keys wait until the document is there: they would act on the
    // text being replaced.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    return read;
}

void SetTextInPieces(QTextDocument &document, QStringView text, qsizetype pieceChars,
                     const std::function<void()> &between, const std::function<void(qsizetype)> &taken)
{
    const bool undo = document.isUndoRedoEnabled();
    // The loaded text is no edit to undo; disabling also drops the old steps.
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    for (qsizetype from = 0; from < text.size();) {
        // Pieces end after a line break, so no pair or break is split.
        qsizetype to = from + pieceChars < text.size() ? text.indexOf(u'\n', from + pieceChars) : -1;
        to = to < 0 ? text.size() : to + 1;
        cursor.movePosition(QTextCursor::End);
        DisplayBlocks::InsertHeld(cursor, text.sliced(from, to - from));
        // A file being read is no unsaved change, also between pieces, when
        // the window runs: nothing is kept for recovery until the user edits.
        document.setModified(false);
        from = to;
        if (taken)
            taken(from);
        if (from < text.size() && between)
            between();
    }
    document.setUndoRedoEnabled(undo);
}
