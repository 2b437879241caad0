// Palette sets written into a program folder for a test, and a set box
// chosen as the user does.
#pragma once

#include "palette_kind.h"
#include "set_files.h"

#include <QComboBox>
#include <QList>
#include <gtest/gtest.h>
#include <utility>

// Writes the set `name` of `kind` into `programDir` with the given buttons (record numbers).
inline void WriteSet(const QString &programDir, const QString &name, const Palettes::PaletteKind &kind,
                     const QList<std::pair<int, Palettes::ButtonDefinition>> &buttons)
{
    Palettes::SetList list = Palettes::SetList::Fresh(kind.header);
    for (const auto &[number, definition] : buttons)
        list.define(number, definition);
    ASSERT_TRUE(Palettes::SaveSet(programDir, name, kind, list).done());
}

// A clip button inserting `content`.
inline Palettes::ButtonDefinition Clip(const char *caption, const char *content)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(content), 0, 0, QString()};
}

// Chooses the item `name` in a set box as the user does.
inline void Choose(QComboBox *box, const QString &name)
{
    const int index = box->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
}
