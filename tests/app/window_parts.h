// The main window's parts, found by their object names as a user's tools
// find them, never through the window's own members.
#pragma once

#include "button_palette.h"
#include "colour_panel.h"
#include "folder_pane.h"
#include "search_bar.h"
#include "status_bar.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <memory>

class TShineSpeedButton;

inline const QObject *AsObject(const QObject *window)
{
    return window;
}
template <class W> const QObject *AsObject(const std::unique_ptr<W> &window)
{
    return window.get();
}

// The child of `window` named `name`; a test failure when there is none.
template <class T = QWidget, class W> T *Part(const W &w, const QString &name)
{
    const QObject *window = AsObject(w);
    T *part = window->findChild<T *>(name);
    if (part == nullptr)
        ADD_FAILURE() << "no part named " << name.toStdString();
    return part;
}

template <class W> QPlainTextEdit *Editor(const W &w)
{
    return Part<QPlainTextEdit>(w, QStringLiteral("RichEdit1"));
}
template <class W> TagPalette *TagPaletteOf(const W &w)
{
    return Part<TagPalette>(w, QStringLiteral("Panel3"));
}
template <class W> ClipPalette *ClipPaletteOf(const W &w)
{
    return Part<ClipPalette>(w, QStringLiteral("Panel12"));
}
template <class W> SearchBar *SearchBarOf(const W &w)
{
    return Part<SearchBar>(w, QStringLiteral("Panel10"));
}
template <class W> FolderPane *FolderPaneOf(const W &w)
{
    return Part<FolderPane>(w, QStringLiteral("Panel13"));
}
template <class W> QLabel *InfoLine(const W &w)
{
    return Part<QLabel>(w, QStringLiteral("Panel11"));
}
template <class W> QLabel *Ruler(const W &w)
{
    return Part<QLabel>(w, QStringLiteral("Panel2"));
}
template <class W> StatusBar *StatusBarOf(const W &w)
{
    return Part<StatusBar>(w, QStringLiteral("StatusBar1"));
}
// The toolbar's shine button number `n` (1 to 15).
template <class W> TShineSpeedButton *ToolbarButton(const W &w, int n)
{
    return Part<TShineSpeedButton>(w, QStringLiteral("SSButton%1").arg(n));
}
