#include "document.h"

#include "cp932.h"
#include "display_blocks.h"
#include "document_codec.h"
#include "document_loader.h"
#include "document_store.h"
#include "editor_options.h"
#include "line_end_marks.h"
#include "memory_policy.h"

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

Outcome Document::load(const QString &file)
{
    const QString absolute = file.isEmpty() ? file : QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    DocumentRead read = reader_(absolute, ConvertsOnLoad(absolute, CodeOptions(*options_)));
    if (!read.outcome.done())
        return read.outcome;
    // About 30 ms of the window's time a piece on the development machine.
    constexpr qsizetype PieceChars = 1 << 20;
    {
        const LargeBuffersMapped mapped;
        SetTextInPieces(*text_, read.text, PieceChars, pause_);
    }
    if (read.original.isEmpty())
        keptLines_.clear();
    else
        keptLines_.Remember(read.text, read.original);
    own_.reset();
    lineEnd_ = read.lineEnds.main;
    mixed_ = read.lineEnds.mixed();
    if (read.utf8)
        own_ = DocumentFormat{Jconvert::CharCode::Utf8, read.lineEnds.main, read.bom};
    if (mixed_)
        MarkLineEnds(*text_, read.lineEnds);
    identity_ = read.identity;
    noticed_ = {};
    path = absolute;
    return {};
}

bool Document::optionsConvertLineEnds(const QString &file) const
{
    const DocumentCodeOptions options = CodeOptions(*options_);
    return !own_ && options.retCode != 0 && ConvertsOnSave(file, options);
}

DocumentFormat Document::formatFor(const QString &file) const
{
    if (own_)
        return *own_;
    // What the options do not convert stays as the file had it: CR LF
    // ("0") is no conversion of the line ends.
    const DocumentFormat converted = OptionsFormat(file, CodeOptions(*options_));
    return {converted.code, optionsConvertLineEnds(file) ? converted.lineEnd : lineEnd_, false};
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
    if (format.utf8()) {
        const TextWrite write = WriteUtf8DocumentText(file, text, ends, format.bom);
        if (!write.outcome.done())
            return write.outcome;
    } else {
        const KeptBytes kept = keptLines_.Collect(*text_);
        const KeptBytes *keptLines = kept.ranges.empty() ? nullptr : &kept;
        if (format.code == Jconvert::CharCode::Sjis) {
            TextWrite write = WriteDocumentText(file, text, true, keptLines, ends);
            if (write.outcome.kind == Outcome::Declined) {
                if (!agreeToLose(text, write.firstUnencodable))
                    return Outcome::declined();
                write = WriteDocumentText(file, text, false, keptLines, ends);
            }
            if (!write.outcome.done())
                return write.outcome;
        } else {
            qsizetype unencodable = -1;
            const QByteArray sjis = EncodeDocument(text, keptLines, &unencodable);
            if (unencodable >= 0 && !agreeToLose(text, unencodable))
                return Outcome::declined();
            const Outcome written = WriteDocument(file, ConvertSavedBytes(sjis, format.code, ends));
            if (!written.done())
                return written;
        }
    }
    // What is on disk now is ours.
    if (file == path) {
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
    path = file;
    identity_ = FileIdentity::Of(file);
    noticed_ = {};
}

void Document::startNew(const QString &file)
{
    text_->clear();
    keptLines_.clear();
    own_.reset();
    lineEnd_ = Jconvert::ReturnCode::CrLf;
    if (options_->options().newUtf8) {
        own_ = NewUtf8Format;
        lineEnd_ = NewUtf8Format.lineEnd;
    }
    mixed_ = false;
    identity_ = {};
    noticed_ = {};
    path = file;
}

bool Document::fileDiffers() const
{
    const FileIdentity now = FileIdentity::Of(path);
    return now.exists && now != identity_;
}

bool Document::takeNewOutsideChange()
{
    if (!identity_.exists)
        return false;
    const FileIdentity now = FileIdentity::Of(path);
    if (!now.exists || now == identity_ || now == noticed_)
        return false;
    noticed_ = now;
    return true;
}

DocumentState Document::state() const
{
    return {path, identity_, own_, mixed_, keptLines_.source(), lineEnd_};
}

void Document::restore(const DocumentState &state, const QString &text)
{
    SetTextInPieces(*text_, text, text.size() + 1, {});
    if (state.keptSource.isEmpty())
        keptLines_.clear();
    else
        keptLines_.Remember(Cp932::Decode(state.keptSource), state.keptSource);
    own_ = state.ownFormat;
    lineEnd_ = state.lineEnd;
    mixed_ = state.mixedLineEnds;
    identity_ = state.identity;
    // A change on disk since is asked about when saving, not offered as a reload.
    noticed_ = FileIdentity::Of(state.path);
    path = state.path;
    text_->setModified(true);
}
