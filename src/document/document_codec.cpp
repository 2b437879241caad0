#include "document_codec.h"

#include "code_choices.h"
#include "cp932.h"
#include "document_format.h"
#include "jconvert.h"
#include "line_ends.h"

#include <QFileInfo>

QString DocumentLimitText()
{
    return QStringLiteral("編集できる文書は %1 文字までです。").arg(MaxDocumentChars);
}

QString FileExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot);
}

bool ConvertsOnLoad(const QString &path, const DocumentCodeOptions &options)
{
    if (!options.autoDecode)
        return false;
    return options.decodeAll || FileExtension(path).contains(QStringLiteral(".htm")) ||
           path.contains(QStringLiteral("Temporary Internet Files"));
}

bool ConvertsOnSave(const QString &path, const DocumentCodeOptions &options)
{
    if (options.charCode == 0 && options.retCode == 0)
        return false;
    return options.decodeAll || FileExtension(path).contains(QStringLiteral(".htm"));
}

std::string JoinLinesWithCrLf(std::string_view bytes)
{
    std::string joined;
    joined.reserve(bytes.size() + bytes.size() / 32 + 2);
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            joined.append(bytes.substr(i));
            joined.append("\r\n");
            break;
        }
        joined.append(bytes.substr(i, end - i));
        joined.append("\r\n");
        i = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    return joined;
}

QString DocumentTextFromBytes(QByteArrayView bytes, bool convert)
{
    if (!convert)
        return Cp932::Decode(bytes);
    const std::string lines = JoinLinesWithCrLf(std::string_view(bytes.data(), bytes.size()));
    const std::string sjis = JoinLinesWithCrLf(Jconvert::ConvertJCode(lines, Jconvert::JC_SJIS));
    QString text = Cp932::Decode(QByteArrayView(sjis.data(), qsizetype(sjis.size())));
    // Joining ended the last line; the file may not have.
    if (!bytes.isEmpty() && bytes.back() != '\r' && bytes.back() != '\n' && text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QByteArray DocumentBytesFromText(QStringView text, bool convert, const DocumentCodeOptions &options)
{
    const QByteArray bytes = Cp932::Encode(text);
    if (!convert)
        return bytes;
    // With DecodeAll every name converts: only the code and line end matter here.
    const DocumentFormat format = OptionsFormat(QString(), {true, true, options.charCode, options.retCode});
    return ConvertSavedBytes(bytes, format.code, LineEnds{format.lineEnd, {}});
}

QByteArray ConvertSavedBytes(const QByteArray &sjis, Jconvert::CharCode code, const LineEnds &ends)
{
    // Converted from what the editor holds, never guessed again: text whose
    // only Japanese is half-width kana would be taken for another code.
    std::string converted =
        code == Jconvert::CharCode::Sjis
            ? std::string(sjis.constData(), std::size_t(sjis.size()))
            : Jconvert::StrictConvertJCode(std::string_view(sjis.constData(), std::size_t(sjis.size())),
                                           Jconvert::JC_SJIS, Jconvert::JcValue(code));
    std::size_t breaks = 0;
    converted.resize(
        std::size_t(ApplyLineEnds(converted.data(), qsizetype(converted.size()), ends, &breaks)));
    return QByteArray(converted.data(), qsizetype(converted.size()));
}
