#include "kept_lines.h"

#include <QTextBlock>
#include <QTextDocument>

namespace KeptLines {
namespace {

struct LineBytes : QTextBlockUserData
{
    LineBytes(qsizetype from, qsizetype to, qsizetype chars) : from(from), to(to), chars(chars) {}
    qsizetype from, to; // the line's bytes, its line end excluded
    qsizetype chars;    // the length of its text when it was read
};

} // namespace

void Mark(QTextDocument *document, const QByteArray &bytes)
{
    const char *const data = bytes.constData();
    qsizetype from = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        qsizetype to = from;
        while (to < bytes.size() && data[to] != '\r' && data[to] != '\n')
            ++to;
        block.setUserData(new LineBytes(from, to, block.length() - 1));
        from = to;
        if (from < bytes.size())
            from += (data[from] == '\r' && from + 1 < bytes.size() && data[from + 1] == '\n') ? 2 : 1;
    }
}

KeptBytes Collect(const QTextDocument &document, const QByteArray &bytes, int revision)
{
    KeptBytes kept{bytes, {}};
    const char *const data = bytes.constData();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const auto *line = static_cast<const LineBytes *>(block.userData());
        if (line == nullptr || block.revision() > revision || block.length() - 1 != line->chars)
            continue;
        const qsizetype textFrom = block.position();
        const qsizetype textTo = textFrom + line->chars;
        if (!kept.ranges.empty()) {
            // A run of untouched lines that were CR LF in the file is one range,
            // the line break included.
            KeptRange &last = kept.ranges.back();
            if (last.textTo + 1 == textFrom && last.byteTo + 2 == line->from && data[last.byteTo] == '\r' &&
                data[last.byteTo + 1] == '\n') {
                last.textTo = textTo;
                last.byteTo = line->to;
                continue;
            }
        }
        kept.ranges.push_back({textFrom, textTo, line->from, line->to});
    }
    return kept;
}

} // namespace KeptLines
