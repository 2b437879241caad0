#include "editor_settings.h"

#include "font_substitutions.h"
#include "tform3.h"

#include <QApplication>
#include <QPlainTextEdit>

void ApplyEditorSettings(const DialogOptions &o, QPlainTextEdit &editor, QWidget &ruler)
{
    QFont font = editor.font();
    font.setFamilies(InstalledFamilies(o.editFont));
    editor.setFont(font);

    QPalette palette = editor.palette();
    if (o.defaultColor) {
        const QPalette system = QApplication::palette(&editor);
        palette.setColor(QPalette::Base, system.color(QPalette::Base));
        palette.setColor(QPalette::Text, system.color(QPalette::Text));
    } else {
        // Also when neither button is selected.
        palette.setColor(QPalette::Base, ColorToQColor(o.backColor, palette));
        palette.setColor(QPalette::Text, ColorToQColor(o.fontColor, palette));
    }
    editor.setPalette(palette);

    const bool wrap = o.returnRight;
    editor.setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    editor.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor.setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);

    ruler.setVisible(o.ruler);
    // A property of the window's own editor, by name: a plain editor ignores it.
    editor.setProperty("lineNumbers", o.lineNumbers);
}

QPoint DialogPositionOver(const QRect &mainFrame, QSize dialogSize)
{
    return {mainFrame.left() + (mainFrame.width() - dialogSize.width()) / 2,
            mainFrame.top() + (mainFrame.height() - dialogSize.height()) / 2};
}

void OpenSettingsDialog(TForm3 &dialog, QWidget &mainWindow, QPlainTextEdit &editor, QWidget &ruler)
{
    QApplication::beep();
    // Before its first showing the dialog's frame is unknown; it gets the
    // same decorations as the main window.
    const QSize decorations = mainWindow.frameGeometry().size() - mainWindow.size();
    dialog.move(DialogPositionOver(mainWindow.frameGeometry(), dialog.size() + decorations));
    dialog.exec();
    ApplyEditorSettings(dialog.options(), editor, ruler);
}
