// The toolbar: fifteen shine buttons, the logo and the two small buttons.
#include "search_bar.h"
#include "shine_btn_colors.h"
#include "shine_speed_button.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>

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

void TForm1::CreateToolbar()
{
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(4, 3, 4, 3);
    // Side by side without gaps the toolbar fits the default width of 520, below which the window
    // does not shrink: the toolbar's width is the window's minimum.
    row->setSpacing(0);
    for (int i = 0; i < 15; ++i) {
        TShineSpeedButton *button = MakeToolbarButton(Panel1, QStringLiteral("SSButton%1").arg(i + 1));
        button->setToolTip(QString::fromUtf16(Buttons[i].hint));
        button->setGlyph(Glyph(Buttons[i]));
        SSButtons << button;
        row->addWidget(button);
        if (i == 4 || i == 9)
            row->addSpacing(6);
    }
    row->addStretch(1);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(51, 32);
    Image1->setPixmap(LogoPixmap(font()));
    Image1->setToolTip(QStringLiteral("【左クリック】詳細表示 【右クリック】使用法表示"));
    Image1->setAccessibleName(QStringLiteral("QUMOEDIT 設定＆著作権"));
    Image1->installEventFilter(this);
    row->addWidget(Image1);

    const auto smallButton = [this](QWidget *parent, const char *name, const QString &caption,
                                    const QString &hint) {
        auto *button = new TShineSpeedButton(parent);
        button->setObjectName(QLatin1String(name));
        button->setCaption(caption);
        button->setToolTip(hint);
        button->setFixedSize(18, 27);
        return button;
    };
    SpeedButton21 =
        smallButton(Panel1, "SpeedButton21", QStringLiteral("！"), QStringLiteral("設定＆著作権"));
    SpeedButton22 =
        smallButton(Panel1, "SpeedButton22", QStringLiteral("？"), QStringLiteral("QUMOEDITヘルプ"));
    row->addWidget(SpeedButton21);
    row->addWidget(SpeedButton22);

    // The toolbar sounds its click before the command; the menu does not.
    const auto trigger = [this](TShineSpeedButton *button, QAction *action, bool click) {
        connect(button, &TShineSpeedButton::OnClick, action, [this, action, click] {
            if (click)
                PlayClickSound();
            action->trigger();
        });
    };
    const Cmd commands[] = {Cmd::Open, Cmd::New1, Cmd::SaveAs1, Cmd::Save1,  Cmd::Print,
                            Cmd::Undo, Cmd::K1,   Cmd::KCopy1,  Cmd::KPaste1};
    for (int i = 0; i < 9; ++i)
        // The file commands sound their click themselves.
        trigger(SSButtons[i], Command(commands[i]), i >= 5);
    const auto toggle = [this](int index, auto show) {
        connect(SSButtons[index], &TShineSpeedButton::OnClick, this, [this, show] {
            PlayClickSound();
            show();
        });
    };
    toggle(9, [this] {
        Panel10->setVisible(Panel10->isHidden());
        if (!Panel10->isHidden())
            Panel10->Edit1->setFocus();
    });
    connect(SSButtons[10], &TShineSpeedButton::OnClick, this, &TForm1::SSButton11Click);
    toggle(11, [this] { SetTagPaletteVisible(Panel3->isHidden()); });
    toggle(12, [this] { Panel4->setVisible(Panel4->isHidden()); });
    toggle(13, [this] { SetClipPaletteVisible(Panel12->isHidden()); });
    connect(SSButtons[14], &TShineSpeedButton::OnClick, this, &TForm1::SSButton15Click);
    trigger(SpeedButton22, Command(Cmd::Help1), false);
    connect(SpeedButton21, &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton21Click);
    connect(Panel3->SpeedButton23, &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton23Click);
    connect(Panel3->ShineSpeedButton1, &TShineSpeedButton::OnClick, this, &TForm1::ShineSpeedButton1Click);
}
