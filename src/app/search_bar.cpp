#include "search_bar.h"

#include "shine_speed_button.h"
#include "tool_panels.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

namespace {

QLabel *WhiteLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    PaintTextWhite(label);
    return label;
}

QLineEdit *Field(QWidget *parent, const char *name, const QString &accessibleName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    return edit;
}

QCheckBox *Check(QWidget *parent, const char *name, const QString &caption, bool checked)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(checked);
    PaintTextWhite(box);
    return box;
}

} // namespace

SearchBar::SearchBar(QWidget *parent) : ToolPanel("Panel10", clMaroon, parent)
{
    setFixedHeight(32);
}

void SearchBar::setVisible(bool visible)
{
    if (visible && Edit1 == nullptr)
        build();
    ToolPanel::setVisible(visible);
}

void SearchBar::build()
{
    Label4 = WhiteLabel(this, "Label4", QStringLiteral("Search："));
    Edit1 = Field(this, "Edit1", QStringLiteral("検索する文字列"));
    ShineSpeedButton4 = MakeCommandButton(this, "ShineSpeedButton4", QStringLiteral("検索"));
    ShineSpeedButton5 = MakeCommandButton(this, "ShineSpeedButton5", QStringLiteral("全彩色"));
    CheckBox1 = Check(this, "CheckBox1", QStringLiteral("置換"), false);
    CheckBox5 = Check(this, "CheckBox5", QStringLiteral("Aa区別"), true);
    CheckBox6 = Check(this, "CheckBox6", QStringLiteral("正規表現"), false);
    CheckBox7 = Check(this, "CheckBox7", QStringLiteral("全角半角を区別しない"), false);
    CheckBox8 = Check(this, "CheckBox8", QStringLiteral("ひらがなカタカナを区別しない"), false);
    Label9 = WhiteLabel(this, "Label9", QString());
    Label9->setTextFormat(Qt::PlainText);
    Label9->setWordWrap(false);
    Label9->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label5 = WhiteLabel(this, "Label5", QStringLiteral("Replace："));
    Edit2 = Field(this, "Edit2", QStringLiteral("置換後の文字列"));
    ShineSpeedButton6 = MakeCommandButton(this, "ShineSpeedButton6", QStringLiteral("置換"));
    ShineSpeedButton7 = MakeCommandButton(this, "ShineSpeedButton7", QStringLiteral("一括置換"));
    Label8 = WhiteLabel(this, "Label8", QStringLiteral("※改行=\"[RET]\""));
    ShineSpeedButton6->setEnabled(replaceEnabled_);
    Label4->setBuddy(Edit1);
    Label5->setBuddy(Edit2);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);
    grid->addWidget(Label4, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(ShineSpeedButton4, 0, 2);
    grid->addWidget(ShineSpeedButton5, 0, 3);
    grid->addWidget(CheckBox1, 0, 4);
    grid->addWidget(CheckBox5, 0, 5);
    grid->addWidget(CheckBox6, 0, 6);
    grid->addWidget(Label9, 1, 1);
    auto *matching = new QHBoxLayout;
    matching->addWidget(CheckBox7);
    matching->addWidget(CheckBox8);
    matching->addStretch(1);
    grid->addLayout(matching, 1, 2, 1, 5);
    grid->addWidget(Label5, 2, 0);
    grid->addWidget(Edit2, 2, 1);
    grid->addWidget(ShineSpeedButton6, 2, 2);
    grid->addWidget(ShineSpeedButton7, 2, 3);
    grid->addWidget(Label8, 2, 4, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setAlignment(Qt::AlignTop);

    const auto edited = [this] {
        emit searchRestarts();
        emit patternEdited(Edit1->text(), options());
    };
    connect(Edit1, &QLineEdit::textChanged, this, edited);
    // Toggled, not clicked: the keyboard, the accessibility bus and code change them too.
    for (QCheckBox *box : {CheckBox1, CheckBox5, CheckBox6, CheckBox7, CheckBox8}) {
        connect(box, &QCheckBox::toggled, this, [this, edited] {
            emit optionToggled();
            edited();
            fitHeight();
        });
    }
    const auto findNext = [this] { emit findNextRequested(Edit1->text(), options()); };
    connect(ShineSpeedButton4, &TShineSpeedButton::OnClick, this, findNext);
    // An input method's Enter commits its text and never reaches returnPressed.
    connect(Edit1, &QLineEdit::returnPressed, this, findNext);
    auto *escape =
        new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &SearchBar::leaveRequested);
    connect(ShineSpeedButton5, &TShineSpeedButton::OnClick, this,
            [this] { emit markAllRequested(Edit1->text(), options()); });
    connect(ShineSpeedButton6, &TShineSpeedButton::OnClick, this,
            [this] { emit replaceRequested(Edit1->text(), Edit2->text(), options()); });
    connect(ShineSpeedButton7, &TShineSpeedButton::OnClick, this,
            [this] { emit replaceAllRequested(Edit1->text(), Edit2->text(), options()); });
    fitHeight();
    TakeTabPlace(this);
}

void SearchBar::setReplaceEnabled(bool enabled)
{
    replaceEnabled_ = enabled;
    if (ShineSpeedButton6 != nullptr)
        ShineSpeedButton6->setEnabled(enabled);
}

TextTools::SearchOptions SearchBar::options() const
{
    // "Aa区別" starts ticked.
    if (CheckBox5 == nullptr)
        return {true};
    return {CheckBox5->isChecked(), CheckBox6->isChecked(), CheckBox7->isChecked(), CheckBox8->isChecked()};
}

void SearchBar::showPatternError(const QString &message)
{
    if (Edit1 == nullptr)
        return;
    Label9->setText(message);
    Label9->setToolTip(message);
    QPalette field = Edit1->palette();
    field.setColor(QPalette::Base,
                   message.isEmpty() ? palette().color(QPalette::Base) : QColor(255, 200, 200));
    field.setColor(QPalette::Text, message.isEmpty() ? palette().color(QPalette::Text) : QColor(Qt::black));
    Edit1->setPalette(field);
}

void SearchBar::fitHeight()
{
    if (CheckBox1 == nullptr)
        return;
    const bool replacing = CheckBox1->isChecked();
    for (QWidget *row : {static_cast<QWidget *>(Label5), static_cast<QWidget *>(Edit2),
                         static_cast<QWidget *>(ShineSpeedButton6), static_cast<QWidget *>(ShineSpeedButton7),
                         static_cast<QWidget *>(Label8)})
        row->setVisible(replacing);
    setFixedHeight(replacing ? 81 : 54);
}

void SearchBar::open(bool withReplace)
{
    setVisible(true);
    if (withReplace)
        CheckBox1->setChecked(true);
    Edit1->setFocus();
    Edit1->selectAll();
}

void SearchBar::toggle()
{
    setVisible(isHidden());
    if (!isHidden())
        Edit1->setFocus();
}
