// The main window's regions, docked in the order the panels stack.
#include "colour_value.h"
#include "tform1.h"

#include "document_editor.h"
#include "elided_label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
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

void TForm1::CreateStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    // As high as its font needs: a fixed 18 pixels cut off underscores and descenders.
    StatusBar1->setMinimumHeight(18);
    const struct
    {
        int width;
        Qt::Alignment alignment;
    } panels[] = {{60, Qt::AlignCenter},
                  {115, Qt::AlignCenter},
                  {130, Qt::AlignCenter},
                  {250, Qt::AlignLeft},
                  {90, Qt::AlignCenter}};
    for (const auto &p : panels) {
        // The path is shortened in its middle, so that its start and its file name show.
        QLabel *label = statusPanels_.size() == 3 ? new ElidedLabel(StatusBar1) : new QLabel(StatusBar1);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(statusPanels_.size()));
        label->setAlignment(p.alignment | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(p.width);
        label->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        // The document's code stays at the right end, past the path.
        if (statusPanels_.size() == 4)
            StatusBar1->addPermanentWidget(label);
        else
            StatusBar1->addWidget(label, statusPanels_.size() == 3 ? 1 : 0);
        statusPanels_ << label;
    }
    // The path gives way: a long path must not squeeze the clock, whose
    // text (the locale's long time format) widens its panel instead.
    statusPanels_[3]->setMinimumWidth(0);
    statusPanels_[3]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // The mode and code panels are as wide as their words (ShowDocumentCode fits the code's), not
    // as their Windows widths: at the default width the path gets room for its start and file name.
    QLabel *mode = statusPanels_[0];
    const int padding = 2 * mode->frameWidth() + 8;
    mode->setMinimumWidth(padding + qMax(mode->fontMetrics().horizontalAdvance(QStringLiteral("挿入")),
                                         mode->fontMetrics().horizontalAdvance(QStringLiteral("上書き"))));
    mode->setText(QStringLiteral("挿入"));
}
