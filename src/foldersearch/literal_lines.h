// A search of a file's bytes that decodes only the lines holding the
// pattern's line literal: most lines of a tree hold no match, and their
// decoding was the search's cost.
#pragma once

#include "line_literal.h"
#include "line_matches.h"
#include "text_codec.h"

#include <QByteArrayView>

namespace FolderSearch {

// Whether a line of bytes in `code` decodes alone as it does in its file, its ASCII as those bytes.
bool LinesDecodeAlone(DocumentCode code);

// Where `literal` starts at or after `from` in `bytes`, or -1.
qsizetype FindLiteral(QByteArrayView bytes, const TextTools::LineLiteral &literal, qsizetype from);

// MatchLines over the text `decoder` makes of `bytes` (no byte-order mark, a code LinesDecodeAlone takes),
// for a pattern that has a line literal.
TextMatches MatchLiteralLines(QByteArrayView bytes, const TextDecoder &decoder,
                              const TextTools::SearchPattern &pattern, qsizetype maxRows);

} // namespace FolderSearch
