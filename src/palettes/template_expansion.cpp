#include "template_expansion.h"

#include "date_format.h"
#include "editor_units.h"
#include "image_size.h"
#include "letter_case.h"
#include "line_breaks.h"
#include "tag_case.h"
#include "template_text.h"

#include <QFileInfo>

namespace Palettes {

namespace {

// Two characters none of the template's inputs holds, standing in for the caret and for the
// selection until the end: the selection goes in as written, never rewritten by a later step,
// and a "*selst*" the author wrote stays text.
struct Markers
{
    QChar caret, selection;
};

Markers ChooseMarkers(const TemplateRequest &request)
{
    const QString inputs =
        request.content + request.selection + request.alignment + request.charset + request.documentPath;
    QList<QChar> free;
    // Unicode keeps U+FDD0-U+FDEF for a program's own use; no Japanese code holds them.
    for (char16_t c = 0xFDD0; c <= 0xFDEF && free.size() < 2; ++c)
        if (!inputs.contains(QChar(c)))
            free.append(QChar(c));
    return {free.value(0), free.value(1)};
}

// Where a caret `units` editor units into `text` stands, never inside a character.
qsizetype IndexOfUnits(const QString &text, int units)
{
    if (units <= 0)
        return 0;
    qsizetype i = EditorUnits::IndexAt(text, units);
    if (i > 0 && i < text.size() && text[i].isLowSurrogate() && text[i - 1].isHighSurrogate())
        ++i;
    return i;
}

QString ReplaceDate(const QString &text, const QString &placeholder, const QString &format,
                    const TemplateRequest &request)
{
    if (!text.contains(placeholder))
        return text;
    return ReplaceAll(text, placeholder, TextTools::FormatDateTime(format, request.now, request.locale));
}

QString ReplaceColours(QString text, const TemplateColours &colours, bool lowerHex)
{
    const std::pair<const char *, quint32> steps[] = {
        {"*color*", colours.color}, {"*bgcol*", colours.bgcol}, {"*textc*", colours.textc},
        {"*link*", colours.link},   {"*vlink*", colours.vlink}, {"*alink*", colours.alink},
    };
    for (const auto &[placeholder, colour] : steps)
        text = ReplaceAll(text, QLatin1String(placeholder), ColorToHtml(colour, lowerHex));
    return text;
}

QString ReplaceAlignment(QString text, const QString &word, int caseMode)
{
    QString salign;
    QString align;
    if (word != u"none..") {
        salign = word;
        align = QStringLiteral(" align=\"%1\"").arg(word);
        if (caseMode == TextTools::UpperCase) {
            salign = TextTools::ToUpperAscii(salign);
            align = TextTools::ToUpperAscii(align);
        }
    }
    text = ReplaceAll(text, QStringLiteral("*salign*"), salign);
    return ReplaceAll(text, QStringLiteral("*align*"), align);
}

// The chosen file's path for *file*, relative to the document's folder; its size in *size.
QString ChooseLinkedFile(const TemplateRequest &request, const ChooseFile &chooseFile, Expansion &out,
                         QSize *size)
{
    const QString documentFolder =
        request.documentPath.isEmpty() ? QString() : QFileInfo(request.documentPath).absolutePath();
    const QString initialFolder = request.documentPath != out.lastImageDocument ? documentFolder : QString();
    out.lastImageDocument = request.documentPath;
    const QString chosen = chooseFile ? chooseFile(initialFolder) : QString();
    if (chosen.isEmpty())
        return {};
    const ImageSize image = GetImageSize(chosen);
    if (image.status == ImageSize::CannotOpen)
        out.messages.append(
            {QStringLiteral("ファイルのオープンの失敗"), QStringLiteral("ファイルがオープンできません")});
    if (image.status != ImageSize::Ok)
        out.messages.append({QString(), QStringLiteral("この形式の画像サイズは所得できません")});
    *size = image.size;
    // A new document has no folder to be relative to: the whole path is the only useful link.
    if (documentFolder.isEmpty())
        return chosen;
    return MakeRelativePath(documentFolder.endsWith(u'/') ? documentFolder : documentFolder + u'/', chosen);
}

} // namespace

QString LinkFileDialogTitle()
{
    return QStringLiteral("リンク対象ファイル参照");
}

Expansion InsertTemplate(const TemplateRequest &request, const ChooseFile &chooseFile)
{
    Expansion out;
    out.lastImageDocument = request.lastImageDocument;
    const Markers markers = ChooseMarkers(request);
    QString text = DecodeLineBreaks(request.content);
    text.insert(IndexOfUnits(text, request.selectStart), markers.caret);

    text = ReplaceAll(text, QStringLiteral("*text*"), QString(markers.selection));
    text =
        ReplaceDate(text, QStringLiteral("*date*"), QStringLiteral("yyyy'年'm'月'd'日（'aaaa'）'"), request);
    text = ReplaceDate(text, QStringLiteral("*yyyy*"), QStringLiteral("yyyy"), request);
    text = ReplaceDate(text, QStringLiteral("*yy*"), QStringLiteral("yy"), request);
    text = ReplaceDate(text, QStringLiteral("*dd*"), QStringLiteral("d"), request);
    text = ReplaceDate(text, QStringLiteral("*mm*"), QStringLiteral("m"), request);
    // HTML's datetime attribute needs the zero-padded form the two above lack.
    text = ReplaceAll(text, QStringLiteral("*isodate*"), request.now.date().toString(Qt::ISODate));
    text = ReplaceAll(text, QStringLiteral("*charset*"), request.charset);
    text = ReplaceColours(text, request.colours, request.caseMode != TextTools::NoConversion);
    text = ReplaceAlignment(text, request.alignment, request.caseMode);

    QSize size(0, 0);
    if (text.contains(QStringLiteral("*file*"))) {
        const QString path = ChooseLinkedFile(request, chooseFile, out, &size);
        text = ReplaceAll(text, QStringLiteral("*file*"), path);
        text = ReplaceAll(text, QStringLiteral("*filen*"), path.sliced(path.lastIndexOf(u'/') + 1));
    }
    text = ReplaceAll(text, QStringLiteral("*width*"), QString::number(size.width()));
    text = ReplaceAll(text, QStringLiteral("*height*"), QString::number(size.height()));

    const qsizetype marker = text.indexOf(markers.caret);
    qsizetype caret = request.selectStart;
    if (marker >= 0) {
        text.remove(marker, 1);
        const QStringView before = QStringView(text).first(marker);
        const qsizetype slot = EditorUnits::Length(QString(markers.selection));
        caret = EditorUnits::Length(before) +
                before.count(markers.selection) * (EditorUnits::Length(request.selection) - slot);
    }
    out.text = ReplaceAll(TextTools::ConvertTagCase(text, request.caseMode), QString(markers.selection),
                          request.selection);
    out.selectStart = qBound<qsizetype>(0, caret, EditorUnits::Length(out.text));
    out.selectLength = qMax(0, request.selectLength);
    return out;
}

} // namespace Palettes
