// Writes a file in pieces on a thread of its own, so that the caller can
// prepare the next piece while the system copies the last one: a large save
// then costs little more than the write itself.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class PieceWriter
{
public:
    // The device stays the caller's; nothing else may use it until finish().
    // At most `depth` pieces wait to be written.
    PieceWriter(QIODevice *device, qsizetype pieceCapacity, int depth = 3);
    ~PieceWriter();
    PieceWriter(const PieceWriter &) = delete;
    PieceWriter &operator=(const PieceWriter &) = delete;

    // A buffer of pieceCapacity bytes that no write uses any longer; waits
    // for one when all are queued.
    QByteArray takeBuffer();
    // Queues `piece`; false once a write has failed or finish() was called
    // (the piece is dropped then).
    bool write(QByteArray piece);
    // Waits until every queued piece is written; false when any write failed.
    bool finish();

private:
    void run();

    QIODevice *device_;
    qsizetype capacity_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<QByteArray> queued_;
    std::vector<QByteArray> free_;
    int buffers_ = 0;
    int depth_;
    bool closing_ = false;
    bool failed_ = false;
    std::thread thread_;
};
