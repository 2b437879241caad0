#include "kept_lines.h"

#include "display_blocks.h"

#include <QTextBlock>
#include <QTextDocument>
#include <functional>

namespace {

struct FileLine
{
    QStringView text;
    qsizetype from, to; // bytes, without the line end
};

// Calls `each` for every line of `bytes` and its text, in order.
void ForEachLine(QStringView text, const QByteArray &bytes, const std::function<void(const FileLine &)> &each)
{
    const char *const data = bytes.constData();
    qsizetype from = 0;
    for (qsizetype textFrom = 0; textFrom <= text.size();) {
        qsizetype textTo = text.indexOf(u'\n', textFrom);
        if (textTo < 0)
            textTo = text.size();
        qsizetype to = from;
        while (to < bytes.size() && data[to] != '\r' && data[to] != '\n')
            ++to;
        each({text.sliced(textFrom, textTo - textFrom), from, to});
        from = to;
        if (from < bytes.size())
            from += (data[from] == '\r' && from + 1 < bytes.size() && data[from + 1] == '\n') ? 2 : 1;
        textFrom = textTo + 1;
    }
}

} // namespace

void KeptLines::Remember(QStringView text, const QByteArray &bytes, DocumentCode code)
{
    clear();
    const LineEnds noBreaks;
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(code, noBreaks);
    QByteArray encoded;
    const auto differs = [&](const FileLine &line) {
        encoded.resize(TextEncoder::MaxBytesPerUnit * line.text.size() + TextEncoder::MaxFinishBytes);
        qsizetype size = encoder->encode(line.text, encoded.data()).bytes;
        size += encoder->finish(encoded.data() + size);
        return QByteArrayView(encoded.constData(), size) !=
               QByteArrayView(bytes).sliced(line.from, line.to - line.from);
    };
    // The texts that have a form of their own somewhere, then the forms of
    // each of their lines.
    QSet<QString> texts;
    ForEachLine(text, bytes, [&](const FileLine &line) {
        if (differs(line)) {
            texts.insert(line.text.toString());
            lengths_.insert(line.text.size());
        }
    });
    if (texts.isEmpty())
        return;
    int shift = 0;
    ForEachLine(text, bytes, [&](const FileLine &line) {
        const QByteArrayView lineBytes = QByteArrayView(bytes).sliced(line.from, line.to - line.from);
        const KeptShift lineShift = encoder->keptShift(lineBytes, shift);
        if (lineShift.after != KeptShift::AnyShift)
            shift = lineShift.after;
        if (!lengths_.contains(line.text.size()))
            return;
        const QString lineText = line.text.toString();
        if (!texts.contains(lineText))
            return;
        lines_[lineText].push_back(differs(line) ? std::optional<Form>(Form{line.from, line.to, lineShift})
                                                 : std::nullopt);
    });
    bytes_ = bytes;
    code_ = code;
}

void KeptLines::clear()
{
    bytes_.clear();
    lines_.clear();
    lengths_.clear();
}

KeptBytes KeptLines::Collect(const QTextDocument &document) const
{
    KeptBytes kept{bytes_, {}};
    if (lines_.isEmpty())
        return kept;
    QHash<QString, std::size_t> taken; // occurrences of each text so far
    // Positions in the text as stored: a long line's soft breaks count none.
    qsizetype softBreaks = 0;
    for (QTextBlock block = document.begin(); block.isValid();) {
        const QTextBlock next = DisplayBlocks::NextLine(block);
        const qsizetype displayEnd = next.isValid() ? next.position() - 1 : document.characterCount() - 1;
        const qsizetype blocks = next.isValid() ? next.blockNumber() - block.blockNumber()
                                                : document.blockCount() - block.blockNumber();
        const qsizetype start = block.position() - softBreaks;
        const qsizetype length = displayEnd - block.position() - (blocks - 1);
        if (lengths_.contains(length)) {
            const QString text = blocks == 1 ? block.text() : DisplayBlocks::LineText(block);
            const auto line = lines_.constFind(text);
            if (line != lines_.constEnd()) {
                // A line more than the file had takes the last form.
                std::size_t &n = taken[text];
                const std::optional<Form> &form = (*line)[std::min(n++, line->size() - 1)];
                if (form)
                    kept.ranges.push_back({start, start + length, form->from, form->to, form->shift});
            }
        }
        softBreaks += blocks - 1;
        block = next;
    }
    return kept;
}
