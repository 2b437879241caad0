#include "tool_panels.h"

#include "palette_kind.h"
#include "settings_values.h"
#include "shine_speed_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <algorithm>

void PaintTextWhite(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(palette);
}

QLabel *MakeCaption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    PaintTextWhite(label);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

namespace {

// Shows the info line while a palette is shown; the palettes hide and show
// from many places (toolbar, settings, a page from the browser's cache).
class InfoLineRule : public QObject
{
public:
    InfoLineRule(QLabel *line, const QList<QWidget *> &palettes) : QObject(line), line_(line)
    {
        for (QWidget *palette : palettes) {
            palettes_ << palette;
            palette->installEventFilter(this);
        }
        apply();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            apply();
        return false;
    }

private:
    void apply()
    {
        // A palette already gone while the window is torn down counts as hidden.
        line_->setVisible(
            std::any_of(palettes_.begin(), palettes_.end(), [](const QPointer<QWidget> &palette) {
                return palette != nullptr && !palette->isHidden();
            }));
    }

    QLabel *line_;
    QList<QPointer<QWidget>> palettes_;
};

} // namespace

QLabel *MakeInfoLine(QWidget *parent, const QList<QWidget *> &palettes)
{
    auto *line = new QLabel(parent);
    line->setObjectName(QStringLiteral("Panel11"));
    // Help texts and previews are shown as written, tags included.
    line->setTextFormat(Qt::PlainText);
    line->setFixedHeight(19);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::yellow);
    line->setPalette(palette);
    new InfoLineRule(line, palettes);
    return line;
}

QComboBox *MakeChoice(QWidget *parent, const char *name, const QString &accessibleName,
                      const QStringList &items, const QRect &place)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->addItems(items);
    box->setGeometry(place);
    return box;
}

void TakeTabPlace(QWidget *panel)
{
    // Tab order is only set between widgets that take the focus.
    const Qt::FocusPolicy policy = panel->focusPolicy();
    panel->setFocusPolicy(Qt::TabFocus);
    QWidget *previous = panel;
    for (QWidget *control : panel->findChildren<QWidget *>()) {
        if (control->focusPolicy() == Qt::NoFocus || control->isWindow())
            continue;
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    panel->setFocusPolicy(policy);
}

namespace {

// Runs its work at the widget's first Show event, then goes.
class FirstShow : public QObject
{
public:
    FirstShow(QWidget *widget, std::function<void()> work) : QObject(widget), work_(std::move(work))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            work_();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

void WhenFirstShown(QWidget *widget, std::function<void()> work)
{
    new FirstShow(widget, std::move(work));
}

TShineSpeedButton *MakeGlyphButton(QWidget *parent, const char *name, const QString &hint, const char *icon,
                                   const QRect &place)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setGeometry(place);
    // Tab only: a mouse click leaves the focus in the text.
    button->setFocusPolicy(Qt::TabFocus);
    // The panels holding these buttons start hidden, and icons cost start-up.
    WhenFirstShown(button, [button, icon] {
        const int side = std::min(button->width(), button->height()) - 5;
        button->setGlyph(QIcon::fromTheme(QLatin1String(icon)).pixmap(QSize(side, side)).toImage());
    });
    return button;
}

TShineSpeedButton *MakeCommandButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCaption(caption);
    button->setFixedSize(64, 22);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

TShineSpeedButton *MakePaletteButton(QWidget *parent, const QString &name, int tag, const QRect &place)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(name);
    button->setTag(tag);
    button->setGeometry(place);
    // Captions are the user's text: "&copy;" shows as written and is no Alt key.
    button->setShowAccelChar(false);
    TShineBtnColors face(clBtnFace);
    face.setGradColor(clBtnShadow);
    face.setGradVertical(true);
    face.setGradation(true);
    button->setColors(&face);
    button->PressedColors()->setColor(clBtnShadow);
    button->setActiveFontColor(clAqua);
    return button;
}

ToolPanel::ToolPanel(const char *name, TColor colour, QWidget *parent) : QWidget(parent)
{
    setObjectName(QLatin1String(name));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorToQColor(colour, p));
    setPalette(p);
}

QLabel *ToolPanel::makeCaption(const char *name, const QString &text)
{
    caption_ = MakeCaption(this, name, text);
    caption_->installEventFilter(this);
    return caption_;
}

bool ToolPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == caption_ && event->type() == QEvent::MouseButtonRelease) {
        emit captionClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
