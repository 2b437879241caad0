#include "text_counts.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace TextTools {

std::optional<TextCounts> CountText(QStringView text)
{
    TextCounts counts;
    if (text.isEmpty())
        return counts;
    // ICU's rules, not QTextBoundaryFinder's: Qt 6.4 splits a flag that
    // follows an emoji ZWJ sequence (👨‍👩‍👧🇯🇵 counts three).
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> graphemes(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    UText *chars =
        utext_openUChars(nullptr, reinterpret_cast<const UChar *>(text.utf16()), text.size(), &status);
    if (U_FAILURE(status)) {
        utext_close(chars);
        return std::nullopt;
    }
    graphemes->setText(chars, status);
    qsizetype line = 0;
    for (qsizetype from = 0, to; (to = graphemes->next()) != icu::BreakIterator::DONE; from = to) {
        ++counts.characters;
        if (text[from] == u'\n') {
            counts.lineLengths << line;
            line = 0;
            continue;
        }
        ++line;
        if (!text[from].isSpace())
            ++counts.visible;
    }
    utext_close(chars);
    if (line > 0)
        counts.lineLengths << line;
    counts.lines = counts.lineLengths.size();
    return counts;
}

qsizetype ManuscriptPages(const QList<qsizetype> &lineLengths, int columns, int rows)
{
    if (columns <= 0 || rows <= 0)
        return 0;
    qsizetype used = 0;
    for (const qsizetype length : lineLengths)
        used += length == 0 ? 1 : (length + columns - 1) / columns;
    return (used + rows - 1) / rows;
}

} // namespace TextTools
