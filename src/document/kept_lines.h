// Lines keep the bytes they had in the file: code page 932 holds some
// characters twice (NEC and IBM forms), and re-encoding a line the user did
// not touch must not change its bytes. A line whose text is that of such a
// line in the file is written as the file had it, wherever it now stands.
#pragma once

#include "document_store.h"

#include <QHash>
#include <QSet>
#include <utility>

class QTextDocument;

class KeptLines
{
public:
    // Remembers the lines of `bytes`, decoded as `text` ('\n' line breaks),
    // whose encoding would differ from their bytes.
    void Remember(QStringView text, const QByteArray &bytes);
    void clear();
    bool isEmpty() const { return lines_.isEmpty(); }
    // The bytes the kept lines come from; empty when none is kept.
    const QByteArray &source() const { return bytes_; }

    // The ranges of the document's raw text whose lines are remembered ones,
    // with the bytes they come from.
    KeptBytes Collect(const QTextDocument &document) const;

private:
    QByteArray bytes_;
    QHash<QString, std::pair<qsizetype, qsizetype>> lines_; // text -> its bytes
    QSet<qsizetype> lengths_;                               // of the texts, to skip others fast
};
