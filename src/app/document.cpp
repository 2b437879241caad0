#include "document.h"

#include "cp932.h"
#include "document_codec.h"
#include "document_store.h"
#include "editor_options.h"
#include "line_end_marks.h"

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

DocumentResult Document::load(const QString &file)
{
    const QString absolute = file.isEmpty() ? file : QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    DocumentRead read = ReadDocument(absolute, ConvertsOnLoad(absolute, CodeOptions(*options_)));
    if (!read.ok)
        return {DocumentResult::Failed, read.error};
    text_->setPlainText(read.text);
    if (read.original.isEmpty())
        keptLines_.clear();
    else
        keptLines_.Remember(read.text, read.original);
    own_.reset();
    mixed_ = read.utf8 && read.lineEnds.mixed();
    if (read.utf8)
        own_ = DocumentFormat{Jconvert::CharCode::Utf8, read.lineEnds.main, read.bom};
    if (mixed_)
        MarkLineEnds(*text_, read.lineEnds);
    identity_ = read.identity;
    noticed_ = {};
    path = absolute;
    return {};
}

DocumentFormat Document::formatFor(const QString &file) const
{
    return own_ ? *own_ : OptionsFormat(file, CodeOptions(*options_));
}

DocumentResult Document::save(const QString &file, const LossQuestion &agreeToLose,
                              const std::optional<DocumentFormat> &as)
{
    const DocumentFormat format = as ? *as : formatFor(file);
    // The raw text keeps no-break spaces, which the plain-text copy would
    // turn into spaces.
    const QString text = text_->toRawText();
    if (format.utf8()) {
        const bool keepMixed = mixed_ && format.lineEnd == formatFor(path).lineEnd;
        const LineEnds ends =
            keepMixed ? MarkedLineEnds(*text_, format.lineEnd) : LineEnds{format.lineEnd, {}};
        const TextWrite write = WriteUtf8DocumentText(file, text, ends, format.bom);
        if (!write.written)
            return {DocumentResult::Failed, write.error};
    } else {
        const KeptBytes kept = keptLines_.Collect(*text_);
        const KeptBytes *keptLines = kept.ranges.empty() ? nullptr : &kept;
        if (format == DocumentFormat{}) {
            TextWrite write = WriteDocumentText(file, text, true, keptLines);
            if (write.firstUnencodable >= 0 && !write.written) {
                if (!agreeToLose(text, write.firstUnencodable))
                    return {DocumentResult::Declined, {}};
                write = WriteDocumentText(file, text, false, keptLines);
            }
            if (!write.written)
                return {DocumentResult::Failed, write.error};
        } else {
            qsizetype unencodable = -1;
            const QByteArray sjis = EncodeDocument(text, keptLines, &unencodable);
            if (unencodable >= 0 && !agreeToLose(text, unencodable))
                return {DocumentResult::Declined, {}};
            QString error;
            if (!WriteDocument(file, ConvertSavedBytes(sjis, ConversionOf(format)), &error))
                return {DocumentResult::Failed, error};
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
        mixed_ = mixed_ && as->utf8() && as->lineEnd == format().lineEnd;
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
    if (options_->options().newUtf8)
        own_ = NewUtf8Format;
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
    return {path, identity_, own_, mixed_, keptLines_.source()};
}

void Document::restore(const DocumentState &state, const QString &text)
{
    text_->setPlainText(text);
    if (state.keptSource.isEmpty())
        keptLines_.clear();
    else
        keptLines_.Remember(Cp932::Decode(state.keptSource), state.keptSource);
    own_ = state.ownFormat;
    mixed_ = state.mixedLineEnds;
    identity_ = state.identity;
    // A change on disk since is asked about when saving, not offered as a reload.
    noticed_ = FileIdentity::Of(state.path);
    path = state.path;
    text_->setModified(true);
}
