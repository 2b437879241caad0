#include "replace_plan.h"

#include "text_codec.h"

#include <algorithm>

namespace FolderSearch {

namespace detail {

namespace {

// The lines of a file's bytes, one after another: CR LF, CR and LF end a
// line in every code, as code units of UTF-16.
class ByteLines
{
public:
    ByteLines(QByteArrayView bytes, qsizetype from, DocumentCode code)
        : bytes_(bytes), unit_(code == DocumentCode::Utf16Le || code == DocumentCode::Utf16Be ? 2 : 1),
          high_(code == DocumentCode::Utf16Be ? 0 : 1), start_(from)
    {
        findEnd();
    }

    qsizetype line() const { return line_; }
    qsizetype start() const { return start_; }
    qsizetype end() const { return end_; }

    // To the next line; false when this one was the last.
    bool next()
    {
        if (end_ >= bytes_.size())
            return false;
        const bool crLf =
            unitAt(end_) == u'\r' && end_ + unit_ < bytes_.size() && unitAt(end_ + unit_) == u'\n';
        start_ = end_ + (crLf ? 2 : 1) * unit_;
        ++line_;
        findEnd();
        return true;
    }
    // Passes lines until `line`; false when the bytes have fewer.
    bool moveTo(qsizetype line)
    {
        while (line_ < line) {
            if (!next())
                return false;
        }
        return true;
    }

private:
    char16_t unitAt(qsizetype i) const
    {
        const auto *p = reinterpret_cast<const unsigned char *>(bytes_.data()) + i;
        return unit_ == 1 ? char16_t(*p) : char16_t(p[high_] << 8 | p[1 - high_]);
    }
    void findEnd()
    {
        end_ = start_;
        while (end_ + unit_ <= bytes_.size() && unitAt(end_) != u'\r' && unitAt(end_) != u'\n')
            end_ += unit_;
        if (end_ + unit_ > bytes_.size())
            end_ = bytes_.size();
    }

