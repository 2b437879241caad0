#include "name_filter.h"

#include <QStringList>

namespace FolderSearch {

NameFilter::NameFilter(const QString &patterns)
{
    QStringList alternatives;
    for (const QString &part : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            alternatives.append(QRegularExpression::wildcardToRegularExpression(pattern));
    }
    everything_ = alternatives.isEmpty();
    expression_ = QRegularExpression(alternatives.join(u'|'), QRegularExpression::CaseInsensitiveOption);
}

bool NameFilter::matches(const QString &name) const
{
    return everything_ || expression_.match(name).hasMatch();
}

} // namespace FolderSearch
