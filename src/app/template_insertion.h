// A palette button's record expanded and put into the editor, or on the
// clipboard: the template's placeholders are filled from the selection, the
// tag palette's alignment, the colour panel, the document and the user.
#pragma once

#include "built_on_use.h"

#include <QObject>
#include <QString>

class ColourPanel;
class Document;
class QFileDialog;
class QPlainTextEdit;
class TagPalette;
namespace Palettes {
struct ButtonRecord;
}

class TemplateInsertion : public QObject
{
    Q_OBJECT

public:
    // Its questions and messages open over `window`.
    TemplateInsertion(QPlainTextEdit *editor, const Document &document, const TagPalette *tags,
                      const ColourPanel *colours, QWidget *window);

    void insert(const Palettes::ButtonRecord &record, int caseMode, bool sendToClipboard);

private:
    // The file dialog of a template's *file*; empty when cancelled.
    QString chooseLinkFile(const QString &initialFolder);

    QPlainTextEdit *editor_;
    const Document &document_;
    const TagPalette *tags_;
    const ColourPanel *colours_;
    QWidget *window_;
    BuiltOnUse<QFileDialog> linkDialog_;
    QString lastImageDocument_;
};
