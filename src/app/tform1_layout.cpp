// The main window's regions, docked in the order the panels stack.
#include "colour_value.h"
#include "tform1.h"

#include "document_editor.h"
#include "font_substitutions.h"
#include "status_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

void TForm1::CreateRegions()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    // The window is never smaller than its shown regions need: below that, a
    // fixed-height palette was drawn over the status bar and toolbar buttons over each other.
    root->setSizeConstraint(QLayout::SetMinimumSize);

    Panel1 = new ToolPanel("Panel1", clTeal, this);
    Panel1->setFixedHeight(35);
    Panel10 = new SearchBar(this);
    Panel10->hide();

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(5);
    Splitter1->setChildrenCollapsible(false);
    Panel13 = new FolderPane(Splitter1);
    Panel13->hide();
    Panel14 = new QWidget(Splitter1);
    Panel14->setObjectName(QStringLiteral("Panel14"));
    Splitter1->addWidget(Panel13);
    Splitter1->addWidget(Panel14);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({185, 479});
    CreateEditingArea();

    Panel4 = new ColourPanel(this);
    Panel4->hide();
    Panel12 = new ClipPalette(this);
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
    Panel3 = new TagPalette(this);
    Panel3->hide();
    StatusBar1 = new StatusBar(this);

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
    Panel2->setAccessibleName(QStringLiteral("ルーラー"));
    // The scale is cut at the right rather than holding the editing area
    // wide: the folder pane must get its width in a small window.
    Panel2->setSizePolicy(QSizePolicy::Ignored, Panel2->sizePolicy().verticalPolicy());
    Panel2->setAutoFillBackground(true);
    Panel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel2->setIndent(4);
    QPalette rulerPalette = Panel2->palette();
    rulerPalette.setColor(QPalette::Window, Qt::black);
    rulerPalette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    Panel2->setPalette(rulerPalette);

    RichEdit1 = new DocumentEditor(Panel14);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAccessibleName(QStringLiteral("本文"));
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setTabChangesFocus(false);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont editorFont;
    editorFont.setFamilies(InstalledFamilies(QStringLiteral("ＭＳ ゴシック")));
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
