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

PreviewPage MakePreviewPage(const Document &document, QStringView raw, const PreviewLook &look)
{
    const DocumentFormat format = document.format();
    const LineEnds ends{format.lineEnd, {}};
    PreviewPage page;
    // A new document's path names a file still to be made in the last folder.
    page.document = QUrl::fromLocalFile(document.path.isEmpty() ? QDir::homePath() + u'/' : document.path);
    if (ShowsAsPage(document.path)) {
        page.bytes = ByteOrderMark(format.code).toByteArray() +
                     EncodeDocumentText(PreviewCopy::MarkedPage(raw, look.vertical), format, ends);
        page.charset = CharsetName(format.code);
        return page;
    }
    // A character the code lacks shows as the save would write it.
    qsizetype lost = -1;
    QByteArray saved;
    if (!IsUnicode(format.code))
        saved = EncodeDocumentText(raw, format, ends, nullptr, &lost);
    const QString decoded = lost < 0 ? QString() : DecoderFor(format.code)->decode(saved).text;
    page.bytes =
        PreviewCopy::TextPage(lost < 0 ? raw : QStringView(decoded), look.family, look.points, look.vertical);
    page.charset = QStringLiteral("UTF-8");
    page.text = true;
    return page;
}
