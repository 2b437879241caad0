// What the live preview is given for the document: its text as a save would
// write it, in the document's own code, marked for the pane; a text
// document as a page of its lines. The document and its file are untouched.
#pragma once

#include "preview_copy.h"
#include "preview_engine.h"

class Document;

struct PreviewLook
{
    bool vertical = false;
    // A text document's font: the editor's.
    QString family;
    qreal points = 9;

    friend bool operator==(const PreviewLook &, const PreviewLook &) = default;
};

// Whether the document is shown as a page, as the browse button decides:
// an extension that holds "htm".
bool ShowsAsPage(const QString &path);

struct MadePreview
{
    PreviewPage page;
    PreviewCopy::MarkedCopy copy;
};

// The pane's page for `document`, whose text as stored (DisplayBlocks::RawText)
// is `raw`.
MadePreview MakePreviewPage(const Document &document, QStringView raw, const PreviewLook &look);

// Whether `html`, a part of the copy of `document`, is written as it stands
// in the document's code.
bool WrittenAsItStands(const Document &document, QStringView html);
