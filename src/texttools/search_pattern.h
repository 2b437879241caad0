// What the search bar (and the folder search) looks for: a literal text or a
// regular expression, compiled once, with the matching options. No window,
// no document: it searches the text it is given, as stored.
#pragma once

#include "line_literal.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace TextTools {

struct SearchOptions
{
    bool matchCase = false;         // Aa区別: without it a literal folds ASCII only, a pattern every letter
    bool regularExpression = false; // 正規表現
    bool ignoreWidth = false;       // 全角半角を区別しない: ＡＢＣ finds ABC, ｶﾞ finds ガ
    bool ignoreKana = false;        // ひらがなカタカナを区別しない
    bool operator==(const SearchOptions &) const = default;
};

struct SearchMatch
{
    qsizetype start = -1; // in the searched text; -1: none
    qsizetype length = 0;
    QStringList captures; // the whole match, then each group (regular expressions only)
    bool found() const { return start >= 0; }
    qsizetype end() const { return start + length; }
};

class SearchPattern
{
public:
    SearchPattern(const QString &text, const SearchOptions &options);
    // What "一括置換" and the folder search look for: in a literal, "[RET]" (or "[ret]") is a line break.
    static SearchPattern forReplacing(const QString &text, const SearchOptions &options);

    // An empty text or a regular expression that does not compile searches nothing.
    bool isValid() const { return valid_; }
    // Why a regular expression does not compile, with its place ("正規表現の誤り (3文字目): …"); empty
    // otherwise.
    const QString &errorText() const { return error_; }
    const SearchOptions &options() const { return options_; }
    // Characters every match holds, when no match runs past its line: a line without them holds no match.
    const std::optional<LineLiteral> &lineLiteral() const { return lineLiteral_; }

    // The first match starting at or after `from`; an empty match of an expression counts.
    SearchMatch find(QStringView text, qsizetype from) const;
    // Every match from the start, none overlapping; after an empty match the search moves on one character.
    QList<SearchMatch> findAll(QStringView text) const;
    // The same places without their captures, as a list of results needs them.
    QList<SearchMatch> findAllPlaces(QStringView text) const;
    // Whether `text` is exactly one whole match.
    bool matchesWhole(QStringView text) const;
    // What replaces `match`: "[RET]" (or "[ret]") is a line break; for an expression \0-\9 and $0-$9 are
    // its captures, "\\" a backslash and "$$" a dollar.
    QString replacementFor(const QString &replacement, const SearchMatch &match) const;

private:
    QList<SearchMatch> search(QStringView text, qsizetype from, bool all, bool captures = true) const;

    SearchOptions options_;
    QString literal_; // folded as the text is
    QRegularExpression expression_;
    bool valid_ = false;
    QString error_;
    std::optional<LineLiteral> lineLiteral_;
};

namespace detail {

// The text as the options compare it, and where each of its characters came from (one more entry for the
// end).
struct FoldedText
{
    QString text;
    QList<qsizetype> origin;
};
FoldedText Fold(QStringView text, bool asciiCase, bool width, bool kana);

} // namespace detail

} // namespace TextTools
