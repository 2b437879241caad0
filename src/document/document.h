// The one document the main window edits: its path, the file it was read
// from, and the rules by which it is read and written. The window shows what
// these return; tests call them as the window does.
#pragma once

#include "document_codec.h"
#include "document_format.h"
#include "document_state.h"
#include "document_store.h"
#include "file_identity.h"
#include "kept_lines.h"
#include "outcome.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <utility>

class EditorOptions;
class QTextDocument;

class Document
{
public:
    // Asked before characters the code saved in lacks are saved as '?': the
    // text and the index of the first of them; true to go on.
    using LossQuestion = std::function<bool(QStringView text, qsizetype index)>;

    // Reads and decodes a file: ReadDocument, or a reader that runs it aside.
    using Reader = std::function<DocumentRead(const QString &path, const CodeChoice &choice)>;

    explicit Document(const EditorOptions *options) : options_(options) {}

    // The editor text this document is; set once the editor exists.
    void attach(QTextDocument *text) { text_ = text; }
    void setReader(Reader reader) { reader_ = std::move(reader); }
    // Run between the pieces in which a large text goes into the editor.
    void setPause(std::function<void()> pause) { pause_ = std::move(pause); }

    // Full path of the document; names a file, or a folder after "/setup".
    const QString &path() const { return path_; }
    // Names the document anew without reading or writing anything.
    void setPath(const QString &path) { path_ = path; }

    // Replaces the text by the file's and makes `path` the document; a file
    // that cannot be read changes nothing. The document takes the code the
    // file is found in (DetectCode; the options' AutoDecode decides text that
    // may be EUC-JP or Shift_JIS), or `code` when given, and keeps it: a
    // UTF-8, UTF-16 or binary document, or one read in a named code, is its
    // own format from then on. UTF-16 named: a byte-order mark decides the
    // order.
    Outcome load(const QString &path, std::optional<DocumentCode> code = std::nullopt);
    // Writes the text to `path` in `as`, or else in the document's format
    // for `path`. Does not touch `path`, the format or the modified flag.
    Outcome save(const QString &path, const LossQuestion &agreeToLose,
                 const std::optional<DocumentFormat> &as = {});
    // Makes the file just saved under `path` the document (save as), written
    // in `as` from now on when given.
    void rename(const QString &path, const std::optional<DocumentFormat> &as = {});
    // An empty text under `path`, holding no file's content; UTF-8 when the
    // options make new documents UTF-8.
    void startNew(const QString &path);

    // What the document is written as under its path: its own format (a
    // Unicode document's, one read in a named code, or the one chosen on
    // save as); else the code and line end the options convert to, and what
    // they do not convert as the file had it.
    DocumentFormat format() const { return formatFor(path_); }
    // Whether the lines keep the different ends the file gave them.
    bool mixedLineEnds() const { return mixed_ && !optionsConvertLineEnds(path_); }
    // From now on every line is written with the format's one line end;
    // returns whether the lines kept their own ends until now, for undoUnify.
    bool unifyLineEnds() { return std::exchange(mixed_, false); }
    // Takes back unifyLineEnds when the save it was for did not happen.
    void undoUnify(bool mixed) { mixed_ = mixed; }

    // The options' rules for reading and writing files, as this document follows them.
    DocumentCodeOptions codeOptions() const;

    // Whether a file of the document's path exists that is not the one the
    // document last read or wrote (changed or replaced by another program,
    // or there before a new document was saved).
    bool fileDiffers() const;
    // Whether the document holds a file's content.
    bool holdsFile() const { return identity_.exists; }
    // True once for each change another program makes to the document's file.
    bool takeNewOutsideChange();

    // Everything but the text, for a recovery copy.
    DocumentState state() const;
    // Becomes the document `state` describes with `text` (raw, as
    // toRawText gives it), marked modified; the file is neither read nor
    // touched, and a change made to it since is asked about on save.
    void restore(const DocumentState &state, const QString &text);

private:
    DocumentFormat formatFor(const QString &file) const;
    // Whether the options' line-end conversion decides how `file`'s lines end.
    bool optionsConvertLineEnds(const QString &file) const;

    const EditorOptions *const options_;
    QString path_;
    Reader reader_ = ReadDocument;
    std::function<void()> pause_;
    QTextDocument *text_ = nullptr;
    KeptLines keptLines_;
    std::optional<DocumentFormat> own_;                         // else the options decide
    DocumentCode code_ = DocumentCode::Sjis;                    // the file's
    Jconvert::ReturnCode lineEnd_ = Jconvert::ReturnCode::CrLf; // the file's most common
    bool mixed_ = false;                                        // line ends marked on the lines
    FileIdentity identity_;                                     // the file as last read or written
    FileIdentity noticed_;                                      // an outside change already reported
};
