// A search of a file's bytes that decodes only the lines holding the
// pattern's line literal: most lines of a tree hold no match, and their
// decoding was the search's cost.
#pragma once

#include "line_literal.h"
#include "line_matches.h"
#include "text_codec.h"

#include <QByteArrayView>
#include <optional>

namespace FolderSearch {

// Whether a line of bytes in `code` decodes alone as it does in its file.
bool LinesDecodeAlone(DocumentCode code);

// The bytes of `literal` in `code` (one LinesDecodeAlone takes) that every line holding it holds;
// nothing when its characters have other forms there.
std::optional<QByteArray> LiteralBytes(const TextTools::LineLiteral &literal, DocumentCode code);

// Where `needle` starts at or after `from` in `bytes`, or -1; with `foldCase` an ASCII letter matches
// either case.
qsizetype FindLiteral(QByteArrayView bytes, QByteArrayView needle, bool foldCase, qsizetype from);

// MatchLines over the text `decoder` makes of `bytes` (no byte-order mark, a code LinesDecodeAlone
// takes), for a pattern with a line literal whose bytes there are `needle`.
TextMatches MatchLiteralLines(QByteArrayView bytes, const TextDecoder &decoder, QByteArrayView needle,
                              const TextTools::SearchPattern &pattern, qsizetype maxRows);

} // namespace FolderSearch
