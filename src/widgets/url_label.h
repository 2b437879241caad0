// A label that behaves like a link: hand cursor, hover and pressed colours,
// and a press opens its caption (an address with "@" as a mail address).
// Opening goes through a replaceable opener so tests need no browser.
#pragma once

#include "colour_value.h"
#include "widget_property.h"

#include <QLabel>
#include <QUrl>
#include <functional>
#include <optional>

// The address a caption opens: "mailto:" in front when it holds "@" and
// names no scheme of its own; a bare host gets http.
QUrl UrlLabelTarget(const QString &caption);

class TURLLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool Executable READ Executable WRITE setExecutable)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE setHotTrack)
    Q_PROPERTY(TColor HotColor READ HotColor WRITE setHotColor)
    Q_PROPERTY(TColor PushedColor READ PushedColor WRITE setPushedColor)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

public:
    using Opener = std::function<bool(const QUrl &)>;

    explicit TURLLabel(QWidget *parent = nullptr);
    explicit TURLLabel(const QString &caption, QWidget *parent = nullptr);

    bool Executable() const { return executable_; }
    void setExecutable(bool value) { executable_ = value; }
    bool HotTrack() const { return hotTrack_; }
    void setHotTrack(bool value);
    TColor HotColor() const { return hotColor_; }
    void setHotColor(TColor value) { SetAndRepaint(this, hotColor_, value); }
    TColor PushedColor() const { return pushedColor_; }
    void setPushedColor(TColor value) { SetAndRepaint(this, pushedColor_, value); }

    // Replaces QDesktopServices::openUrl (tests, or a configured browser).
    void setOpener(Opener opener);

    // The caption colour shown now.
    QColor FontColor() const;
    // Opens the caption as a press does, when Executable.
    void Open();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setFontColor(const QColor &colour);

    bool executable_ = false;
    bool hotTrack_ = true;
    TColor hotColor_ = clAqua;
    TColor pushedColor_ = clRed;
    std::optional<QColor> normalColor_;
    Opener opener_;
};
