#include "tform2.h"

#include "editor_units.h"
#include "placeholder_list.h"
#include "stored_text.h"
#include "tool_panels.h"

#include <QBoxLayout>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

QFont FixedFont(int pixelSize)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(pixelSize);
    return font;
}

QPlainTextEdit *MakeTemplateEditor(QWidget *parent, const char *name)
{
    auto *editor = new QPlainTextEdit(parent);
    editor->setObjectName(QLatin1String(name));
    editor->setFont(FixedFont(13));
    editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setTabChangesFocus(false);
    // The stored selection stays visible while another field has the focus.
    QPalette palette = editor->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    editor->setPalette(palette);
    return editor;
}

// A white bold note; a dark ground keeps it readable on any theme.
QLabel *MakeNote(QWidget *parent, const char *name, const QString &text)
{
    QLabel *label = MakeCaption(parent, name, text);
    label->setCursor(Qt::ArrowCursor);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    label->setPalette(palette);
    return label;
}

QLabel *MakeNumberPanel(QWidget *parent, const char *name)
{
    auto *panel = new QLabel(QStringLiteral("0"), parent);
    panel->setObjectName(QLatin1String(name));
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setAutoFillBackground(true);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedSize(64, 24);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::yellow);
    panel->setPalette(palette);
    QFont font = panel->font();
    font.setBold(true);
    font.setPixelSize(18);
    panel->setFont(font);
    return panel;
}

// The placeholders and what each becomes; activating one writes it into the content.
QTreeWidget *MakePlaceholderList(QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("PlaceholderList"));
    list->setAccessibleName(QStringLiteral("置換文字"));
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("置換文字"), QStringLiteral("置き換わるもの")});
    list->setRootIsDecorated(false);
    list->setWordWrap(true);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (const Palettes::PlaceholderHelp &help : Palettes::PlaceholderList()) {
        auto *item = new QTreeWidgetItem(list, {help.name, help.meaning});
        item->setToolTip(1, help.meaning);
    }
    return list;
}

} // namespace

TForm2::TForm2(std::function<QString()> colourCode, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      colourCode_(std::move(colourCode))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ボタン内容設定"));
    resize(450, 310);
    setSizeGripEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 8);
    auto *top = new QHBoxLayout;
    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedSize(145, 30);
    Panel1->setAlignment(Qt::AlignCenter);
    Edit1 = new QLineEdit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setAccessibleName(QStringLiteral("ボタンの表示名"));
    Edit1->setFont(FixedFont(12));
    Edit1->setGeometry(8, 4, 128, 22);
    auto *label1 = new QLabel(QStringLiteral("ボタンの内容"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto *keys = new QVBoxLayout;
    keys->setSpacing(0);
    keys->addWidget(MakeNote(this, "Label5", QStringLiteral("[CTRL]+[X] : CutText")));
    keys->addWidget(MakeNote(this, "Label6", QStringLiteral("[CTRL]+[C] : CopyText")));
    keys->addWidget(MakeNote(this, "Label7", QStringLiteral("[CTRL]+[V] : PasteText")));
    top->addWidget(Panel1, 0, Qt::AlignTop);
    top->addSpacing(7);
    top->addWidget(label1, 0, Qt::AlignVCenter);
    top->addStretch(1);
    top->addLayout(keys);
    layout->addLayout(top);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 80px; }"));
    auto *content = new QWidget(PageControl1);
    content->setObjectName(QStringLiteral("TabSheet1"));
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(2, 2, 2, 2);
    RichEdit1 = MakeTemplateEditor(content, "RichEdit1");
    RichEdit1->setAccessibleName(QStringLiteral("ボタンの内容"));
    auto *label4 =
        MakeNote(content, "Label4", QStringLiteral("※上のカーソル位置・選択範囲がそのまま反映されます。"));
    auto *numbers = new QHBoxLayout;
    auto *label2 = new QLabel(QStringLiteral("SelectStart："), content);
    label2->setObjectName(QStringLiteral("Label2"));
    Panel2 = MakeNumberPanel(content, "Panel2");
    label2->setBuddy(Panel2);
    auto *label3 = new QLabel(QStringLiteral("SelectLength："), content);
    label3->setObjectName(QStringLiteral("Label3"));
    Panel3 = MakeNumberPanel(content, "Panel3");
    Button3 = new QPushButton(QStringLiteral("QUMOCOLORの色"), content);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setAutoDefault(false);
    numbers->addWidget(label2);
    numbers->addWidget(Panel2);
    numbers->addWidget(label3);
    numbers->addWidget(Panel3);
    numbers->addStretch(1);
    numbers->addWidget(Button3);
    contentLayout->addWidget(RichEdit1, 1);
    contentLayout->addWidget(label4, 0, Qt::AlignLeft);
    contentLayout->addLayout(numbers);
    PageControl1->addTab(content, QStringLiteral("内容"));
    RichEdit2 = MakeTemplateEditor(PageControl1, "RichEdit2");
    RichEdit2->setAccessibleName(QStringLiteral("ヘルプ"));
    PageControl1->addTab(RichEdit2, QStringLiteral("ヘルプ"));
    PlaceholderList = MakePlaceholderList(PageControl1);
    PageControl1->addTab(PlaceholderList, QStringLiteral("置換文字"));
    layout->addWidget(PageControl1, 1);

    auto *buttons = new QHBoxLayout;
    Button1 = new QPushButton(QStringLiteral("登録"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    // Enter inserts a line break in the editors; only a click confirms.
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);
    buttons->addSpacing(128);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(PlaceholderList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { insertPlaceholder(item->text(0)); });

    setTabOrder(Edit1, PageControl1);
    for (QPlainTextEdit *editor : {RichEdit1, RichEdit2}) {
        connect(editor, &QPlainTextEdit::selectionChanged, this, &TForm2::RichEdit1SelectionChange);
        connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &TForm2::RichEdit1SelectionChange);
    }
}

