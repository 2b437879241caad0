#include "document_codec.h"

#include "cp932.h"
#include "jconvert.h"

#include <QFileInfo>

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
    return Cp932::Decode(QByteArrayView(sjis.data(), qsizetype(sjis.size())));
}

QByteArray DocumentBytesFromText(QStringView text, bool convert, const DocumentCodeOptions &options)
{
    const QByteArray bytes = Cp932::Encode(text);
    return convert ? ConvertSavedBytes(bytes, options) : bytes;
}

QByteArray ConvertSavedBytes(const QByteArray &sjis, const DocumentCodeOptions &options)
{
    if (sjis.isEmpty())
        return sjis;
    std::string converted(sjis.constData(), sjis.size());
    if (options.charCode == 1)
        converted = Jconvert::ConvertJCode(converted, Jconvert::JC_JIS_NEW);
    else if (options.charCode == 2)
        converted = Jconvert::ConvertJCode(converted, Jconvert::JC_EUC);
    if (options.retCode == 1)
        converted = Jconvert::ConvertReturnCode(converted, Jconvert::RC_CR);
    else if (options.retCode == 2)
        converted = Jconvert::ConvertReturnCode(converted, Jconvert::RC_LF);
    return QByteArray(converted.data(), qsizetype(converted.size()));
}
