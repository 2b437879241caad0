#include "tool_panels.h"

#include "document_codec.h"
#include "folder_tree_view.h"
#include "palette_kind.h"
#include "settings_values.h"
#include "shine_speed_button.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>

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

QComboBox *MakeChoice(QWidget *parent, const char *name, const QString &accessibleName,
                      const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(accessibleName);
    box->addItems(items);
    return box;
}

} // namespace

TShineSpeedButton *MakePaletteButton(QWidget *parent, const QString &name, int tag, const QRect &place)
{
    auto *button = new TShineSpeedButton(parent);
    button->setObjectName(name);
    button->setTag(tag);
    button->setGeometry(place);
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

TagPalette::TagPalette(QWidget *parent) : ToolPanel("Panel3", clMaroon, parent)
{
    setFixedHeight(107);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    Label1 = MakeCaption(this, "Label1", QStringLiteral("QUMOHTML"));
    SpeedButton23 = new TShineSpeedButton(this);
    SpeedButton23->setObjectName(QStringLiteral("SpeedButton23"));
    SpeedButton23->setCaption(QStringLiteral("？"));
    SpeedButton23->setToolTip(QStringLiteral("HTMLヘルプ"));
    SpeedButton23->setFixedSize(18, 20);
    ComboBox2 = MakeChoice(this, "ComboBox2", QStringLiteral("タグセット"), {});
    ComboBox2->setEditable(true);
    ComboBox5 = MakeChoice(this, "ComboBox5", QStringLiteral("大文字小文字"),
                           {QStringLiteral("無変換"), QStringLiteral("小文字"), QStringLiteral("大文字")});
    ComboBox3 = MakeChoice(this, "ComboBox3", QStringLiteral("配置"),
                           {QStringLiteral("none.."), QStringLiteral("center"), QStringLiteral("left"),
                            QStringLiteral("right")});
    row->addWidget(Label1);
    row->addWidget(SpeedButton23);
    row->addWidget(ComboBox2);
    row->addWidget(ComboBox5);
    row->addWidget(ComboBox3);
    row->addStretch(1);
    row->setAlignment(Qt::AlignTop);
    for (int i = 0; i < 40; ++i) {
        const int *place = TagButtonPlaces[i];
        MakePaletteButton(this, QStringLiteral("PButton%1").arg(i + 1), Palettes::TagPalette().firstTag + i,
                          QRect(place[0], place[1], place[2], place[3]));
    }
    // The browse button at the lower left: a glyph and no caption.
    ShineSpeedButton1 = new TShineSpeedButton(this);
    ShineSpeedButton1->setObjectName(QStringLiteral("ShineSpeedButton1"));
    ShineSpeedButton1->setGeometry(3, 70, 49, 33);
    ShineSpeedButton1->setToolTip(QStringLiteral("ブラウザで確認"));
    ShineSpeedButton1->setGlyph(
        QIcon::fromTheme(QStringLiteral("applications-internet")).pixmap(QSize(24, 24)).toImage());
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

ClipPalette::ClipPalette(QWidget *parent) : ToolPanel("Panel12", clTeal, parent)
{
    setFixedWidth(156);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    Label2 = MakeCaption(this, "Label2", QStringLiteral("QUMOCLIP"));
    ComboBox1 = MakeChoice(this, "ComboBox1", QStringLiteral("クリップセット"), {});
    ComboBox1->setEditable(true);
    ComboBox4 =
        MakeChoice(this, "ComboBox4", QStringLiteral("大文字小文字"),
                   {QStringLiteral("無変換"), QStringLiteral("強制小文字"), QStringLiteral("強制大文字")});
    CheckBox4 = new QCheckBox(QStringLiteral("クリップボードに送る"), this);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    PaintTextWhite(CheckBox4);
    column->addWidget(Label2);
    column->addWidget(ComboBox1);
    column->addWidget(ComboBox4);
    column->addWidget(CheckBox4);
    column->addStretch(1);
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

ColourPanel::ColourPanel(QWidget *parent) : ToolPanel("Panel4", clOlive, parent)
{
    setFixedWidth(160);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    Label3 = MakeCaption(this, "Label3", QStringLiteral("QUMOCOLOR"));
    column->addWidget(Label3);
    column->addStretch(1);
}

FolderPane::FolderPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel13"));
    FVEx1 = new TFolderTreeViewEx(this);
    FVEx1->setObjectName(QStringLiteral("FVEx1"));
    FVEx1->setShowFile(true);
    FVEx1->setShellRun(true);
    FVEx1->setRootIsDecorated(false);
    FVEx1->setShowRootFolder(false);
    FVEx1->setIndentation(19);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FVEx1);
}

bool FolderPane::OpensOnClick(const QString &path)
{
    static const QStringList opened{".txt", ".htm", ".html", ".pl", ".cgi"};
    return QFileInfo(path).isFile() && opened.contains(FileExtension(path).toLower());
}

void FolderPane::ShowDocument(const QString &documentPath)
{
    const QFileInfo document(documentPath);
    FVEx1->SetSelected(document.exists() ? documentPath : document.absolutePath() + u'/');
}
