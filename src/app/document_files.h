// The document's file commands: reading in, the open dialog, saving in place or under a
// new name, the reload question, printing and the browser preview, with the
// questions they ask.
#pragma once

#include "built_on_use.h"
#include "document_format.h"
#include "outcome.h"

#include <QObject>
#include <memory>
#include <optional>

class Document;
class EditorOptions;
class QFileDialog;
class QPlainTextEdit;
class QWidget;
class SaveFormatChoice;

class DocumentFiles : public QObject
{
    Q_OBJECT

public:
    // The questions and dialogs open over `window`.
    DocumentFiles(Document &document, QPlainTextEdit *editor, QWidget *window);
    ~DocumentFiles() override;

    void setOptions(const EditorOptions *options) { options_ = options; }

    // Reads `path` in as the document, with the busy cursor after 100 ms; a
    // file that cannot be read changes nothing.
    Outcome load(const QString &path, std::optional<DocumentCode> code = std::nullopt);
    // A document is being read; the window repaints meanwhile.
    bool loading() const { return loading_; }
    // Asks whether to save unsaved changes; whether to go on: false when the
    // user cancelled or the save did not happen.
    bool confirmSaveChanges();
    // Writes in `as` when given, else in the document's format for `path`.
    // This and the saves below are declined when the user says no to a
    // question or cancels the dialog; a failure is reported through failed()
    // before they return it.
    Outcome save(const QString &path, const std::optional<DocumentFormat> &as = {});
    // Saves to the document's file after the questions a plain save asks;
    // save as when the path is a folder.
    Outcome saveInPlace(bool askOverwrite);
    // The save dialog, then the save; the document takes the chosen name.
    Outcome saveAs();
    // The open dialog; the chosen file, or empty.
    QString chooseFileToOpen();
    // Whether to read the document's file again after another program changed it.
    bool agreeToReload();
    void print();
    // Saves an HTML document (in `tmpPage` when the options say so) and shows
    // it in the browser; true when the document's own file was written.
    bool showInBrowser(const QString &tmpPage);

signals:
    // The document's own file was written (save or save as).
    void written();
    void failed(const QString &message);
    // The document has a new name (and maybe a new code).
    void renamed();

private:
    // A page whose charset declaration names `before` is offered the name of `after`, one undo step;
    // whether the text changed.
    bool offerCharsetUpdate(DocumentCode before, DocumentCode after);

    Document &document_;
    QPlainTextEdit *editor_;
    QWidget *window_;
    const EditorOptions *options_ = nullptr;
    int openFilterIndex_ = 0;
    bool asking_ = false;
    bool loading_ = false;
    // The dialogs are built when first opened.
    BuiltOnUse<QFileDialog> OpenDialog1;
    BuiltOnUse<QFileDialog> SaveDialog1;
    std::unique_ptr<SaveFormatChoice> saveFormat_; // the code and line end in SaveDialog1
};