void TForm2::Show(const Palettes::ButtonDefinition &definition, const QString &buttonCaption)
{
    RichEdit1->clear();
    RichEdit2->clear();
    Edit1->setText(definition.caption);
    RichEdit1->setPlainText(definition.content);
    const QString text = TextTools::StoredText(*RichEdit1->document());
    const int start = int(EditorUnits::IndexAt(text, definition.selectStart));
    const int end = start + int(EditorUnits::IndexAt(QStringView(text).mid(start), definition.selectLength));
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
    RichEdit2->setPlainText(definition.help);
    Panel1->setText(buttonCaption);
    RichEdit1SelectionChange();
}

Palettes::ButtonDefinition TForm2::definition() const
{
    // A template keeps its no-break spaces.
    const QString text = TextTools::StoredText(*RichEdit1->document());
    const QTextCursor cursor = RichEdit1->textCursor();
    const QStringView view(text);
    Palettes::ButtonDefinition definition;
    definition.caption = Edit1->text();
    definition.content = text;
    definition.selectStart = int(EditorUnits::Length(view.left(cursor.selectionStart())));
    definition.selectLength = int(EditorUnits::Length(
        view.mid(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart())));
    definition.help = TextTools::StoredText(*RichEdit2->document());
    return definition;
}

void TForm2::Button3Click()
{
    const QString code = u'#' + colourCode_();
    Edit1->setText(code);
    RichEdit1->setPlainText(code);
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(int(EditorUnits::IndexAt(code, 7)));
    RichEdit1->setTextCursor(cursor);
}

void TForm2::insertPlaceholder(const QString &placeholder)
{
    PageControl1->setCurrentIndex(0);
    RichEdit1->insertPlainText(placeholder);
    RichEdit1->setFocus();
}

void TForm2::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    PageControl1->setCurrentIndex(0);
    RichEdit1->setFocus();
}

void TForm2::RichEdit1SelectionChange()
{
    const Palettes::ButtonDefinition now = definition();
    Panel2->setText(QString::number(now.selectStart));
    Panel3->setText(QString::number(now.selectLength));
}
