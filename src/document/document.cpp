#include "document.h"

#include "display_blocks.h"
#include "document_codec.h"
#include "document_loader.h"
#include "document_store.h"
#include "editor_options.h"
#include "line_end_marks.h"
#include "memory_policy.h"
#include "text_codec.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace {

DocumentCodeOptions CodeOptions(const EditorOptions &options)
{
    const DialogOptions o = options.options();
    return {o.autoDecode, o.decodeAll, o.charCode, o.retCode};
}

} // namespace

DocumentCodeOptions Document::codeOptions() const
{
    return CodeOptions(*options_);
}

Outcome Document::load(const QString &file, std::optional<DocumentCode> code)
{
    const QString absolute = file.isEmpty() ? file : QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    DocumentRead read = reader_(absolute, {code, ConvertsOnLoad(absolute, CodeOptions(*options_))});
    if (!read.outcome.done())
        return read.outcome;
    // About 30 ms of the window's time a piece on the development machine.
    constexpr qsizetype PieceChars = 1 << 20;
    {
        const LargeBuffersMapped mapped;
        // A text read exactly is not looked at again: what the editor holds
        // of it goes back to the system piece by piece, so that the document
        // is not held twice while it goes in.
        const bool once = read.original.isEmpty() && read.text.isDetached();
        SetTextInPieces(*text_, read.text, PieceChars, pause_, [&read, once](qsizetype taken) {
            if (once)
                HandBackPages(read.text.constData(), taken * qsizetype(sizeof(QChar)));
        });
    }
    if (read.original.isEmpty())
        keptLines_.clear();
    else
        keptLines_.Remember(read.text, read.original, read.code);
    code_ = read.code;
    own_.reset();
    lineEnd_ = read.lineEnds.main;
    mixed_ = read.lineEnds.mixed();
    // The options convert none of these.
    if (code || IsUnicode(read.code) || read.binary)
        own_ = DocumentFormat{read.code, read.lineEnds.main, read.bom};
    if (mixed_)
        MarkLineEnds(*text_, read.lineEnds);
    identity_ = read.identity;
    noticed_ = {};
    path_ = absolute;
    return {};
}

bool Document::optionsConvertLineEnds(const QString &file) const
{
    return !own_ && OptionsLineEnd(file, CodeOptions(*options_));
}

DocumentFormat Document::formatFor(const QString &file) const
{
    if (own_)
        return *own_;
    // What the options do not convert stays as the file had it: Shift_JIS
    // and CR LF ("0") convert nothing.
    const DocumentCodeOptions options = CodeOptions(*options_);
    return {OptionsCode(file, options).value_or(code_), OptionsLineEnd(file, options).value_or(lineEnd_),
            false};
}

Outcome Document::save(const QString &file, const LossQuestion &agreeToLose,
                       const std::optional<DocumentFormat> &as)
{
    const DocumentFormat format = as ? *as : formatFor(file);
    // The raw text keeps no-break spaces, which the plain-text copy would
    // turn into spaces.
    const QString text = DisplayBlocks::RawText(*text_);
    // Each line keeps its own end unless a line end was chosen for all: by
    // name on save as, or by the options' conversion.
    const bool keepMixed = mixed_ && format.lineEnd == lineEnd_ && (as || !optionsConvertLineEnds(file));
    const LineEnds ends = keepMixed ? MarkedLineEnds(*text_, format.lineEnd) : LineEnds{format.lineEnd, {}};
    // Lines keep their bytes only in the code they were read in.
    const KeptBytes kept = format.code == keptLines_.code() ? keptLines_.Collect(*text_) : KeptBytes{};
    const KeptBytes *keptLines = kept.ranges.empty() ? nullptr : &kept;
    TextWrite write = WriteDocumentText(file, text, true, format, ends, keptLines);
    if (write.outcome.kind == Outcome::Declined) {
        if (!agreeToLose(text, write.firstUnencodable))
            return Outcome::declined();
        write = WriteDocumentText(file, text, false, format, ends, keptLines);
    }
    if (!write.outcome.done())
        return write.outcome;
    // What is on disk now is ours.
    if (file == path_) {
        identity_ = FileIdentity::Of(file);
        noticed_ = {};
    }
    return {};
}

void Document::rename(const QString &file, const std::optional<DocumentFormat> &as)
{
    if (as) {
        mixed_ = mixed_ && as->lineEnd == lineEnd_;
        lineEnd_ = as->lineEnd;
        own_ = as;
    }
    path_ = file;
    identity_ = FileIdentity::Of(file);
    noticed_ = {};
}

void Document::startNew(const QString &file)
{
    text_->clear();
    keptLines_.clear();
    own_.reset();
    code_ = DocumentCode::Sjis;
    lineEnd_ = Jconvert::ReturnCode::CrLf;
    if (options_->options().newUtf8) {
        own_ = NewUtf8Format;
        lineEnd_ = NewUtf8Format.lineEnd;
    }
    mixed_ = false;
    identity_ = {};
    noticed_ = {};
    path_ = file;
}

bool Document::fileDiffers() const
{
    const FileIdentity now = FileIdentity::Of(path_);
    return now.exists && now != identity_;
}

bool Document::takeNewOutsideChange()
{
    if (!identity_.exists)
        return false;
    const FileIdentity now = FileIdentity::Of(path_);
    if (!now.exists || now == identity_ || now == noticed_)
        return false;
    noticed_ = now;
    return true;
}

DocumentState Document::state() const
{
    // A copy stores one code: kept bytes of another than the document's own
    // format are left out (they serve only a save back in the file's code).
    const bool keptFit = !own_ || own_->code == code_;
    return {path_,
            identity_,
            own_,
            mixed_,
            keptFit ? keptLines_.source() : QByteArray(),
            lineEnd_,
            own_ ? own_->code : code_};
}

void Document::restore(const DocumentState &state, const QString &text)
{
    SetTextInPieces(*text_, text, text.size() + 1, {});
    if (state.keptSource.isEmpty())
        keptLines_.clear();
    else
        keptLines_.Remember(DecoderFor(state.code)->decode(state.keptSource).text, state.keptSource,
                            state.code);
    own_ = state.ownFormat;
    code_ = state.code;
    lineEnd_ = state.lineEnd;
    mixed_ = state.mixedLineEnds;
    identity_ = state.identity;
    // A change on disk since is asked about when saving, not offered as a reload.
    noticed_ = FileIdentity::Of(state.path);
    path_ = state.path;
    text_->setModified(true);
}
