// Lines keep the bytes they had in the file: a code may write a character in
// more than one form (code page 932's NEC and IBM forms, JIS X 0212 forms of
// JIS X 0208 characters, JIS escape sequences), and re-encoding a line the
// user did not touch must not change its bytes. A line whose text is that of
// such a line in the file is written as the file had it, wherever it now
// stands; lines of the same text take the file's forms in the file's order.
#pragma once

#include "document_format.h"
#include "document_store.h"

#include <QHash>
#include <QSet>
#include <optional>
#include <vector>

class QTextDocument;

class KeptLines
{
public:
    // Remembers the lines of `bytes`, in `code` and decoded as `text` ('\n'
    // line breaks), whose encoding would differ from their bytes.
    void Remember(QStringView text, const QByteArray &bytes, DocumentCode code);
    void clear();
    bool isEmpty() const { return lines_.isEmpty(); }
    // The bytes the kept lines come from; empty when none is kept.
    const QByteArray &source() const { return bytes_; }
    // The code of those bytes: only a document written in it can use them.
    DocumentCode code() const { return code_; }

    // The ranges of the document's raw text whose lines are remembered ones,
    // with the bytes they come from.
    KeptBytes Collect(const QTextDocument &document) const;

private:
    struct Form
    {
        qsizetype from, to; // the line's bytes
        KeptShift shift;
    };
    // Each occurrence's form in file order; none: as the encoder writes it.
    using Forms = std::vector<std::optional<Form>>;

    QByteArray bytes_;
    DocumentCode code_ = DocumentCode::Sjis;
    QHash<QString, Forms> lines_;
    QSet<qsizetype> lengths_; // of the texts, to skip others fast
};
