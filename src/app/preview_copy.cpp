#include "preview_copy.h"

#include "preview_engine.h"

#include <algorithm>
#include <vector>

namespace {

bool IsBreak(QChar c)
{
    return c == u'\n' || c == QChar(QChar::ParagraphSeparator);
}

bool IsTagSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f' || c == u'\r' || IsBreak(c);
}

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Elements whose content is text up to their end tag, never markup.
bool HoldsRawText(QStringView name)
{
    static const char *const names[] = {"script", "style",   "textarea", "title",    "xmp",
                                        "iframe", "noembed", "noframes", "noscript", "plaintext"};
    return std::any_of(std::begin(names), std::end(names), [name](const char *raw) {
        return name.compare(QLatin1String(raw), Qt::CaseInsensitive) == 0;
    });
}

bool IsVoid(QStringView name)
{
    static const char *const names[] = {"area",  "base", "br",   "col",   "embed",  "hr",    "img",
                                        "input", "link", "meta", "param", "source", "track", "wbr"};
    return std::any_of(std::begin(names), std::end(names), [name](const char *raw) {
        return name.compare(QLatin1String(raw), Qt::CaseInsensitive) == 0;
    });
}

struct Place
{
    qsizetype at = 0;
    int line = 0;
};

// Where a page's lines start outside markup, and where its body starts.
struct PageScan
{
    std::vector<Place> lineStarts;
    Place body{-1, 0};    // after the <body> tag
    Place head;           // after the last </head>, <meta> and doctype
    QString tags;         // "<p </p " ..., void elements aside; only when asked for
    bool rawText = false; // a script, style or other element of raw text
    int lines = 1;        // the line breaks and one
};

// Reads a page once, from the start, for its PageScan.
class PageScanner
{
public:
    // With `noteTags`, the tags are noted too.
    PageScanner(QStringView page, bool noteTags) : t_(page), noteTags_(noteTags) {}
    PageScan scan();

private:
    // Moves on to `to`, counting the line breaks passed.
    void skipTo(qsizetype to)
    {
        line_ += int(std::count_if(t_.begin() + i_, t_.begin() + to, IsBreak));
        i_ = to;
    }
    Place here() const { return {i_, line_}; }
    // After the '>' that ends the tag whose attributes start at `from`
    // (quoted values may hold '>'); the end when it never ends.
    qsizetype tagEnd(qsizetype from) const;
    // The "</name" that ends raw text from `from` on, or the end.
    qsizetype rawTextEnd(qsizetype from, QStringView name) const;
    void skipMarkup();

    QStringView t_;
    bool noteTags_;
    qsizetype i_ = 0;
    int line_ = 0;
    PageScan found_;
};

qsizetype PageScanner::tagEnd(qsizetype from) const
{
    const qsizetype n = t_.size();
    for (qsizetype j = from; j < n; ++j) {
        if (t_[j] == u'>')
            return j + 1;
        if (t_[j] != u'=')
            continue;
        qsizetype v = j + 1;
        while (v < n && IsTagSpace(t_[v]))
            ++v;
        if (v < n && (t_[v] == u'"' || t_[v] == u'\'')) {
            const qsizetype close = t_.indexOf(t_[v], v + 1);
            if (close < 0)
                return n;
            j = close;
        }
    }
    return n;
}

qsizetype PageScanner::rawTextEnd(qsizetype from, QStringView name) const
{
    const QString closing = QStringLiteral("</") + name.toString();
    for (qsizetype at = t_.indexOf(closing, from, Qt::CaseInsensitive); at >= 0;
         at = t_.indexOf(closing, at + 1, Qt::CaseInsensitive)) {
        const qsizetype after = at + closing.size();
        if (after == t_.size() || IsTagSpace(t_[after]) || t_[after] == u'/' || t_[after] == u'>')
            return at;
    }
    return t_.size();
}

