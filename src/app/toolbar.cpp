#include "toolbar.h"

#include "icon_theme.h"
#include "shine_btn_colors.h"
#include "shine_speed_button.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {

struct ToolbarButton
{
    const char16_t *hint;
    const char *themeIcon; // a name every freedesktop icon theme uses for this meaning
};

constexpr ToolbarButton Buttons[] = {
    {u"開く", "document-open"},
    {u"新規作成", "document-new"},
    {u"名前を付けて保存", "document-save-as"},
    {u"上書き保存", "document-save"},
    {u"印刷", "document-print"},
    {u"元に戻す", "edit-undo"},
    {u"切り取り", "edit-cut"},
    {u"コピー", "edit-copy"},
    {u"貼り付け", "edit-paste"},
    {u"検索バー", "edit-find"},
    {u"文字サイズ", "zoom-in"},
    {u"QUMOHTML（タグパレット）", "text-html"},
    {u"QUMOCOLOR（カラーパネル）", "applications-graphics"},
    {u"QUMOCLIP（クリップパレット）", "insert-text"},
    {u"フォルダ", "folder"},
};

// The style's own icons are no fallback: on a bare desktop they show a trash
// can for cut and a check mark for paste.
QImage Glyph(const ToolbarButton &button)
{
    return QIcon::fromTheme(QLatin1String(button.themeIcon)).pixmap(QSize(20, 20)).toImage();
}

} // namespace

const QList<QImage> &ToolbarGlyphs()
{
    static const QList<QImage> glyphs = [] {
        InstallIconTheme();
        QList<QImage> images;
        for (const ToolbarButton &button : Buttons)
            images << Glyph(button);
        return images;
    }();
    return glyphs;
}

namespace {

TShineSpeedButton *MakeToolbarButton(QWidget *parent, const QString &name)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(name);
    button->setFixedSize(27, 29);
    TShineBtnColors *colours = button->Colors();
    colours->setColor(10526720);
    colours->setGradColor(8947712);
    colours->setGradation(true);
    colours->setGradVertical(true);
    colours->setHighlight(13421568);
    colours->setShadow(8947712);
    colours->setDarkShadow(4473856);
    button->PressedColors()->setColor(clBtnHighlight);
    button->setShineColor(clRed);
    button->setActiveImage(Shine::aiAddLight);
    button->setActiveFontColor(clHighlight);
    return button;
}

QPixmap LogoPixmap(const QFont &base)
{
    QPixmap pixmap(51, 32);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 0, 32);
    gradient.setColorAt(0, QColor(0, 160, 160));
    gradient.setColorAt(1, QColor(0, 64, 64));
    painter.fillRect(pixmap.rect(), gradient);
    QFont font = base;
    font.setFamily(QStringLiteral("sans-serif"));
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect().adjusted(0, 2, 0, -12), Qt::AlignCenter, QStringLiteral("QUMO"));
    painter.setPen(QColor(255, 255, 160));
    painter.drawText(pixmap.rect().adjusted(0, 14, 0, 0), Qt::AlignCenter, QStringLiteral("EDIT"));
    return pixmap;
}

} // namespace

Toolbar::Toolbar(QWidget *parent) : ToolPanel("Panel1", clTeal, parent)
{
    setFixedHeight(35);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 3, 4, 3);
    // Side by side without gaps the toolbar fits the default width of 520, below which the window
    // does not shrink: the toolbar's width is the window's minimum.
    row->setSpacing(0);
    for (int i = 0; i < 15; ++i) {
        TShineSpeedButton *button = MakeToolbarButton(this, QStringLiteral("SSButton%1").arg(i + 1));
        button->setToolTip(QString::fromUtf16(Buttons[i].hint));
        button->setGlyph(ToolbarGlyphs().at(i));
        buttons_ << button;
        row->addWidget(button);
        if (i == 4 || i == 9)
            row->addSpacing(6);
    }
    row->addStretch(1);

    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("Image1"));
    logo_->setFixedSize(51, 32);
    logo_->setPixmap(LogoPixmap(font()));
    logo_->setToolTip(QStringLiteral("【左クリック】詳細表示 【右クリック】使用法表示"));
    logo_->setAccessibleName(QStringLiteral("QUMOEDIT 設定＆著作権"));
    logo_->installEventFilter(this);
    row->addWidget(logo_);

    const auto smallButton = [this](const char *name, const QString &caption, const QString &hint) {
        auto *button = new TShineSpeedButton(this);
        button->setObjectName(QLatin1String(name));
        button->setCaption(caption);
        button->setToolTip(hint);
        button->setFixedSize(18, 27);
        return button;
    };
    settings_ = smallButton("SpeedButton21", QStringLiteral("！"), QStringLiteral("設定＆著作権"));
    help_ = smallButton("SpeedButton22", QStringLiteral("？"), QStringLiteral("QUMOEDITヘルプ"));
    row->addWidget(settings_);
    row->addWidget(help_);
}

bool Toolbar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != logo_)
        return ToolPanel::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() == Qt::RightButton)
            emit logoRightClicked();
        return mouse->button() == Qt::RightButton;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click is a press and release on the logo.
        if (mouse->button() == Qt::LeftButton && logo_->rect().contains(mouse->position().toPoint()))
            emit logoClicked();
        return true;
    }
    return false;
}
