#include "nesting_bound.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace HtmlCheck {
namespace {

const QStringList VoidElements{"area",  "base",  "br",     "col",   "embed",    "hr",
                               "img",   "input", "link",   "meta",  "param",    "source",
                               "track", "wbr",   "keygen", "frame", "basefont", "isindex"};
// Their text is no markup.
const QStringList RawText{"script", "style", "textarea", "title", "xmp", "plaintext"};
// Blocks that close an open <p>.
const QStringList ClosesP{"address",  "article", "aside",  "blockquote", "details", "div",   "dl",
                          "fieldset", "figure",  "footer", "form",       "h1",      "h2",    "h3",
                          "h4",       "h5",      "h6",     "header",     "hr",      "main",  "menu",
                          "nav",      "ol",      "p",      "pre",        "section", "table", "ul"};
// Elements tidy closes an element across, as it is closed by its sibling.
const QStringList Inline{"a",     "abbr", "b",      "bdi",    "bdo",   "big",  "cite", "code", "data", "dfn",
                         "em",    "font", "i",      "kbd",    "label", "mark", "nobr", "q",    "s",    "samp",
                         "small", "span", "strike", "strong", "sub",   "sup",  "time", "tt",   "u",    "var"};
const QStringList InlineOrP = Inline + QStringList{"p"};

// An element whose end tag may be left out before the start of `closers`,
// when only `across` lies open after it. Tidy builds the same depth for
// such pages; where it nests deeper (a <li> after a <div> left open inside
// the last one) the count does too.
struct LeftOpen
{
    QStringList names;
    QStringList closers;
    const QStringList &across;
};
const LeftOpen LeftOpenEnds[] = {
    {{"p"}, ClosesP, Inline},
    {{"li"}, {"li"}, InlineOrP},
    {{"dt", "dd"}, {"dt", "dd"}, InlineOrP},
    {{"td", "th"}, {"td", "th", "tr"}, InlineOrP},
    {{"tr"}, {"tr"}, InlineOrP},
    {{"option"}, {"option", "optgroup"}, Inline},
    {{"rt", "rp"}, {"rt", "rp"}, Inline},
};

// The elements open, with how many of each name, so that an end tag of
// none of them costs no search.
class OpenElements
{
public:
    qsizetype size() const { return names_.size(); }
    void push(const QString &name)
    {
        names_.append(name);
        ++counts_[name];
    }
    // Closes the last `name` and everything opened after it.
    void close(const QString &name)
    {
        if (counts_.value(name) > 0)
            closeFrom(names_.lastIndexOf(name));
    }
    void closeLeftOpen(const LeftOpen &ends)
    {
        for (qsizetype i = names_.size() - 1; i >= 0; --i) {
            if (ends.names.contains(names_[i]))
                return closeFrom(i);
            if (!ends.across.contains(names_[i]))
                return;
        }
    }

private:
    void closeFrom(qsizetype at)
    {
        for (qsizetype i = at; i < names_.size(); ++i)
            --counts_[names_[i]];
        names_.resize(at);
    }

    QStringList names_;
    QHash<QString, qsizetype> counts_;
};

} // namespace

qsizetype NestingDepth(QStringView text, qsizetype stopAbove)
{
    OpenElements open;
    qsizetype most = 0;
    const qsizetype n = text.size();
    for (qsizetype i = text.indexOf(u'<'); i >= 0 && i + 1 < n; i = text.indexOf(u'<', i + 1)) {
        if (text.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = text.indexOf(u"-->", i + 4);
            if (end < 0)
                break;
            i = end + 2;
            continue;
        }
        const bool endTag = text[i + 1] == u'/';
        const qsizetype nameStart = i + (endTag ? 2 : 1);
        qsizetype e = nameStart;
        while (e < n && (text[e].isLetterOrNumber() || text[e] == u'-'))
            ++e;
        if (e == nameStart || !text[nameStart].isLetter())
            continue;
        const QString name = text.sliced(nameStart, e - nameStart).toString().toLower();
        const qsizetype close = text.indexOf(u'>', e);
        if (close < 0)
            break;
        i = close;
        if (endTag) {
            open.close(name);
            continue;
        }
        if (text[close - 1] == u'/' || VoidElements.contains(name))
            continue;
        for (const LeftOpen &ends : LeftOpenEnds)
            if (ends.closers.contains(name))
                open.closeLeftOpen(ends);
        if (RawText.contains(name)) {
            most = qMax(most, open.size() + 1);
            const qsizetype end = text.indexOf(QStringLiteral("</") + name, close, Qt::CaseInsensitive);
            if (end < 0)
                break;
            i = end - 1;
            continue;
        }
        open.push(name);
        most = qMax(most, open.size());
        if (most > stopAbove)
            break;
    }
    return most;
}

} // namespace HtmlCheck
