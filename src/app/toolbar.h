// The toolbar (Panel1): fifteen shine buttons, the logo and the two small
// buttons. It only builds them; the window connects them to its commands.
#pragma once

#include "tool_panels.h"

#include <QList>

class QImage;
class QLabel;
class TShineSpeedButton;

// The fifteen buttons' theme icons, looked up and drawn once. They need no
// fonts: the entry point has them made while the font configuration is read.
const QList<QImage> &ToolbarGlyphs();

class Toolbar : public ToolPanel
{
    Q_OBJECT

public:
    explicit Toolbar(QWidget *parent);

    // Button `n`, 1 to 15 (SSButton1 … SSButton15).
    TShineSpeedButton *button(int n) const { return buttons_.at(n - 1); }
    TShineSpeedButton *settingsButton() const { return settings_; } // SpeedButton21
    TShineSpeedButton *helpButton() const { return help_; }         // SpeedButton22

signals:
    // The logo: a left click opens the settings, a right click the usage notes.
    void logoClicked();
    void logoRightClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<TShineSpeedButton *> buttons_;
    QLabel *logo_;
    TShineSpeedButton *settings_;
    TShineSpeedButton *help_;
};
