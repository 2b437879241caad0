// A search of a file's bytes that decodes only the lines holding the
// pattern's line literal: most lines of a tree hold no match, and their
// decoding was the search's cost.
#pragma once

#include "line_literal.h"
#include "line_matches.h"
#include "text_codec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <optional>

namespace FolderSearch {

// Whether a line of bytes in `code` decodes alone as it does in its file.
bool LinesDecodeAlone(DocumentCode code);

// The bytes of `literal` in `code` (one LinesDecodeAlone takes) that every line holding it holds;
// nothing when its characters have other forms there.
std::optional<QByteArray> LiteralBytes(const TextTools::LineLiteral &literal, DocumentCode code);

// Finds a literal's bytes in a file's, again and again: its tables are made once.
class LiteralFinder
{
public:
    // `needle` is not empty; with `foldCase` an ASCII letter matches either case.
    LiteralFinder(QByteArrayView needle, bool foldCase);
    // Where the needle starts at or after `from` in `bytes`, or -1.
    qsizetype find(QByteArrayView bytes, qsizetype from) const;
    qsizetype size() const { return needle_.size(); }

private:
    QByteArray needle_;
    bool foldCase_;
    std::array<qsizetype, 256> shift_{}; // Horspool's, both cases of a letter alike
};

// MatchLines over the text `decoder` makes of `bytes` (no byte-order mark, a code LinesDecodeAlone
// takes), for a pattern with a line literal whose bytes there `needle` finds.
TextMatches MatchLiteralLines(QByteArrayView bytes, const TextDecoder &decoder, const LiteralFinder &needle,
                              const TextTools::SearchPattern &pattern, qsizetype maxRows);

} // namespace FolderSearch
