#include "search_pattern.h"

#include "replace_exact_or_lower.h"

#include <algorithm>

namespace TextTools {

namespace detail {

namespace {

bool IsWidthForm(char16_t c)
{
    return c == 0x3000 || (c >= 0xFF01 && c <= 0xFFEF);
}

bool IsHalfwidthKana(char16_t c)
{
    return c >= 0xFF61 && c <= 0xFF9F;
}

bool IsHalfwidthSoundMark(char16_t c)
{
    return c == 0xFF9E || c == 0xFF9F;
}

char16_t KatakanaOf(char16_t c)
{
    if (c >= 0x3041 && c <= 0x3096)
        return char16_t(c + 0x60);
    if (c == 0x309D || c == 0x309E) // ゝゞ
        return char16_t(c + 0x60);
    return c;
}

} // namespace

FoldedText Fold(QStringView text, bool asciiCase, bool width, bool kana)
{
    FoldedText folded;
    folded.text.resize(text.size());
    folded.origin.resize(text.size() + 1);
    char16_t *out = reinterpret_cast<char16_t *>(folded.text.data());
    qsizetype *origin = folded.origin.data();
    qsizetype n = 0;
    const auto put = [&](char16_t o, qsizetype from) {
        if (kana)
            o = KatakanaOf(o);
        if (asciiCase && o >= 'A' && o <= 'Z')
            o = char16_t(o + ('a' - 'A'));
        out[n] = o;
        origin[n++] = from;
    };
    for (qsizetype i = 0; i < text.size();) {
        const char16_t c = text[i].unicode();
        if (!width || !IsWidthForm(c)) {
            put(c, i++);
            continue;
        }
        // A half-width kana with its sound mark is one full-width kana (ｶﾞ is ガ).
        const qsizetype taken =
            IsHalfwidthKana(c) && i + 1 < text.size() && IsHalfwidthSoundMark(text[i + 1].unicode()) ? 2 : 1;
        const QString wide = text.sliced(i, taken).toString().normalized(QString::NormalizationForm_KC);
        if (n + wide.size() > folded.text.size() - (text.size() - i - taken)) {
            // A form that unfolds to more characters than it had (rare): room for the rest.
            const qsizetype more = wide.size() - taken;
            folded.text.resize(folded.text.size() + more);
            folded.origin.resize(folded.origin.size() + more);
            out = reinterpret_cast<char16_t *>(folded.text.data());
            origin = folded.origin.data();
        }
        for (const QChar o : wide)
            put(o.unicode(), i);
        i += taken;
    }
    folded.text.truncate(n);
    folded.origin.resize(n + 1);
    folded.origin[n] = text.size();
    return folded;
}

} // namespace detail

namespace {

// Characters a line of a file holds as they are: no line break, no control
// character, no half of a surrogate pair (which kept bytes read as).
bool IsLineText(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate() || (c.unicode() < 0x20 && c != u'\t') || c == QChar::LineSeparator ||
                 c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

bool Folds(const SearchOptions &options)
{
    return options.ignoreWidth || options.ignoreKana || (!options.matchCase && !options.regularExpression);
}

// A pattern folded as the text will be; in an expression a full-width sign that became ASCII
// punctuation stays a literal sign (（ is no group).
QString FoldPattern(const QString &text, const SearchOptions &options)
{
    const bool asciiCase = !options.matchCase && !options.regularExpression;
    const detail::FoldedText folded = detail::Fold(text, asciiCase, options.ignoreWidth, options.ignoreKana);
    if (!options.regularExpression || !options.ignoreWidth)
        return folded.text;
    QString escaped;
    for (qsizetype i = 0; i < folded.text.size(); ++i) {
        const QChar c = folded.text[i];
        const bool wasWide = text[folded.origin[i]] != c;
        if (wasWide && c.unicode() < 0x80 && !c.isLetterOrNumber() && !c.isSpace())
            escaped.append(u'\\');
        escaped.append(c);
    }
    return escaped;
}

} // namespace

SearchPattern::SearchPattern(const QString &text, const SearchOptions &options) : options_(options)
{
    if (text.isEmpty())
        return;
    const QString pattern = FoldPattern(text, options);
    // Width and kana folds let other characters stand for ASCII.
    const bool plainCharacters = !options.ignoreWidth && !options.ignoreKana;
    if (!options.regularExpression) {
        literal_ = pattern;
        valid_ = true;
        if (plainCharacters && IsLineText(pattern))
            lineLiteral_ = LineLiteral{pattern, !options.matchCase};
        return;
    }
    QRegularExpression::PatternOptions flags =
        QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        flags |= QRegularExpression::CaseInsensitiveOption;
    expression_ = QRegularExpression(pattern, flags);
    valid_ = expression_.isValid();
    if (!valid_)
        error_ = QStringLiteral("正規表現の誤り (%1文字目): %2")
                     .arg(expression_.patternErrorOffset() + 1)
                     .arg(expression_.errorString());
    if (valid_ && plainCharacters) {
        if (const std::optional<QString> run = LineBoundLiteral(pattern, !options.matchCase))
            lineLiteral_ = LineLiteral{*run, !options.matchCase};
    }
}

SearchPattern SearchPattern::forReplacing(const QString &text, const SearchOptions &options)
{
    if (options.regularExpression)
        return SearchPattern(text, options);
    return SearchPattern(ReplaceExactOrLower(text, QStringLiteral("[RET]"), QStringLiteral("\n")), options);
}

QList<SearchMatch> SearchPattern::search(QStringView text, qsizetype from, bool all, bool withCaptures) const
{
    QList<SearchMatch> matches;
    if (!valid_ || from < 0 || from > text.size())
        return matches;
    // A literal folds only the part it searches; an expression sees the whole text, so that ^ and
    // look-behinds know what stands before `from`.
    const qsizetype base = options_.regularExpression ? 0 : from;
    detail::FoldedText folded;
    QStringView subject = text.sliced(base);
    if (Folds(options_)) {
        const bool asciiCase = !options_.matchCase && !options_.regularExpression;
        folded = detail::Fold(subject, asciiCase, options_.ignoreWidth, options_.ignoreKana);
        subject = folded.text;
    }
    const auto original = [&](qsizetype at) {
        return base + (folded.origin.isEmpty() ? at : folded.origin[at]);
    };
    const auto add = [&](qsizetype start, qsizetype end, QStringList captures) {
        const qsizetype s = original(start);
        matches.append({s, original(end) - s, std::move(captures)});
    };
    if (!options_.regularExpression) {
        for (qsizetype at = subject.indexOf(literal_); at >= 0;
             at = all ? subject.indexOf(literal_, at + literal_.size()) : -1)
            add(at, at + literal_.size(), {});
        return matches;
    }
    qsizetype offset = from;
    if (!folded.origin.isEmpty())
        offset = std::lower_bound(folded.origin.begin(), folded.origin.end(), from) - folded.origin.begin();
    QRegularExpressionMatchIterator it = expression_.globalMatch(subject, offset);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QStringList captures;
        for (int group = 0; withCaptures && group <= expression_.captureCount(); ++group) {
            const qsizetype start = m.capturedStart(group);
            captures.append(
                start < 0 ? QString()
                          : text.sliced(original(start), original(m.capturedEnd(group)) - original(start))
                                .toString());
        }
        add(m.capturedStart(), m.capturedEnd(), std::move(captures));
        if (!all)
            break;
    }
    return matches;
}

SearchMatch SearchPattern::find(QStringView text, qsizetype from) const
{
    const QList<SearchMatch> first = search(text, from, false);
    return first.isEmpty() ? SearchMatch() : first.first();
}

QList<SearchMatch> SearchPattern::findAll(QStringView text) const
{
    return search(text, 0, true);
}

QList<SearchMatch> SearchPattern::findAllPlaces(QStringView text) const
{
    return search(text, 0, true, false);
}

bool SearchPattern::matchesWhole(QStringView text) const
{
    const SearchMatch m = find(text, 0);
    return m.start == 0 && m.length == text.size();
}

QString SearchPattern::replacementFor(const QString &replacement, const SearchMatch &match) const
{
    const QString withBreaks =
        ReplaceExactOrLower(replacement, QStringLiteral("[RET]"), QStringLiteral("\n"));
    if (!options_.regularExpression)
        return withBreaks;
    QString out;
    out.reserve(withBreaks.size());
    for (qsizetype i = 0; i < withBreaks.size(); ++i) {
        const QChar c = withBreaks[i];
        const QChar next = i + 1 < withBreaks.size() ? withBreaks[i + 1] : QChar();
        if ((c == u'\\' || c == u'$') && next.isDigit() && next.unicode() < 0x80) {
            out.append(match.captures.value(next.unicode() - '0'));
            ++i;
        } else if ((c == u'\\' || c == u'$') && next == c) {
            out.append(c);
            ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace TextTools
