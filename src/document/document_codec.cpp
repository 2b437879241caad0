#include "document_codec.h"

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
