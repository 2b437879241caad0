#include "button_palette.h"

#include "settings_values.h"
#include "shine_speed_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>

namespace {

// PButton1 ... PButton40: left, top, width, height inside the palette.
constexpr int TagButtonPlaces[40][4] = {
    {3, 29, 49, 23},   {3, 52, 49, 15},   {54, 29, 73, 18},  {54, 47, 73, 18},  {54, 65, 73, 18},
    {129, 29, 73, 18}, {129, 47, 73, 18}, {129, 65, 73, 18}, {204, 29, 73, 18}, {204, 47, 73, 18},
    {204, 65, 73, 18}, {279, 29, 73, 18}, {279, 47, 25, 18}, {303, 47, 25, 18}, {327, 47, 25, 18},
    {279, 65, 25, 18}, {303, 65, 25, 18}, {327, 65, 25, 18}, {354, 29, 73, 18}, {354, 47, 25, 18},
    {378, 47, 25, 18}, {402, 47, 25, 18}, {354, 65, 25, 18}, {378, 65, 25, 18}, {402, 65, 25, 18},
    {429, 29, 73, 18}, {429, 47, 25, 18}, {453, 47, 25, 18}, {477, 47, 25, 18}, {429, 65, 25, 18},
    {453, 65, 25, 18}, {477, 65, 25, 18}, {54, 85, 56, 18},  {110, 85, 56, 18}, {166, 85, 56, 18},
    {222, 85, 56, 18}, {278, 85, 56, 18}, {334, 85, 56, 18}, {390, 85, 56, 18}, {446, 85, 56, 18},
};

// The combo boxes of both palettes.
constexpr int BoxHeight = 22;

void ShowGradientFace(TShineSpeedButton *button)
{
    if (!button->Colors()->Gradation()) {
        button->Colors()->setGradation(true);
        button->Colors()->setColor(clBtnFace);
    }
    button->setFontColor(clBtnText);
}

bool IsDark(TColor colour)
{
    const int r = int(colour & 0xFF), g = int(colour >> 8 & 0xFF), b = int(colour >> 16 & 0xFF);
    return 299 * r + 587 * g + 114 * b < 128 * 1000;
}

} // namespace

ButtonPalette::ButtonPalette(const char *name, TColor colour, const Palettes::PaletteKind &kind,
                             QWidget *parent)
    : ToolPanel(name, colour, parent), kind_(kind)
{
}

void ButtonPalette::setBoxes(QComboBox *setBox, QComboBox *caseBox)
{
    setBox_ = setBox;
    caseBox_ = caseBox;
}

void ButtonPalette::resetChoices()
{
    caseBox_->setCurrentIndex(0);
}

void ButtonPalette::addButton(const QRect &place)
{
    const int tag = kind_.firstTag + int(buttons_.size());
    const QString prefix =
        &kind_ == &Palettes::TagPalette() ? QStringLiteral("PButton") : QStringLiteral("CButton");
    buttons_ << MakePaletteButton(this, prefix + QString::number(buttons_.size() + 1), tag, place);
}

void ButtonPalette::chainButtonFocus()
{
    // Placed by hand: the layout learns its width from the rightmost control.
    setMinimumWidth(childrenRect().right() + 3);
    QWidget *previous = setBox_;
    for (TShineSpeedButton *button : std::as_const(buttons_)) {
        // Tab only: a mouse click leaves the focus in the text the button writes to.
        button->setFocusPolicy(Qt::TabFocus);
        button->installEventFilter(this);
        setTabOrder(previous, button);
        previous = button;
    }
}

bool ButtonPalette::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<TShineSpeedButton *>(watched);
    if (button == nullptr || !buttons_.contains(button))
        return ToolPanel::eventFilter(watched, event);
    bool menuKey = false;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        menuKey = key->key() == Qt::Key_Menu ||
                  (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
    } else if (event->type() == QEvent::ContextMenu) {
        // A right press has already asked through OnMouseDown.
        menuKey = static_cast<QContextMenuEvent *>(event)->reason() != QContextMenuEvent::Mouse;
    }
    if (!menuKey)
        return false;
    emit definitionRequested(button);
    return true;
}

void ButtonPalette::showFaces(const QList<Palettes::ButtonFace> &faces)
{
    for (qsizetype i = 0; i < buttons_.size() && i < faces.size(); ++i) {
        TShineSpeedButton *button = buttons_[i];
        const Palettes::ButtonFace &face = faces[i];
        button->setCaption(face.caption);
        button->setToolTip(face.defined ? face.tooltip : QString());
        if (!kind_.colourFaces)
            continue;
        if (face.flatColour) {
            button->Colors()->setGradation(false);
            button->Colors()->setColor(*face.flatColour);
            // The caption stays readable on a dark swatch.
            button->setFontColor(IsDark(*face.flatColour) ? clWhite : clBtnText);
        } else {
            ShowGradientFace(button);
        }
    }
}

void ButtonPalette::clearFaces()
{
    for (TShineSpeedButton *button : std::as_const(buttons_)) {
        button->setCaption(QString());
        button->setToolTip(QString());
        ShowGradientFace(button);
    }
}

