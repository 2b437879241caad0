// The status bar's panel for the character after the caret: its code point
// and its bytes in the document's code, its Unicode name as the tooltip.
#pragma once

#include "document_format.h"

#include <QLabel>
#include <functional>

class QPlainTextEdit;

class CaretCharacterPanel : public QLabel
{
    Q_OBJECT

public:
    // Follows the caret and the text of `editor`; `format` tells how the
    // document is written at the moment.
    CaretCharacterPanel(QPlainTextEdit *editor, std::function<DocumentFormat()> format, QWidget *parent);

    // Shows the character after the caret again.
    void refresh();

    // Narrower than this, the status bar leaves the path the room this
    // panel would take.
    static constexpr int RoomNeeded = 600;

    // As wide as its longest text, yet it never widens the window: it hides instead.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPlainTextEdit *editor_;
    std::function<DocumentFormat()> format_;
};
