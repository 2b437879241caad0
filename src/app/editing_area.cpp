#include "editing_area.h"

#include "document_editor.h"
#include "font_substitutions.h"
#include "long_lines.h"
#include "typing_rules.h"

#include <QLabel>
#include <QVBoxLayout>

EditingArea::EditingArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel14"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ruler_ = new QLabel(
        QStringLiteral("・・・・５・・・・10・・・・15・・・・20・・・・25・・・・30・・・・35・・・・40"),
        this);
    ruler_->setObjectName(QStringLiteral("Panel2"));
    ruler_->setAccessibleName(QStringLiteral("ルーラー"));
    // The scale is cut at the right rather than holding the editing area
    // wide: the folder pane must get its width in a small window.
    ruler_->setSizePolicy(QSizePolicy::Ignored, ruler_->sizePolicy().verticalPolicy());
    ruler_->setAutoFillBackground(true);
    ruler_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ruler_->setIndent(4);
    QPalette rulerPalette = ruler_->palette();
    rulerPalette.setColor(QPalette::Window, Qt::black);
    rulerPalette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    ruler_->setPalette(rulerPalette);

    editor_ = new DocumentEditor(this);
    editor_->setObjectName(QStringLiteral("RichEdit1"));
    editor_->setAccessibleName(QStringLiteral("本文"));
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor_->setTabChangesFocus(false);
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont editorFont;
    editorFont.setFamilies(InstalledFamilies(QStringLiteral("ＭＳ ゴシック")));
    editorFont.setPixelSize(12);
    editorFont.setStyleHint(QFont::TypeWriter);
    editor_->setFont(editorFont);
    ruler_->setFont(editorFont);
    // The selection stays visible while another control has the focus.
    QPalette editorPalette = editor_->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        editorPalette.setColor(QPalette::Inactive, role, editorPalette.color(QPalette::Active, role));
    editor_->setPalette(editorPalette);
    new LongLineWrap(editor_);

    layout->addWidget(ruler_);
    layout->addWidget(editor_, 1);
}

void EditingArea::setTextSize(int points)
{
    QFont editorFont = editor_->font();
    editorFont.setPointSize(points);
    editor_->setFont(editorFont);
    QFont rulerFont = ruler_->font();
    rulerFont.setPointSize(points);
    ruler_->setFont(rulerFont);
    // Text size + 2 would clip the scale's glyphs at this resolution.
    ruler_->setFixedHeight(QFontMetrics(rulerFont).height() + 2);
}

void EditingArea::stepTextSize()
{
    setTextSize(TextTools::NextTextSize(editor_->font().pointSize()));
}
