// The tidy module (qumo_tidy), the one part of the program that links
// tidy-html5: loaded when the first check runs, so that start-up does not.
#include "tidy_module.h"

#include "tidy_messages.h"

#include <QSet>
#include <memory>
#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

namespace HtmlCheck {
namespace {

struct Collector
{
    QList<Finding> findings;
    QSet<QString> unclosed; // elements whose end tag tidy reported missing
};

QString ArgumentText(TidyMessage message, TidyMessageArgument *argument)
{
    switch (tidyGetArgType(message, argument)) {
    case tidyFormatType_STRING: {
        const char *s = tidyGetArgValueString(message, argument);
        return s != nullptr ? QString::fromUtf8(s) : QString();
    }
    case tidyFormatType_INT:
        return QString::number(tidyGetArgValueInt(message, argument));
    case tidyFormatType_UINT:
        return QString::number(tidyGetArgValueUInt(message, argument));
    case tidyFormatType_DOUBLE:
        return QString::number(tidyGetArgValueDouble(message, argument));
    default:
        return {};
    }
}

Bool TIDY_CALL Collect(TidyMessage message)
{
    auto *collector = static_cast<Collector *>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel level = tidyGetMessageLevel(message);
    // Info says nothing wrong; the dialogue is tidy's own summary.
    const bool report =
        level == TidyWarning || level == TidyError || level == TidyBadDocument || level == TidyFatal;
    if (!report || tidyGetMessageLine(message) <= 0)
        return no;
    QStringList arguments;
    for (TidyIterator it = tidyGetMessageArguments(message); it != nullptr;) {
        TidyMessageArgument argument = tidyGetNextMessageArgument(message, &it);
        arguments.append(ArgumentText(message, &argument));
    }
    const unsigned code = tidyGetMessageCode(message);
    if (LeftOutTidyMessage(code, arguments))
        return no;
    if ((code == MISSING_ENDTAG_BEFORE || code == MISSING_ENDTAG_FOR) && !arguments.isEmpty())
        collector->unclosed.insert(arguments[0]);
    QString text = code == INSERTING_TAG && !arguments.isEmpty() && collector->unclosed.contains(arguments[0])
                       ? ContinuedElementMessage(arguments[0])
                       : JapaneseTidyMessage(code, arguments)
                             .value_or(QString::fromUtf8(tidyGetMessageDefault(message)).trimmed());
    collector->findings.append({tidyGetMessageLine(message), qMax(1, tidyGetMessageColumn(message)),
                                level == TidyWarning ? Severity::Warning : Severity::Error, std::move(text)});
    return no; // nothing is printed
}

const char *DoctypeOption(HtmlVersion version)
{
    switch (version) {
    case HtmlVersion::Html4Strict:
        return "strict";
    case HtmlVersion::Html4Transitional:
        return "transitional";
    case HtmlVersion::OtherDoctype:
        return "auto";
    case HtmlVersion::Html5:
        break;
    }
    return "html5";
}

bool Collected(const Element &element)
{
    static const QStringList names{QStringLiteral("img"), QStringLiteral("meta"), QStringLiteral("base")};
    return names.contains(element.name) || element.attribute(u"src") || element.attribute(u"href") ||
           element.attribute(u"style");
}

// Walked without recursion: the tree may be as deep as tidy's stack allowed.
QList<Element> Elements(TidyDoc doc)
{
    QList<Element> elements;
    QList<TidyNode> pending{tidyGetRoot(doc)};
    while (!pending.isEmpty()) {
        const TidyNode node = pending.takeLast();
        const TidyNodeType type = tidyNodeGetType(node);
        if (type == TidyNode_Start || type == TidyNode_StartEnd) {
            Element element;
            element.name = QString::fromUtf8(tidyNodeGetName(node)).toLower();
            element.line = tidyNodeLine(node);
            element.column = tidyNodeColumn(node);
            for (TidyAttr a = tidyAttrFirst(node); a != nullptr; a = tidyAttrNext(a)) {
                const char *value = tidyAttrValue(a);
                element.attributes.append(
                    {QString::fromUtf8(tidyAttrName(a)).toLower(),
                     value != nullptr ? std::optional(QString::fromUtf8(value)) : std::nullopt});
            }
            // Elements tidy made up have no place in the text.
            if (element.line > 0 && Collected(element))
                elements.append(std::move(element));
        }
        // Children pushed last first, so they come out in text order.
        QList<TidyNode> children;
        for (TidyNode c = tidyGetChild(node); c != nullptr; c = tidyGetNext(c))
            children.append(c);
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.append(*it);
    }
    // Tidy moves some elements (a <meta> out of <body>).
    std::stable_sort(elements.begin(), elements.end(), [](const Element &a, const Element &b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return elements;
}

} // namespace
} // namespace HtmlCheck

using namespace HtmlCheck;

extern "C" Q_DECL_EXPORT void QumoTidyParse(QStringView text, HtmlVersion version, TidyPass &pass)
{
    const std::unique_ptr<std::remove_pointer_t<TidyDoc>, void (*)(TidyDoc)> doc(tidyCreate(), tidyRelease);
    if (doc == nullptr) {
        pass.outcome =
            Outcome::failed(QStringLiteral("tidy を使えないため HTML の構造を調べられませんでした"));
        return;
    }
    TidyDoc d = doc.get();
    Collector collector;
    tidySetAppData(d, &collector);
    tidySetMessageCallback(d, Collect);
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(d, &errors);
    tidySetInCharEncoding(d, "utf8");
    tidyOptSetBool(d, TidyQuiet, yes);
    tidyOptSetBool(d, TidyShowWarnings, yes);
    tidyOptSetBool(d, TidyShowInfo, no);
    tidyOptSetInt(d, TidyShowErrors, 0x7FFFFFFF);
    tidyOptSetInt(d, TidyTabSize, 1); // a column per character, as the editor counts
    tidyOptSetValue(d, TidyDoctype, DoctypeOption(version));
    tidyOptSetBool(d, TidyStrictTagsAttr, yes); // elements and attributes of that version only
    tidyOptSetInt(d, TidyUseCustomTags, TidyCustomBlocklevel);

    QByteArray utf8 = text.toUtf8();
    TidyBuffer input;
    tidyBufInit(&input);
    // Given with its length: a NUL in the page does not end it.
    tidyBufAttach(&input, reinterpret_cast<byte *>(utf8.data()), uint(utf8.size()));
    int status = tidyParseBuffer(d, &input);
    if (status >= 0) {
        pass.elements = Elements(d);
        // Version and proprietary checks run while tidy repairs; it changes
        // the tree, which is why the elements are taken first.
        status = tidyCleanAndRepair(d);
    }
    tidyBufDetach(&input);
    tidyBufFree(&errors);
    pass.findings = std::move(collector.findings);
    if (status < 0)
        pass.outcome = Outcome::failed(
            QStringLiteral("tidy がこのページを読めなかったため HTML の構造を調べられませんでした（%1）")
                .arg(status));
}
