// A started main window over a program folder holding palette sets, and the
// mouse actions on its palette buttons.
#pragma once

#include "form_fixture.h"
#include "palette_sets.h"
#include "shine_speed_button.h"

#include <QDir>
#include <QEnterEvent>
#include <QPlainTextEdit>

using Palettes::ButtonDefinition;

class PaletteTest : public FormTest
{
protected:
    void SetUp() override { WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n"); }

    // Writes the set `name` of `kind` with the given buttons (record numbers).
    void WriteSet(const QString &name, const QList<std::pair<int, ButtonDefinition>> &buttons,
                  const Palettes::PaletteKind &kind = Palettes::TagPalette()) const
    {
        ::WriteSet(programDir(), name, kind, buttons);
    }

    void Press(TShineSpeedButton *button, Qt::MouseButton which = Qt::LeftButton)
    {
        button->window()->show();
        QTest::mouseClick(button, which, {}, QPoint(4, 4));
    }
    void Click(int number)
    {
        TagPaletteOf(form)->setVisible(true);
        Press(TagPaletteOf(form)->buttons()[number - 1]);
    }

    QString Hover(TShineSpeedButton *button)
    {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(button, &enter);
        return InfoLine(form)->text();
    }

    // The editor holds `text` with the characters from..to selected.
    void Edit(const QString &text, int from, int to)
    {
        Editor(form)->setPlainText(text);
        QTextCursor cursor = Editor(form)->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Editor(form)->setTextCursor(cursor);
    }
};
