// Which file names a folder search looks at: wildcard patterns such as
// "*.html;*.htm;*.txt", compared without regard to case, as the folder pane
// compares extensions.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringView>

namespace FolderSearch {

class NameFilter
{
public:
    // Patterns separated by ';' (spaces around them ignored); none: every name.
    explicit NameFilter(const QString &patterns);

    bool matches(const QString &name) const;

private:
    QRegularExpression expression_;
    bool everything_ = false;
};

} // namespace FolderSearch