TagPalette::TagPalette(QWidget *parent) : ButtonPalette("Panel3", clMaroon, Palettes::TagPalette(), parent)
{
    setFixedHeight(107);
    Label1 = makeCaption("Label1", QStringLiteral("QUMOHTML"));
    Label1->move(29, 4);
    SpeedButton23 = new TShineSpeedButton(this);
    SpeedButton23->setObjectName(QStringLiteral("SpeedButton23"));
    SpeedButton23->setCaption(QStringLiteral("？"));
    SpeedButton23->setToolTip(QStringLiteral("HTMLヘルプ"));
    SpeedButton23->setGeometry(6, 5, 17, 13);
    ComboBox2 =
        MakeChoice(this, "ComboBox2", QStringLiteral("タグセット"), {}, QRect(121, 3, 132, BoxHeight));
    ComboBox2->setEditable(true);
    ShineSpeedButton2 = MakeGlyphButton(this, "ShineSpeedButton2", QStringLiteral("新しいタグセット"),
                                        "document-new", QRect(256, 3, 22, 21));
    ShineSpeedButton3 = MakeGlyphButton(this, "ShineSpeedButton3", QStringLiteral("このタグセットを削除"),
                                        "edit-delete", QRect(279, 3, 22, 21));
    ComboBox5 = MakeChoice(this, "ComboBox5", QStringLiteral("大文字小文字"),
                           {QStringLiteral("無変換"), QStringLiteral("小文字"), QStringLiteral("大文字")},
                           QRect(304, 3, 73, BoxHeight));
    Label7 = new QLabel(QStringLiteral("*align*:"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    PaintTextWhite(Label7);
    Label7->move(389, 7);
    ComboBox3 = MakeChoice(
        this, "ComboBox3", QStringLiteral("配置"),
        {QStringLiteral("none.."), QStringLiteral("center"), QStringLiteral("left"), QStringLiteral("right")},
        QRect(437, 3, 64, BoxHeight));
    Label7->setBuddy(ComboBox3);
    setBoxes(ComboBox2, ComboBox5);
    for (const auto &place : TagButtonPlaces)
        addButton(QRect(place[0], place[1], place[2], place[3]));
    ShineSpeedButton1 = MakeGlyphButton(this, "ShineSpeedButton1", QStringLiteral("ブラウザで確認"),
                                        "applications-internet", QRect(3, 70, 49, 33));
    chainButtonFocus();
    connectSetFlow(ShineSpeedButton2, ShineSpeedButton3);
    connect(ComboBox3, &QComboBox::activated, this, &ButtonPalette::editorFocusWanted);
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, &TagPalette::tagCaseChanged);
    connect(SpeedButton23, &TShineSpeedButton::OnClick, this, &TagPalette::tagHelpRequested);
    connect(ShineSpeedButton1, &TShineSpeedButton::OnClick, this, &TagPalette::browserPreviewRequested);
}

int TagPalette::tagCase() const
{
    return ComboBox5->currentIndex();
}

QString TagPalette::alignment() const
{
    return ComboBox3->currentText();
}

void TagPalette::resetChoices()
{
    ComboBox3->setCurrentIndex(0);
    ButtonPalette::resetChoices();
}

void TagPalette::showNewSet()
{
    // Faces from the list: empty for the fresh set, the file's buttons when the name existed.
    loadSet();
    showFaces(Palettes::ButtonFaces(setList(), kind()));
}

void TagPalette::readSettings(const MainWindowSettings &settings)
{
    ComboBox2->setEditText(settings.tagName);
    ComboBox5->setCurrentIndex(settings.htmlChar);
}

void TagPalette::writeSettings(MainWindowSettings &settings) const
{
    settings.tagName = ComboBox2->currentText();
    settings.htmlChar = ComboBox5->currentIndex();
}

ClipPalette::ClipPalette(QWidget *parent) : ButtonPalette("Panel12", clTeal, Palettes::ClipPalette(), parent)
{
    setFixedWidth(156);
    setMinimumHeight(280);
    Label2 = makeCaption("Label2", QStringLiteral("QUMOCLIP"));
    Label2->move(7, 4);
    SpeedButton20 =
        MakeGlyphButton(this, "SpeedButton20", QStringLiteral("ＱＵＭＯＣＬＩＰデータを新しく作る"),
                        "document-new", QRect(110, 3, 20, 21));
    SpeedButton19 = MakeGlyphButton(this, "SpeedButton19", QStringLiteral("このデータを破棄する"),
                                    "edit-delete", QRect(130, 3, 20, 21));
    ComboBox1 =
        MakeChoice(this, "ComboBox1", QStringLiteral("クリップセット"), {}, QRect(3, 26, 151, BoxHeight));
    ComboBox1->setEditable(true);
    ComboBox1->setEditText(QStringLiteral("新規ＱＵＭＯＣＬＩＰデータ"));
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 10; ++row)
            addButton(QRect(column == 0 ? 3 : 79, 53 + 18 * row, 74, 18));
    }
    ComboBox4 =
        MakeChoice(this, "ComboBox4", QStringLiteral("大文字小文字"),
                   {QStringLiteral("無変換"), QStringLiteral("強制小文字"), QStringLiteral("強制大文字")},
                   QRect(8, 236, 101, BoxHeight));
    CheckBox4 = new QCheckBox(QStringLiteral("クリップボードに送る"), this);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    PaintTextWhite(CheckBox4);
    CheckBox4->move(8, 259);
    setBoxes(ComboBox1, ComboBox4);
    chainButtonFocus();
    connectSetFlow(SpeedButton20, SpeedButton19);
}

void ClipPalette::showNewSet()
{
    clearFaces();
}

bool ClipPalette::sendsToClipboard() const
{
    return CheckBox4->isChecked();
}

void ClipPalette::readSettings(const MainWindowSettings &settings)
{
    ComboBox1->setEditText(settings.clipName);
    ComboBox4->setCurrentIndex(settings.clipChar);
    CheckBox4->setChecked(settings.sendClipBoard);
}

void ClipPalette::writeSettings(MainWindowSettings &settings) const
{
    settings.clipName = ComboBox1->currentText();
    settings.clipChar = ComboBox4->currentIndex();
    settings.sendClipBoard = CheckBox4->isChecked();
}
