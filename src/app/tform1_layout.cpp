// The main window's regions, docked in the order the panels stack.
#include "button_palette.h"
#include "colour_panel.h"
#include "document_editor.h"
#include "editing_area.h"
#include "folder_pane.h"
#include "preview_pane.h"
#include "search_bar.h"
#include "status_bar.h"
#include "tform1.h"
#include "tool_panels.h"
#include "toolbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

void TForm1::createRegions()
{
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    // The window is never smaller than its shown regions need: below that, a
    // fixed-height palette was drawn over the status bar and toolbar buttons over each other.
    root->setSizeConstraint(QLayout::SetMinimumSize);

    Panel1 = new Toolbar(this);
    Panel10 = new SearchBar(this);
    Panel10->hide();

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(5);
    splitter->setChildrenCollapsible(false);
    Panel13 = new FolderPane(splitter);
    Panel13->hide();
    Panel14 = new EditingArea(splitter);
    RichEdit1 = Panel14->editor();
    Panel2 = Panel14->ruler();
    splitter->addWidget(Panel13);
    splitter->addWidget(Panel14);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({FolderPane::FirstWidth, 664 - FolderPane::FirstWidth});

    auto *besidePreview = new QSplitter(Qt::Horizontal, this);
    besidePreview->setObjectName(QStringLiteral("Splitter2"));
    besidePreview->setHandleWidth(5);
    besidePreview->setChildrenCollapsible(false);
    besidePreview->addWidget(splitter);
    Preview1 = new PreviewPane(RichEdit1, &document_, besidePreview);
    besidePreview->addWidget(Preview1);
    besidePreview->setStretchFactor(0, 1);

    Panel4 = new ColourPanel(this);
    Panel4->hide();
    Panel12 = new ClipPalette(this);
    Panel12->hide();
    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(besidePreview, 1);
    middle->addWidget(Panel4);
    middle->addWidget(Panel12);

    Panel3 = new TagPalette(this);
    Panel3->hide();
    Panel11 = MakeInfoLine(this, {Panel3, Panel12});
    StatusBar1 = new StatusBar(this);

    // Bottom to top: status bar, tag palette, info line.
    root->addWidget(Panel1);
    root->addWidget(Panel10);
    root->addLayout(middle, 1);
    root->addWidget(Panel11);
    root->addWidget(Panel3);
    root->addWidget(StatusBar1);
}
