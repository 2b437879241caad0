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
            ByteOrderMark(format.code).toByteArray() + EncodeDocumentText(made.copy.text, format, ends);
        page.charset = CharsetName(format.code);
        return made;
    }
    // A character the code lacks shows as the save would write it.
    qsizetype lost = -1;
    QByteArray saved;
    if (!IsUnicode(format.code))
        saved = EncodeDocumentText(raw, format, ends, nullptr, &lost);
    const QString decoded = lost < 0 ? QString() : DecoderFor(format.code)->decode(saved).text;
    made.copy =
        PreviewCopy::MarkText(lost < 0 ? raw : QStringView(decoded), look.family, look.points, look.vertical);
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
    qsizetype lost = -1;
    EncodeDocumentText(html, format, {format.lineEnd, {}}, nullptr, &lost);
    return lost < 0;
}
