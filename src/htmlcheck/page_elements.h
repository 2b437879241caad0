// The elements of a page that the editor's own checks look at, as tidy
// parsed them: name, place and attributes with entities resolved.
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace HtmlCheck {

struct Attribute
{
    QString name;                 // lower case
    std::optional<QString> value; // none for an attribute written without one
};

struct Element
{
    QString name; // lower case
    qsizetype line = 1;
    qsizetype column = 1;
    QList<Attribute> attributes;

    // The attribute `name` (lower case), if the element has it.
    const Attribute *attribute(QStringView name) const
    {
        for (const Attribute &a : attributes)
            if (a.name == name)
                return &a;
        return nullptr;
    }
};

} // namespace HtmlCheck
