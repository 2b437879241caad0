#include "preview_source.h"

#include "document.h"
#include "document_codec.h"
#include "document_store.h"
#include "preview_copy.h"
#include "text_codec.h"

#include <QDir>

bool ShowsAsPage(const QString &path)
{
    return FileExtension(path).toLower().contains(QStringLiteral("htm"));
}

MadePreview MakePreviewPage(const Document &document, QStringView raw, const PreviewLook &look)
{
    const DocumentFormat format = document.format();
    const LineEnds ends{format.lineEnd, {}};
    MadePreview made;
    PreviewPage &page = made.page;
    // A new document's path names a file still to be made in the last folder.
    page.document =
        QUrl::fromLocalFile(document.path().isEmpty() ? QDir::homePath() + u'/' : document.path());
    if (ShowsAsPage(document.path())) {
        made.copy = PreviewCopy::MarkPage(raw, look.vertical);
        page.bytes =
            ByteOrderMark(format.code).toByteArray() + EncodeDocumentText(made.copy.text, format, ends).bytes;
        page.charset = CharsetName(format.code);
        return made;
    }
    // A character the code lacks shows as the save would write it.
    EncodedText saved;
    if (!IsUnicode(format.code))
        saved = EncodeDocumentText(raw, format, ends);
    const bool lost = saved.firstUnencodable >= 0;
    const QString decoded = lost ? DecoderFor(format.code)->decode(saved.bytes).text : QString();
    made.copy =
        PreviewCopy::MarkText(lost ? QStringView(decoded) : raw, look.family, look.points, look.vertical);
    page.bytes = made.copy.text.toUtf8();
    page.charset = QStringLiteral("UTF-8");
    page.text = true;
    return made;
}

bool WrittenAsItStands(const Document &document, QStringView html)
{
    const DocumentFormat format = document.format();
    if (IsUnicode(format.code) || !ShowsAsPage(document.path()))
        return true;
    return EncodeDocumentText(html, format, {format.lineEnd, {}}).firstUnencodable < 0;
}
