// The main window's regions, docked in the order the panels stack.
#include "colour_value.h"
#include "tform1.h"

#include "document_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QWidget *MakePanel(QWidget *parent, const char *name, TColor colour)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ColorToQColor(colour, palette));
    panel->setPalette(palette);
    return panel;
}

QLabel *MakeCaption(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

QComboBox *MakeChoice(QWidget *parent, const char *name, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    return box;
}

} // namespace

void TForm1::CreateRegions()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    // Docked regions never stop the user from making the window small.
    root->setSizeConstraint(QLayout::SetNoConstraint);

    Panel1 = MakePanel(this, "Panel1", clTeal);
    Panel1->setFixedHeight(35);
    Panel10 = MakePanel(this, "Panel10", clMaroon);
    Panel10->hide();

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    Panel13 = new QWidget(Splitter1);
    Panel13->setObjectName(QStringLiteral("Panel13"));
    Panel13->hide();
    Panel14 = new QWidget(Splitter1);
    Panel14->setObjectName(QStringLiteral("Panel14"));
    Splitter1->addWidget(Panel13);
    Splitter1->addWidget(Panel14);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({185, 479});
    CreateEditingArea();

    Panel4 = MakePanel(this, "Panel4", clOlive);
    Panel4->setFixedWidth(160);
    Panel4->hide();
    Panel12 = MakePanel(this, "Panel12", clTeal);
    Panel12->setFixedWidth(156);
    Panel12->hide();
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(Splitter1, 1);
    middle->addWidget(Panel4);
    middle->addWidget(Panel12);

    Panel11 = new QLabel(this);
    Panel11->setObjectName(QStringLiteral("Panel11"));
    Panel11->setFixedHeight(19);
    Panel11->setAutoFillBackground(true);
    QPalette infoPalette = Panel11->palette();
    infoPalette.setColor(QPalette::Window, Qt::black);
    infoPalette.setColor(QPalette::WindowText, Qt::yellow);
    Panel11->setPalette(infoPalette);
    Panel11->hide();
    Panel3 = MakePanel(this, "Panel3", clMaroon);
    Panel3->setFixedHeight(107);
    Panel3->hide();
    CreatePalettePanels();
    CreateStatusBar();

    // Bottom to top: status bar, tag palette, info line.
    root->addWidget(Panel1);
    root->addWidget(Panel10);
    root->addLayout(middle, 1);
    root->addWidget(Panel11);
    root->addWidget(Panel3);
    root->addWidget(StatusBar1);
}

void TForm1::CreateEditingArea()
{
    auto *layout = new QVBoxLayout(Panel14);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel2 = new QLabel(
        QStringLiteral("・・・・５・・・・10・・・・15・・・・20・・・・25・・・・30・・・・35・・・・40"),
        Panel14);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    Panel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel2->setIndent(4);
    QPalette rulerPalette = Panel2->palette();
    rulerPalette.setColor(QPalette::Window, Qt::black);
    rulerPalette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    Panel2->setPalette(rulerPalette);

    RichEdit1 = new DocumentEditor(Panel14);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setTabChangesFocus(false);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont editorFont(QStringLiteral("ＭＳ ゴシック"));
    editorFont.setPixelSize(12);
    editorFont.setStyleHint(QFont::TypeWriter);
    RichEdit1->setFont(editorFont);
    Panel2->setFont(editorFont);
    // The selection stays visible while another control has the focus.
    QPalette editorPalette = RichEdit1->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        editorPalette.setColor(QPalette::Inactive, role, editorPalette.color(QPalette::Active, role));
    RichEdit1->setPalette(editorPalette);

    layout->addWidget(Panel2);
    layout->addWidget(RichEdit1, 1);
}

void TForm1::CreatePalettePanels()
{
    // Tag palette: its buttons come with the palettes; the choices the
    // settings file keeps are here from the start.
    auto *tagRow = new QHBoxLayout(Panel3);
    tagRow->setContentsMargins(4, 2, 4, 2);
    Label1 = MakeCaption(Panel3, "Label1", QStringLiteral("QUMOHTML"));
    ComboBox2 = MakeChoice(Panel3, "ComboBox2", {});
    ComboBox2->setEditable(true);
    ComboBox5 = MakeChoice(Panel3, "ComboBox5",
                           {QStringLiteral("無変換"), QStringLiteral("小文字"), QStringLiteral("大文字")});
    ComboBox3 = MakeChoice(Panel3, "ComboBox3",
                           {QStringLiteral("none.."), QStringLiteral("center"), QStringLiteral("left"),
                            QStringLiteral("right")});
    tagRow->addWidget(Label1);
    tagRow->addWidget(ComboBox2);
    tagRow->addWidget(ComboBox5);
    tagRow->addWidget(ComboBox3);
    tagRow->addStretch(1);
    tagRow->setAlignment(Qt::AlignTop);

    auto *clipColumn = new QVBoxLayout(Panel12);
    clipColumn->setContentsMargins(4, 4, 4, 4);
    Label2 = MakeCaption(Panel12, "Label2", QStringLiteral("QUMOCLIP"));
    ComboBox1 = MakeChoice(Panel12, "ComboBox1", {});
    ComboBox1->setEditable(true);
    ComboBox4 =
        MakeChoice(Panel12, "ComboBox4",
                   {QStringLiteral("無変換"), QStringLiteral("強制小文字"), QStringLiteral("強制大文字")});
    CheckBox4 = new QCheckBox(QStringLiteral("クリップボードに送る"), Panel12);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    QPalette checkPalette = CheckBox4->palette();
    checkPalette.setColor(QPalette::WindowText, Qt::white);
    CheckBox4->setPalette(checkPalette);
    clipColumn->addWidget(Label2);
    clipColumn->addWidget(ComboBox1);
    clipColumn->addWidget(ComboBox4);
    clipColumn->addWidget(CheckBox4);
    clipColumn->addStretch(1);

    auto *colourColumn = new QVBoxLayout(Panel4);
    colourColumn->setContentsMargins(4, 4, 4, 4);
    Label3 = MakeCaption(Panel4, "Label3", QStringLiteral("QUMOCOLOR"));
    colourColumn->addWidget(Label3);
    colourColumn->addStretch(1);
}

void TForm1::CreateStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(18);
    const struct
    {
        int width;
        Qt::Alignment alignment;
    } panels[] = {
        {60, Qt::AlignCenter}, {115, Qt::AlignCenter}, {130, Qt::AlignCenter}, {250, Qt::AlignLeft}};
    for (const auto &p : panels) {
        auto *label = new QLabel(StatusBar1);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(statusPanels_.size()));
        label->setAlignment(p.alignment | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        // A longer clock text (locale) widens its panel instead of being cut.
        label->setMinimumWidth(p.width);
        label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        StatusBar1->addWidget(label, statusPanels_.size() == 3 ? 1 : 0);
        statusPanels_ << label;
    }
    statusPanels_[0]->setText(QStringLiteral("挿入"));
}