void PageScanner::skipMarkup()
{
    const qsizetype n = t_.size();
    const QStringView rest = t_.sliced(i_);
    if (rest.startsWith(u"<!--")) {
        // "<!-->" and "<!--->" are whole comments.
        qsizetype end = n;
        if (rest.sliced(4).startsWith(u'>'))
            end = i_ + 5;
        else if (rest.sliced(4).startsWith(u"->"))
            end = i_ + 6;
        else if (const qsizetype close = t_.indexOf(u"-->", i_ + 4); close >= 0)
            end = close + 3;
        skipTo(end);
        return;
    }
    if (rest.size() > 1 && (rest[1] == u'!' || rest[1] == u'?')) {
        const bool doctype = rest.sliced(2).startsWith(u"doctype", Qt::CaseInsensitive);
        const qsizetype close = t_.indexOf(u'>', i_ + 2);
        skipTo(close < 0 ? n : close + 1);
        if (doctype)
            found_.head = here();
        return;
    }
    const bool endTag = rest.size() > 1 && rest[1] == u'/';
    const qsizetype nameAt = i_ + (endTag ? 2 : 1);
    if (nameAt >= n || !IsAsciiLetter(t_[nameAt])) {
        ++i_; // a '<' of the text
        return;
    }
    qsizetype nameEnd = nameAt;
    while (nameEnd < n && !IsTagSpace(t_[nameEnd]) && t_[nameEnd] != u'/' && t_[nameEnd] != u'>')
        ++nameEnd;
    const QStringView name = t_.sliced(nameAt, nameEnd - nameAt);
    skipTo(tagEnd(nameEnd));
    const auto is = [name](const char *tag) {
        return name.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0;
    };
    found_.rawText = found_.rawText || HoldsRawText(name);
    if (noteTags_ && !IsVoid(name))
        found_.tags +=
            (endTag ? QStringLiteral("</") : QStringLiteral("<")) + name.toString().toLower() + u' ';
    if (endTag) {
        if (is("head"))
            found_.head = here();
        return;
    }
    if (is("body") && found_.body.at < 0)
        found_.body = here();
    else if (is("meta"))
        found_.head = here();
    else if (HoldsRawText(name))
        skipTo(is("plaintext") ? n : rawTextEnd(i_, name));
}

PageScan PageScanner::scan()
{
    found_.lineStarts.push_back({0, 0});
    const qsizetype n = t_.size();
    while (i_ < n) {
        const QChar c = t_[i_];
        if (c == u'<') {
            skipMarkup();
        } else {
            ++i_;
            if (IsBreak(c))
                found_.lineStarts.push_back({i_, ++line_});
        }
    }
    found_.lines = line_ + 1;
    return std::move(found_);
}

// The lines, body and head of `page`; its tags too with `noteTags`.
PageScan ScanPage(QStringView page, bool noteTags = false)
{
    return PageScanner(page, noteTags).scan();
}

// Whether the tags ScanPage noted close in the order they open, all of them:
// such a part parses alike on its own beside its neighbours.
bool Nested(const QString &tags)
{
    std::vector<QStringView> open;
    for (const QStringView tag : QStringView(tags).split(u' ', Qt::SkipEmptyParts)) {
        if (!tag.startsWith(u"</"))
            open.push_back(tag.sliced(1));
        else if (!open.empty() && open.back() == tag.sliced(2))
            open.pop_back();
        else
            return false;
    }
    return open.empty();
}

// A font family as a CSS string's content.
QString CssString(QString text)
{
    text.remove(u'"').remove(u'\\').remove(u'<');
    return text;
}

} // namespace

