#include "shine_speed_button.h"
#include "state_glyph.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <utility>

using namespace Shine;

TShineSpeedButton::TShineSpeedButton(QWidget *parent)
    : QWidget(parent), colors_(new TShineBtnColors(clBtnFace, this)),
      pressedColors_(new TShineBtnColors(clBtnHighlight, this)), leaveTimer_(new QTimer(this))
{
    resize(25, 25);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    leaveTimer_->setInterval(200);
    connect(leaveTimer_, &QTimer::timeout, this, &TShineSpeedButton::leaveTimerTick);
    connect(colors_, &TShineBtnColors::Changed, this, qOverload<>(&QWidget::update));
    connect(pressedColors_, &TShineBtnColors::Changed, this, qOverload<>(&QWidget::update));
}

TShineSpeedButton::~TShineSpeedButton() = default;

void TShineSpeedButton::setGroupIndex(int value)
{
    groupIndex_ = value;
    notifyGroup();
}

void TShineSpeedButton::setDown(bool value)
{
    if (value == down_ || groupIndex_ == 0)
        return;
    if (allowAllUp_) {
        down_ = value;
        notifyGroup();
        setState(value ? _sbsDown : _sbsUp);
        announceState();
        return;
    }
    if (down_)
        return; // the last down button of a group cannot be raised by itself
    down_ = value;
    notifyGroup();
    setState(_sbsDown);
    announceState();
}

void TShineSpeedButton::setAllowAllUp(bool value)
{
    allowAllUp_ = value;
    notifyGroup();
}

void TShineSpeedButton::setTransparent(bool value)
{
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    SetAndRepaint(this, transparent_, value);
}

void TShineSpeedButton::setColors(const TShineBtnColors *value)
{
    if (value)
        colors_->Assign(*value);
}

void TShineSpeedButton::setPressedColors(const TShineBtnColors *value)
{
    if (value)
        pressedColors_->Assign(*value);
}

void TShineSpeedButton::setFontHighlight(TColor value)
{
    fontHighlight_ = value;
    update();
}

void TShineSpeedButton::setFontShadow(TColor value)
{
    fontShadow_ = value;
    update();
}

void TShineSpeedButton::setActiveFont(const QFont &value)
{
    activeFont_ = value;
    update();
}

void TShineSpeedButton::setGlyph(const QImage &value)
{
    glyph_ = NormalizeGlyph(value);
    updateGeometry();
    update();
}

void TShineSpeedButton::setCaption(const QString &value)
{
    if (value == caption_)
        return;
    caption_ = value;
    updateMnemonic();
}

void TShineSpeedButton::setShowAccelChar(bool value)
{
    if (value == showAccelChar_)
        return;
    showAccelChar_ = value;
    updateMnemonic();
}

QKeySequence TShineSpeedButton::MnemonicKey() const
{
    return showAccelChar_ ? QKeySequence::mnemonic(caption_) : QKeySequence();
}

void TShineSpeedButton::updateMnemonic()
{
    const QKeySequence key = MnemonicKey();
    if (key.isEmpty()) {
        delete accel_;
        accel_ = nullptr;
    } else {
        if (!accel_) {
            accel_ = new QShortcut(this);
            connect(accel_, &QShortcut::activated, this, &TShineSpeedButton::accelerator);
        }
        accel_->setKey(key);
    }
    updateGeometry();
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void TShineSpeedButton::Click()
{
    if (!clickDownHook_) {
        emit OnClick();
        return;
    }
    const T_ShineButtonState saved = state_;
    state_ = _sbsActiveDown;
    repaint();
    const QPointer<TShineSpeedButton> alive(this);
    emit OnClick();
    if (!alive)
        return;
    state_ = saved;
    repaint();
}

void TShineSpeedButton::DblClick()
{
    if (down_)
        emit OnDblClick();
}

void TShineSpeedButton::Press()
{
    if (groupIndex_ != 0)
        setDown(!down_);
    setState(restingState());
    Click();
}

bool TShineSpeedButton::LeaveTimerActive() const
{
    return leaveTimer_->isActive();
}

void TShineSpeedButton::setState(T_ShineButtonState state)
{
    if (state == state_)
        return;
    state_ = state;
    update();
}

// Assistive technology reads Down as the checked and pressed state.
void TShineSpeedButton::announceState()
{
    QAccessible::State changed;
    changed.pressed = true;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

T_ShineButtonState TShineSpeedButton::restingState() const
{
    if (!isEnabled())
        return _sbsDisableUp;
    if (mouseIn_)
        return down_ ? _sbsActiveDown : _sbsActiveUp;
    return down_ ? _sbsDown : _sbsUp;
}

void TShineSpeedButton::leftButtonDown()
{
    setState(_sbsActiveDown);
    pressing_ = true;
}

void TShineSpeedButton::mousePressEvent(QMouseEvent *event)
{
    if (isEnabled()) {
        const QPointer<TShineSpeedButton> alive(this);
        const QPoint p = event->position().toPoint();
        emit OnMouseDown(event->button(), event->modifiers(), p.x(), p.y());
        // A handler may have run a modal dialog or deleted the button.
        if (!alive)
            return;
    }
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    leftButtonDown();
}

void TShineSpeedButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const QPointer<TShineSpeedButton> alive(this);
    DblClick();
    if (alive)
        leftButtonDown();
}

void TShineSpeedButton::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (pressing_) {
        // The first column and row count as outside while held.
        const bool inside = p.x() > 0 && p.x() < width() && p.y() > 0 && p.y() < height();
        setState(inside ? _sbsActiveDown : (down_ ? _sbsDown : _sbsUp));
    } else if (!mouseIn_) {
        updateTracking(event->position().toPoint());
    }
}

void TShineSpeedButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !pressing_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool inside = rect().contains(event->position().toPoint());
    if (groupIndex_ == 0) {
        mouseIn_ = false;
        down_ = false;
        setState(_sbsUp);
    } else if (inside) {
        setDown(!down_);
    } else {
        setState(down_ ? _sbsActiveDown : _sbsActiveUp);
    }
    pressing_ = false;
    const QPointer<TShineSpeedButton> alive(this);
    if (inside)
        Click();
    if (alive)
        updateTracking(event->position().toPoint());
}

// Positions are local: global ones are unreliable on Wayland.
void TShineSpeedButton::updateTracking(QPoint pos)
{
    if (!isEnabled())
        return;
    const Qt::KeyboardModifiers shift = QGuiApplication::keyboardModifiers();
    QWidget *top = window();
    const bool over = isVisible() && rect().contains(pos) && top->childAt(mapTo(top, pos)) == this;
    if (over)
        MouseEnter(shift, pos);
    else
        MouseLeave(shift, pos);
}

void TShineSpeedButton::MouseEnter(Qt::KeyboardModifiers shift, QPoint pos)
{
    emit OnMouseEnter(shift, pos.x(), pos.y());
    if (mouseIn_ || !isEnabled() || QWidget::mouseGrabber())
        return;
    mouseIn_ = true;
    if (state_ == _sbsUp)
        state_ = _sbsActiveUp;
    else if (state_ == _sbsDown)
        state_ = _sbsActiveDown;
    update();
    leaveTimer_->start();
}

void TShineSpeedButton::MouseLeave(Qt::KeyboardModifiers shift, QPoint pos)
{
    emit OnMouseLeave(shift, pos.x(), pos.y());
    if (!mouseIn_ || !isEnabled() || pressing_)
        return;
    leaveTimer_->stop();
    mouseIn_ = false;
    if (state_ == _sbsActiveUp)
        state_ = _sbsUp;
    else if (state_ == _sbsActiveDown)
        state_ = _sbsDown;
    update();
}

void TShineSpeedButton::enterEvent(QEnterEvent *event)
{
    MouseEnter(QGuiApplication::keyboardModifiers(), event->position().toPoint());
}

void TShineSpeedButton::leaveEvent(QEvent *)
{
    MouseLeave(QGuiApplication::keyboardModifiers(), mapFromGlobal(QCursor::pos()));
}

// Catches a pointer that left without a leave event (a fast move into
// another window).
void TShineSpeedButton::leaveTimerTick()
{
    if (!mouseIn_ || !isEnabled() || pressing_) {
        leaveTimer_->stop();
        return;
    }
    const QPoint pos = mapFromGlobal(QCursor::pos());
    if (!rect().contains(pos))
        MouseLeave(QGuiApplication::keyboardModifiers(), pos);
}

void TShineSpeedButton::keyPressEvent(QKeyEvent *event)
{
    if (isEnabled() && event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        keyPressing_ = true;
        setState(_sbsActiveDown);
        return;
    }
    if (isEnabled() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TShineSpeedButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !keyPressing_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    keyPressing_ = false;
    Press();
}

void TShineSpeedButton::focusOutEvent(QFocusEvent *event)
{
    if (keyPressing_) {
        keyPressing_ = false;
        setState(restingState());
    }
    QWidget::focusOutEvent(event);
}

bool TShineSpeedButton::event(QEvent *event)
{
    // The hint is the description, and the name while there is no caption.
    if (event->type() == QEvent::ToolTipChange) {
        QAccessibleEvent described(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
        if (caption_.isEmpty()) {
            QAccessibleEvent named(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&named);
        }
    }
    return QWidget::event(event);
}

void TShineSpeedButton::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange: {
        const bool wasDown = std::exchange(down_, false);
        pressing_ = false;
        state_ = isEnabled() ? _sbsUp : _sbsDisableUp;
        updateTracking(mapFromGlobal(QCursor::pos()));
        update();
        if (wasDown)
            announceState();
        break;
    }
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        updateGeometry();
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TShineSpeedButton::accelerator()
{
    if (!isEnabled() || !isVisible() || !parentWidget() || !parentWidget()->isVisible())
        return;
    if (accelCharDown_)
        setDown(!down_);
    Click();
}

void TShineSpeedButton::notifyGroup()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<TShineSpeedButton *>(Qt::FindDirectChildrenOnly);
    for (TShineSpeedButton *sibling : siblings)
        if (sibling != this)
            sibling->buttonPressed(groupIndex_, this);
}

void TShineSpeedButton::buttonPressed(int groupIndex, const TShineSpeedButton *sender)
{
    if (groupIndex != groupIndex_)
        return;
    if (sender->down_ && down_) {
        down_ = false;
        state_ = _sbsUp;
        update();
        announceState();
    }
    allowAllUp_ = sender->allowAllUp_;
}
