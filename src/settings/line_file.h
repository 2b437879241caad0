// A file of the desktop's or of another program's (mimeapps.list, user.js),
// edited line by line as bytes: every line keeps its bytes and its line end,
// whatever its encoding, and a file that was not read whole is never written.
#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>

class LineFile
{
public:
    struct Line
    {
        QByteArray text; // without its line end
        QByteArray end;  // "\n", "\r\n", or empty for a last line without one
    };

    // Reads `path` whole; a missing file is an empty one.
    explicit LineFile(const QString &path);

    // Whether the file was read whole; the failure's message names the file.
    const Outcome &readOutcome() const { return read_; }

    const QList<Line> &lines() const { return lines_; }
    // Replaces the text of line `at`; its line end stays.
    void setText(qsizetype at, const QByteArray &text) { lines_[at].text = text; }
    // Inserts `text` as a line before line `at`, ended as the file's lines are. Appended after a
    // last line without an end, that line gets one and the new line goes without, as it did.
    void insert(qsizetype at, const QByteArray &text);
    void append(const QByteArray &text) { insert(lines_.size(), text); }
    // Removes line `at`; when it had no end, the line before it loses its own, so that inserting and
    // removing a line gives the bytes back.
    void remove(qsizetype at);

    QByteArray bytes() const;
    // Writes the lines back safely when they changed; never a file that was not read whole.
    // A failure's message names the file.
    Outcome save() const;

private:
    QByteArray lineEnd() const;

    QList<Line> lines_;
    QString path_;
    bool existed_ = false;
    QByteArray original_;
    Outcome read_;
};