namespace PreviewCopy {

QString LineMarker(int line)
{
    return QStringLiteral("<!--") + QLatin1String(PreviewLineMarker) + QString::number(line) +
           QStringLiteral("-->");
}

QString VerticalStyle()
{
    return QStringLiteral("<style>html,body{writing-mode:vertical-rl!important}</style>");
}

MarkedCopy MarkPage(QStringView page, bool vertical)
{
    const PageScan scan = ScanPage(page);
    const Place first = scan.body.at >= 0 ? scan.body : scan.head;
    MarkedCopy copy;
    copy.source = page.toString();
    copy.markers.resize(size_t(scan.lines));
    QString &out = copy.text;
    out.reserve(page.size() + qsizetype(scan.lineStarts.size()) * 24 + 80);
    out += page.first(first.at);
    if (vertical)
        out += VerticalStyle();
    const auto mark = [&](const Place &at) {
        copy.markers[size_t(at.line)] = {at.at, out.size()};
        out += LineMarker(at.line);
    };
    mark(first);
    qsizetype from = first.at;
    for (const Place &start : scan.lineStarts) {
        if (start.at <= first.at)
            continue;
        out += page.sliced(from, start.at - from);
        mark(start);
        from = start.at;
    }
    out += page.sliced(from);
    return copy;
}

MarkedCopy MarkText(QStringView text, const QString &family, qreal points, bool vertical)
{
    MarkedCopy copy;
    copy.source = text.toString();
    copy.page = false;
    QString &out = copy.text;
    out.reserve(text.size() + text.size() / 16 + 400);
    out += QStringLiteral(
               "<!DOCTYPE html><html lang=\"ja\"><head><meta charset=\"utf-8\"><style>body{margin:8px;"
               "white-space:pre-wrap;overflow-wrap:anywhere;font-family:\"%1\",monospace;"
               "font-size:%2pt}</style>")
               .arg(CssString(family))
               .arg(points);
    if (vertical)
        out += VerticalStyle();
    out += QStringLiteral("</head><body>");
    int line = 0;
    const auto mark = [&](qsizetype at) {
        copy.markers.push_back({at, out.size()});
        out += LineMarker(line++);
    };
    mark(0);
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineBreak = IsBreak(c);
        if (!lineBreak && c != u'&' && c != u'<' && c != u'>')
            continue;
        out += text.sliced(from, i - from);
        from = i + 1;
        if (lineBreak) {
            out += u'\n';
            mark(i + 1);
        } else {
            out += c == u'&'   ? QStringLiteral("&amp;")
                   : c == u'<' ? QStringLiteral("&lt;")
                               : QStringLiteral("&gt;");
        }
    }
    out += text.sliced(from);
    out += QStringLiteral("</body></html>");
    return copy;
}

std::optional<PreviewPatch> PatchBetween(const MarkedCopy &before, const MarkedCopy &now)
{
    if (before.page != now.page || before.source == now.source)
        return std::nullopt;
    const QString &was = before.source;
    const QString &is = now.source;
    const qsizetype prefix = std::mismatch(was.begin(), was.end(), is.begin(), is.end()).first - was.begin();
    qsizetype suffix = 0;
    while (suffix < was.size() - prefix && suffix < is.size() - prefix &&
           was[was.size() - 1 - suffix] == is[is.size() - 1 - suffix])
        ++suffix;
    const auto breaks = [](QStringView text) {
        return int(std::count_if(text.begin(), text.end(), IsBreak));
    };
    const int firstLine = breaks(QStringView(was).first(prefix));
    const int lastLine = breaks(QStringView(was).first(was.size() - suffix));
    const int shift = int(now.markers.size()) - int(before.markers.size());
    // From the last marker at or before the change, which the change must not precede...
    int from = firstLine;
    while (from >= 0 && before.markers[size_t(from)].source < 0)
        --from;
    if (from < 0 || before.markers[size_t(from)].source > prefix)
        return std::nullopt;
    // ...to the first after the line where it ends, which is where it was.
    int to = lastLine + 1;
    while (to < int(before.markers.size()) && before.markers[size_t(to)].source < 0)
        ++to;
    if (to >= int(before.markers.size()) || to + shift <= from || to + shift >= int(now.markers.size()))
        return std::nullopt;
    const MarkedCopy::Marker start = now.markers[size_t(from)];
    const MarkedCopy::Marker end = now.markers[size_t(to + shift)];
    if (start.source != before.markers[size_t(from)].source ||
        end.source != before.markers[size_t(to)].source + is.size() - was.size())
        return std::nullopt;
    if (now.page) {
        const PageScan old = ScanPage(
            QStringView(was).sliced(start.source, before.markers[size_t(to)].source - start.source), true);
        const PageScan fresh =
            ScanPage(QStringView(is).sliced(start.source, end.source - start.source), true);
        if (old.rawText || fresh.rawText || !Nested(old.tags) || !Nested(fresh.tags))
            return std::nullopt;
    }
    // The page's line breaks as the saved file has them.
    return PreviewPatch{
        from, to, shift,
        now.text.sliced(start.copy, end.copy - start.copy).replace(QChar::ParagraphSeparator, u'\n')};
}

} // namespace PreviewCopy
