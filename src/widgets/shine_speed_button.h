// The editor's own flat push button: a face (plain or gradient), a glyph with
// a caption and a bevel frame, shining while the pointer is over it. Buttons
// of one parent with the same non-zero GroupIndex latch down like tool-bar
// buttons. Focus is off unless a focus policy is set; a focused button clicks
// on Space and Enter.
#pragma once

#include "colour_value.h"
#include "shine_btn_colors.h"
#include "shine_types.h"
#include "widget_property.h"

#include <QFont>
#include <QImage>
#include <QKeySequence>
#include <QWidget>
#include <optional>

class QShortcut;
class QTimer;

class TShineSpeedButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int GroupIndex READ GroupIndex WRITE setGroupIndex)
    Q_PROPERTY(bool Down READ Down WRITE setDown)
    Q_PROPERTY(bool ClickDownHook READ ClickDownHook WRITE setClickDownHook)
    Q_PROPERTY(bool AccelCharDown READ AccelCharDown WRITE setAccelCharDown)
    Q_PROPERTY(Shine::TFrameType FrameType READ FrameType WRITE setFrameType)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
    Q_PROPERTY(bool ActiveFrame READ ActiveFrame WRITE setActiveFrame)
    Q_PROPERTY(bool UpFrame READ UpFrame WRITE setUpFrame)
    Q_PROPERTY(bool DownFrame READ DownFrame WRITE setDownFrame)
    Q_PROPERTY(Shine::TActiveImageType ActiveImage READ ActiveImage WRITE setActiveImage)
    Q_PROPERTY(Shine::TDisabledImageType DisabledImage READ DisabledImage WRITE setDisabledImage)
    Q_PROPERTY(TColor DisabledHighlight READ DisabledHighlight WRITE setDisabledHighlight)
    Q_PROPERTY(TColor DisabledShadow READ DisabledShadow WRITE setDisabledShadow)
    Q_PROPERTY(TShineBtnColors *Colors READ Colors WRITE setColors)
    Q_PROPERTY(TShineBtnColors *PressedColors READ PressedColors WRITE setPressedColors)
    Q_PROPERTY(TColor ShineColor READ ShineColor WRITE setShineColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(TColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(TColor FontHighlight READ FontHighlight WRITE setFontHighlight)
    Q_PROPERTY(TColor FontShadow READ FontShadow WRITE setFontShadow)
    Q_PROPERTY(QFont ActiveFont READ ActiveFont WRITE setActiveFont)
    Q_PROPERTY(TColor ActiveFontColor READ ActiveFontColor WRITE setActiveFontColor)
    Q_PROPERTY(bool AllowAllUp READ AllowAllUp WRITE setAllowAllUp)
    Q_PROPERTY(Shine::TButtonLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(int Margin READ Margin WRITE setMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE setShowAccelChar)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(int Tag READ Tag WRITE setTag)

public:
    explicit TShineSpeedButton(QWidget *parent = nullptr);
    ~TShineSpeedButton() override;

    int GroupIndex() const { return groupIndex_; }
    void setGroupIndex(int value);
    bool Down() const { return down_; }
    void setDown(bool value);
    bool ClickDownHook() const { return clickDownHook_; }
    void setClickDownHook(bool value) { clickDownHook_ = value; }
    bool AccelCharDown() const { return accelCharDown_; }
    void setAccelCharDown(bool value) { accelCharDown_ = value; }
    Shine::TFrameType FrameType() const { return frameType_; }
    void setFrameType(Shine::TFrameType value) { SetAndRepaint(this, frameType_, value); }
    bool Transparent() const { return transparent_; }
    void setTransparent(bool value);
    bool ActiveFrame() const { return activeFrame_; }
    void setActiveFrame(bool value) { SetAndRepaint(this, activeFrame_, value); }
    bool UpFrame() const { return upFrame_; }
    void setUpFrame(bool value) { SetAndRepaint(this, upFrame_, value); }
    bool DownFrame() const { return downFrame_; }
    void setDownFrame(bool value) { SetAndRepaint(this, downFrame_, value); }
    Shine::TActiveImageType ActiveImage() const { return activeImage_; }
    void setActiveImage(Shine::TActiveImageType value) { SetAndRepaint(this, activeImage_, value); }
    Shine::TDisabledImageType DisabledImage() const { return disabledImage_; }
    void setDisabledImage(Shine::TDisabledImageType value) { SetAndRepaint(this, disabledImage_, value); }
    TColor DisabledHighlight() const { return disabledHighlight_; }
    void setDisabledHighlight(TColor value) { SetAndRepaint(this, disabledHighlight_, value); }
    TColor DisabledShadow() const { return disabledShadow_; }
    void setDisabledShadow(TColor value) { SetAndRepaint(this, disabledShadow_, value); }
    // The sets stay owned by the button; the setters copy the given set.
    TShineBtnColors *Colors() const { return colors_; }
    void setColors(const TShineBtnColors *value);
    TShineBtnColors *PressedColors() const { return pressedColors_; }
    void setPressedColors(const TShineBtnColors *value);
    TColor ShineColor() const { return shineColor_; }
    void setShineColor(TColor value) { SetAndRepaint(this, shineColor_, value); }
    // Font is the widget's own font; QFont holds no colour, so the caption
    // colours are properties of their own.
    TColor FontColor() const { return fontColor_; }
    void setFontColor(TColor value) { SetAndRepaint(this, fontColor_, value); }
    TColor FontHighlight() const { return fontHighlight_; }
    void setFontHighlight(TColor value);
    TColor FontShadow() const { return fontShadow_; }
    void setFontShadow(TColor value);
    // Follows the widget's font until one is set.
    QFont ActiveFont() const { return activeFont_.value_or(font()); }
    void setActiveFont(const QFont &value);
    TColor ActiveFontColor() const { return activeFontColor_; }
    void setActiveFontColor(TColor value) { SetAndRepaint(this, activeFontColor_, value); }
    bool AllowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool value);
    Shine::TButtonLayout Layout() const { return layout_; }
    void setLayout(Shine::TButtonLayout value) { SetAndRepaint(this, layout_, value); }
    int Margin() const { return margin_; }
    void setMargin(int value) { SetAndRepaint(this, margin_, value); }
    int Spacing() const { return spacing_; }
    void setSpacing(int value) { SetAndRepaint(this, spacing_, value); }
    QImage Glyph() const { return glyph_; }
    // Stored as 32 bits per pixel; a null image clears the picture.
    void setGlyph(const QImage &value);
    QString Caption() const { return caption_; }
    void setCaption(const QString &value);
    // Whether "&" in the caption marks a keyboard mnemonic (shown underlined); off, it is shown as
    // written, for captions that are user text.
    bool ShowAccelChar() const { return showAccelChar_; }
    void setShowAccelChar(bool value);
    // The caption's mnemonic key; empty when it has none or ShowAccelChar is off.
    QKeySequence MnemonicKey() const;
    int Tag() const { return tag_; }
    void setTag(int value) { tag_ = value; }

    // Fires OnClick (showing the pressed face meanwhile with ClickDownHook).
    void Click();
    // Fires OnDblClick, only while Down.
    void DblClick();
    // What a completed click does: toggles Down in a group, then Click.
    void Press();

    Shine::T_ShineButtonState ButtonState() const { return state_; }
    bool MouseIn() const { return mouseIn_; }
    bool Pressing() const { return pressing_; }
    bool LeaveTimerActive() const;

    QSize sizeHint() const override;

signals:
    void OnClick();
    void OnDblClick();
    void OnMouseEnter(Qt::KeyboardModifiers shift, int x, int y);
    void OnMouseLeave(Qt::KeyboardModifiers shift, int x, int y);
    // Any mouse button pressed on an enabled button, before the left button's press look.
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

protected:
    virtual void MouseEnter(Qt::KeyboardModifiers shift, QPoint pos);
    virtual void MouseLeave(Qt::KeyboardModifiers shift, QPoint pos);

    void BackDraw(QPainter &painter);
    void ImageDraw(QPainter &painter);
    void FrameDraw(QPainter &painter);

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void setState(Shine::T_ShineButtonState state);
    Shine::T_ShineButtonState restingState() const;
    QSize captionExtent(const QFont &font) const;
    QSize glyphExtent() const;
    void leftButtonDown();
    void updateTracking(QPoint pos);
    void leaveTimerTick();
    void notifyGroup();
    void buttonPressed(int groupIndex, const TShineSpeedButton *sender);
    void accelerator();
    void announceState();
    QColor colour(TColor value) const;
    // The caption's text flags: with the mnemonic shown or not.
    int captionFlags(int alignment) const;
    void updateMnemonic();

    int groupIndex_ = 0;
    bool down_ = false;
    bool clickDownHook_ = false;
    bool accelCharDown_ = false;
    Shine::TFrameType frameType_ = Shine::ftNormalFrame;
    bool transparent_ = false;
    bool activeFrame_ = true;
    bool upFrame_ = true;
    bool downFrame_ = true;
    Shine::TActiveImageType activeImage_ = Shine::aiFrameLight;
    Shine::TDisabledImageType disabledImage_ = Shine::diDefault;
    TColor disabledHighlight_ = clBtnHighlight;
    TColor disabledShadow_ = clBtnShadow;
    TShineBtnColors *colors_;
    TShineBtnColors *pressedColors_;
    TColor shineColor_ = clYellow;
    TColor fontColor_ = clBtnText;
    TColor fontHighlight_ = clNone;
    TColor fontShadow_ = clNone;
    std::optional<QFont> activeFont_;
    TColor activeFontColor_ = clHighlight;
    bool allowAllUp_ = false;
    Shine::TButtonLayout layout_ = Shine::blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    QImage glyph_;
    QString caption_;
    bool showAccelChar_ = true;
    int tag_ = 0;

    Shine::T_ShineButtonState state_ = Shine::_sbsUp;
    bool mouseIn_ = false;
    bool pressing_ = false;
    bool keyPressing_ = false;
    QTimer *leaveTimer_;
    QShortcut *accel_ = nullptr;
};
