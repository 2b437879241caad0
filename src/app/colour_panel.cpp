#include "colour_panel.h"

#include "colour_swatch.h"
#include "shine_speed_button.h"
#include "stored_text.h"
#include "template_text.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

namespace {

TColor TextColour(const QLabel *label)
{
    return ColorFromQColor(label->palette().color(QPalette::WindowText));
}

void SetTextColour(QLabel *label, TColor colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ColorToQColor(colour, palette));
    label->setPalette(palette);
}

} // namespace

ColourPanel::ColourPanel(QWidget *parent) : ToolPanel("Panel4", clOlive, parent)
{
    setFixedWidth(160);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    Label3 = makeCaption("Label3", QStringLiteral("QUMOCOLOR"));
    column->addWidget(Label3);

    auto *mixRow = new QHBoxLayout;
    Panel5 = new ColourSwatch(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFixedSize(64, 44);
    Panel5->setColor(clBlack);
    Panel5->setAccessibleName(QStringLiteral("現在の色"));
    auto *commands = new QVBoxLayout;
    Panel9 = new QLabel(QStringLiteral("#000000"), this);
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setFont(QFont(QStringLiteral("monospace")));
    // Selectable text is laid out in a text document of its own: made when shown.
    WhenFirstShown(Panel9, [label = Panel9] { label->setTextInteractionFlags(Qt::TextSelectableByMouse); });
    PaintTextWhite(Panel9);
    ShineSpeedButton8 = MakeCommandButton(this, "ShineSpeedButton8", QStringLiteral("色貼付け"));
    ShineSpeedButton9 = MakeCommandButton(this, "ShineSpeedButton9", QStringLiteral("直接選択"));
    commands->addWidget(Panel9);
    commands->addWidget(ShineSpeedButton8);
    commands->addWidget(ShineSpeedButton9);
    mixRow->addWidget(Panel5, 0, Qt::AlignTop);
    mixRow->addLayout(commands);
    column->addLayout(mixRow);

    const char *channels[] = {"R:", "G:", "B:"};
    auto *sliders = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QStringLiteral("R:000"), this);
        label->setObjectName(QStringLiteral("Panel%1").arg(6 + i));
        PaintTextWhite(label);
        label->setMinimumWidth(label->sizeHint().width());
        auto *slider = new QScrollBar(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("ScrollBar%1").arg(1 + i));
        slider->setAccessibleName(QLatin1String(channels[i]));
        slider->setRange(0, 255);
        slider->setPageStep(10);
        // Reached with Tab; a mouse click leaves the focus in the editor.
        slider->setFocusPolicy(Qt::TabFocus);
        label->setBuddy(slider);
        sliders->addWidget(label, i, 0);
        sliders->addWidget(slider, i, 1);
        ValueLabels << label;
        ScrollBars << slider;
    }
    sliders->setColumnStretch(1, 1);
    column->addLayout(sliders);

    auto *previewRow = new QHBoxLayout;
    Label6 = new QLabel(QStringLiteral("▼プレビュー"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    PaintTextWhite(Label6);
    SpeedButton14 = new TShineSpeedButton(this);
    SpeedButton14->setObjectName(QStringLiteral("SpeedButton14"));
    SpeedButton14->setCaption(QStringLiteral("<BODY>"));
    SpeedButton14->setToolTip(QStringLiteral("ＨＴＭＬ文から色情報を抽出する"));
    SpeedButton14->setFixedSize(56, 21);
    SpeedButton14->setFocusPolicy(Qt::TabFocus);
    previewRow->addWidget(Label6);
    previewRow->addStretch(1);
    previewRow->addWidget(SpeedButton14);
    column->addLayout(previewRow);

    PanelBG = new ColourSwatch(this);
    PanelBG->setObjectName(QStringLiteral("PanelBG"));
    PanelBG->setMinimumSize(0, 44);
    PanelBG->setMaximumSize(QWIDGETSIZE_MAX, 44);
    PanelBG->setColor(0xFFE0E0);
    auto *words = new QGridLayout(PanelBG);
    words->setContentsMargins(6, 3, 6, 3);
    const struct
    {
        const char *name;
        const char *word;
        const char *hint;
        TColor colour;
    } previewWords[] = {
        {"LabelText", "TEXT", "通常の文字色", 0x000000},
        {"LabelLINK", "LINK", "リンクの色", 0xA08020},
        {"LabelVLINK", "VLINK", "既に見たリンク", 0x505090},
        {"LabelALINK", "ALINK", "クリック中のリンク", 0x8040FF},
    };
    for (const auto &w : previewWords) {
        auto *label = new QLabel(QLatin1String(w.word), PanelBG);
        label->setObjectName(QLatin1String(w.name));
        label->setToolTip(QString::fromUtf8(w.hint));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        SetTextColour(label, w.colour);
        words->addWidget(label, int(PreviewWords.size()) / 2, int(PreviewWords.size()) % 2);
        PreviewWords << label;
    }
    column->addWidget(PanelBG);

    const char *radios[] = {"背景", "文字", "LINK", "VLINK", "ALINK"};
    auto *choices = new QGridLayout;
    choices->setSpacing(2);
    // Several groups could be checked at once otherwise: one group, none checked at start.
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < Colour::BodyColourCount; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(radios[i]), this);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        PaintTextWhite(radio);
        group->addButton(radio, i);
        choices->addWidget(radio, i < 2 ? 0 : 1 + (i - 2) / 2, i < 2 ? i : (i - 2) % 2);
        RadioButtons << radio;
    }
    column->addLayout(choices);
    column->addStretch(1);
    code_ = Palettes::ColorToHtml(sliderColour(), !upperCase_).mid(1);

    for (QScrollBar *slider : std::as_const(ScrollBars))
        connect(slider, &QScrollBar::valueChanged, this, &ColourPanel::showMix);
    // On the change of choice, however it came (mouse, keyboard, accessibility bus). A click on the
    // chosen one would load the colour the sliders already show, since they edit it.
    for (QRadioButton *radio : std::as_const(RadioButtons)) {
        connect(radio, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                loadSelectedColour();
        });
    }
    connect(ShineSpeedButton8, &TShineSpeedButton::OnClick, this, [this] {
        emit insertCode(code_);
        emit editorFocusWanted();
    });
    connect(ShineSpeedButton9, &TShineSpeedButton::OnClick, this, &ColourPanel::pickColour);
    connect(SpeedButton14, &TShineSpeedButton::OnClick, this, [this] {
        emit clickSound();
        if (page_ != nullptr)
            readBodyColours(TextTools::StoredText(*page_));
    });
}

