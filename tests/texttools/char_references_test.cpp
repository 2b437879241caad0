#include "char_references.h"
#include "printers.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

struct ReferenceCase
{
    const char *text;
    const char *references;
    bool anyCharacter = false;
};

TEST(CharReferences, Escape)
{
    const ReferenceCase cases[] = {
        {"a & b < c > d \"e\" 'f'", "a &amp; b &lt; c &gt; d &quot;e&quot; 'f'"},
        {"&amp;", "&amp;amp;"},
        {"日本語ｶﾅ\n①", "日本語ｶﾅ\n①"},
        // What code page 932 lacks: one reference per character, a pair included.
        {"é😀𠮷€", "&#xE9;&#x1F600;&#x20BB7;&#x20AC;"},
        {"é😀<", "é😀&lt;", true},
    };
    for (const ReferenceCase &c : cases)
        EXPECT_EQ(EscapeReferences(QString::fromUtf8(c.text), c.anyCharacter),
                  QString::fromUtf8(c.references))
            << c.text;
    // A byte kept from the file stays a byte.
    const QString kept = QString(QChar(0xDC81)) + u'&';
    EXPECT_EQ(EscapeReferences(kept, false), QString(QChar(0xDC81)) + QStringLiteral("&amp;"));
}

TEST(CharReferences, Unescape)
{
    const ReferenceCase cases[] = {
        // {references, text}
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&amp;lt;", "&lt;"},
        {"&hellip;&rarr;&hearts;&nbsp;", "…→♥\u00A0", true},
        {"&hellip;&rarr;&nbsp;", "…→&nbsp;"}, // code page 932 has no U+00A0
        {"&#12354;&#x3042;&#X3042;&#x1F600;", "あああ😀", true},
        {"&#x1F600;", "&#x1F600;"},
        {"&#12354&#x41 b", "あA b"},
        {"&NotEqualTilde;&fjlig;", "≂̸fj", true},
        // HTML 4 names without ';', unless a letter, digit or '=' follows.
        {"&amp &lt, &copy", "& <, ©", true},
        {"?a=1&copy=2&ampx &hellip", "?a=1&copy=2&ampx &hellip", true},
        // Unknown names, no character, controls: as written.
        {"&bogus; &#; &#x; &#0; &#xD800; &#x110000; &#99999999999; &#1; &#13; & ;", nullptr},
        // C1 references read as windows-1252 reads them.
        {"&#128;&#x93;&#x81;", "€“&#x81;", true},
        {"&#9;&#10;", "\t\n"},
        {"&AMP;&Amp;", "&&Amp;"},
    };
    for (const ReferenceCase &c : cases) {
        const QString references = QString::fromUtf8(c.text);
        EXPECT_EQ(UnescapeReferences(references, c.anyCharacter),
                  c.references ? QString::fromUtf8(c.references) : references)
            << c.text;
    }
}

TEST(CharReferences, RoundTrip)
{
    const QString text = QStringLiteral("<a href=\"x?a=1&b=2\">é😀 ｶﾅ①</a>");
    for (const bool any : {false, true})
        EXPECT_EQ(UnescapeReferences(EscapeReferences(text, any), true), text);
}

} // namespace