    QByteArrayView bytes_;
    qsizetype unit_;
    int high_;
    qsizetype line_ = 0;
    qsizetype start_ = 0, end_ = 0;
};

struct Region
{
    qsizetype firstLine, lastLine;
    qsizetype oldFrom, oldTo;
    qsizetype firstMatch, endMatch; // indexes of its matches
};

// The lines the matches touch, lines touched by one match or by matches on
// the same line taken together.
std::vector<Region> RegionsOf(QStringView text, const QList<TextTools::SearchMatch> &found)
{
    std::vector<Region> regions;
    qsizetype line = 0, counted = 0; // line breaks before `counted`
    const auto lineOf = [&](qsizetype at) {
        line += text.sliced(counted, at - counted).count(u'\n');
        counted = at;
        return line;
    };
    for (qsizetype k = 0; k < found.size(); ++k) {
        const TextTools::SearchMatch &m = found[k];
        const qsizetype first = lineOf(m.start);
        const qsizetype last = lineOf(m.end());
        if (!regions.empty() && first <= regions.back().lastLine) {
            Region &r = regions.back();
            if (m.end() > r.oldTo) {
                const qsizetype to = text.indexOf(u'\n', m.end());
                r.oldTo = to < 0 ? text.size() : to;
            }
            r.lastLine = last;
            r.endMatch = k + 1;
            continue;
        }
        const qsizetype from = m.start == 0 ? 0 : text.lastIndexOf(u'\n', m.start - 1) + 1;
        const qsizetype to = text.indexOf(u'\n', m.end());
        regions.push_back({first, last, from, to < 0 ? text.size() : to, k, k + 1});
    }
    return regions;
}

} // namespace

} // namespace detail

ReplacePlan PlanReplace(QStringView text, const LineEnds &ends, const TextTools::SearchPattern &pattern,
                        const QString &replacement)
{
    ReplacePlan plan;
    plan.newBreaks.main = ends.main;
    const QList<TextTools::SearchMatch> found = pattern.findAll(text);
    if (found.isEmpty())
        return plan;
    QString &out = plan.text;
    out.reserve(text.size());
    qsizetype from = 0;
    for (const detail::Region &r : detail::RegionsOf(text, found)) {
        out.append(text.sliced(from, r.oldFrom - from));
        const qsizetype newFrom = out.size();
        qsizetype at = r.oldFrom;
        for (qsizetype k = r.firstMatch; k < r.endMatch; ++k) {
            const TextTools::SearchMatch &m = found[k];
            out.append(text.sliced(at, m.start - at)).append(pattern.replacementFor(replacement, m));
            at = m.end();
        }
        out.append(text.sliced(at, r.oldTo - at));
        from = r.oldTo;
        const QStringView before = text.sliced(r.oldFrom, r.oldTo - r.oldFrom);
        const QStringView after = QStringView(out).sliced(newFrom);
        if (before == after)
            continue; // replaced by itself: the lines keep their bytes
        ChangedLines change{
            r.firstLine, r.lastLine - r.firstLine + 1, r.oldFrom,         r.oldTo,         newFrom,
            out.size(),  r.endMatch - r.firstMatch,    before.toString(), after.toString()};
        plan.count += change.matches;
        if (ends.mixed()) {
            const qsizetype breaks = after.count(u'\n');
            const Jconvert::ReturnCode last = r.oldTo < text.size() ? ends.at(size_t(r.lastLine)) : ends.main;
            for (qsizetype b = 0; b < breaks; ++b)
                plan.newBreaks.each.push_back(b < change.lineCount - 1 ? ends.at(size_t(r.firstLine + b))
                                                                       : last);
        }
        plan.changes.push_back(std::move(change));
    }
    out.append(text.sliced(from));
    if (plan.changes.empty())
        plan.text.clear();
    return plan;
}

EncodedFile EncodeReplaced(const ReplacePlan &plan, const QByteArray &fileBytes, DocumentCode code, bool bom)
{
    const qsizetype mark = bom ? ByteOrderMark(code).size() : 0;
    const LineEnds noBreaks;
    const std::unique_ptr<TextEncoder> shifts = EncoderFor(code, noBreaks);
    KeptBytes kept{fileBytes, {}};
    int state = 0; // the file's shift state, from its start
    qsizetype byteAt = mark, textAt = 0;
    const auto keep = [&](qsizetype byteTo, qsizetype textTo) {
        const QByteArrayView bytes = QByteArrayView(fileBytes).sliced(byteAt, byteTo - byteAt);
        const KeptShift shift = shifts->keptShift(bytes, state);
        if (shift.after != KeptShift::AnyShift)
            state = shift.after;
        if (!bytes.isEmpty() || textTo > textAt)
            kept.ranges.push_back({textAt, textTo, byteAt, byteTo, shift});
    };
    const auto unreadable = [] {
        return EncodedFile{Outcome::failed(QStringLiteral("ファイルの行を読み分けられません。")), {}};
    };
    detail::ByteLines lines(fileBytes, mark, code);
    for (const ChangedLines &change : plan.changes) {
        if (!lines.moveTo(change.firstLine))
            return unreadable();
        keep(lines.start(), change.newFrom);
        if (!lines.moveTo(change.firstLine + change.lineCount - 1))
            return unreadable();
        // The old lines' escape sequences move the file's state all the same.
        const KeptShift passed = shifts->keptShift(
            QByteArrayView(fileBytes).sliced(lines.start(), lines.end() - lines.start()), state);
        if (passed.after != KeptShift::AnyShift)
            state = passed.after;
        byteAt = lines.end();
        textAt = change.newTo;
    }
    keep(fileBytes.size(), plan.text.size());

    const DocumentFormat format{code, plan.newBreaks.main, false};
    const EncodedText encoded = EncodeDocumentText(plan.text, format, plan.newBreaks, &kept);
    const qsizetype unencodable = encoded.firstUnencodable;
    EncodedFile result;
    result.bytes = fileBytes.first(mark) + encoded.bytes;
    if (unencodable >= 0) {
        const qsizetype line = QStringView(plan.text).first(unencodable).count(u'\n') + 1;
        const bool pair = plan.text[unencodable].isHighSurrogate() && unencodable + 1 < plan.text.size();
        const QString character = plan.text.sliced(unencodable, pair ? 2 : 1);
        return {Outcome::failed(QStringLiteral("%1行目の「%2」は %3 にない文字です。")
                                    .arg(line)
                                    .arg(character, CodeName(code))),
                {}};
    }
    if (DecoderFor(code)->decode(QByteArrayView(result.bytes).sliced(mark)).text != plan.text)
        return {Outcome::failed(QStringLiteral("置換した内容が元どおりに読み直せません。")), {}};
    return result;
}

} // namespace FolderSearch