void ColourPanel::setUpperCaseCode(bool upper)
{
    upperCase_ = upper;
    code_ = Palettes::ColorToHtml(sliderColour(), !upperCase_).mid(1);
    Panel9->setText(code_);
}

TColor ColourPanel::sliderColour() const
{
    return TColor(ScrollBars[0]->value()) | TColor(ScrollBars[1]->value()) << 8 |
           TColor(ScrollBars[2]->value()) << 16;
}

void ColourPanel::setSliders(TColor colour)
{
    for (int i = 0; i < 3; ++i)
        ScrollBars[i]->setValue(int(colour >> (8 * i) & 0xFF));
}

void ColourPanel::showMix()
{
    const TColor mix = sliderColour();
    code_ = Palettes::ColorToHtml(mix, !upperCase_).mid(1);
    const char *channels[] = {"R:", "G:", "B:"};
    for (int i = 0; i < 3; ++i)
        ValueLabels[i]->setText(QLatin1String(channels[i]) + QString::number(ScrollBars[i]->value()));
    Panel9->setText(code_);
    Panel5->setColor(mix);
    const int selected = selectedBodyColour();
    if (selected >= 0)
        setBodyColour(selected, mix);
    // A slider reached from the keyboard keeps the focus for its arrow keys.
    if (!ScrollBars.contains(window()->focusWidget()))
        emit editorFocusWanted();
}

TColor ColourPanel::currentColour() const
{
    return Panel5->Color();
}

TColor ColourPanel::bodyColour(int which) const
{
    return which == Colour::Background ? PanelBG->Color() : TextColour(PreviewWords[which - 1]);
}

void ColourPanel::setBodyColour(int which, TColor colour)
{
    if (which == Colour::Background)
        PanelBG->setColor(colour);
    else
        SetTextColour(PreviewWords[which - 1], colour);
}

int ColourPanel::selectedBodyColour() const
{
    for (int i = 0; i < RadioButtons.size(); ++i) {
        if (RadioButtons[i]->isChecked())
            return i;
    }
    return -1;
}

Palettes::TemplateColours ColourPanel::templateColours() const
{
    Palettes::TemplateColours colours;
    colours.color = currentColour();
    colours.bgcol = bodyColour(Colour::Background);
    colours.textc = bodyColour(Colour::Text);
    colours.link = bodyColour(Colour::Link);
    colours.vlink = bodyColour(Colour::VisitedLink);
    colours.alink = bodyColour(Colour::ActiveLink);
    return colours;
}

void ColourPanel::readBodyColours(const QString &page)
{
    const std::optional<QString> tag = Colour::FindBodyTag(page);
    if (!tag)
        return;
    const Colour::BodyColours colours = Colour::ReadBodyColours(*tag);
    for (int i = 0; i < Colour::BodyColourCount; ++i) {
        if (colours[i])
            setBodyColour(i, *colours[i]);
    }
    loadSelectedColour();
}

void ColourPanel::loadSelectedColour()
{
    const int selected = selectedBodyColour();
    setSliders(selected >= 0 ? bodyColour(selected) : currentColour());
}

void ColourPanel::pickColour()
{
    if (QColorDialog *dialog = colorDialog_ ? colorDialog_() : nullptr) {
        dialog->setCurrentColor(ColorToQColor(currentColour(), palette()));
        if (dialog->exec() == QDialog::Accepted)
            setSliders(ColorFromQColor(dialog->currentColor()));
    }
    emit editorFocusWanted();
}
