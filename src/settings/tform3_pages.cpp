// The settings tabs of TForm3: controls, captions and the state the form is
// built with.
#include "colour_swatch.h"
#include "font_substitutions.h"
#include "legible_colour.h"
#include "radio_group.h"
#include "tform3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <typename T> T *Named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox *CheckBox(QWidget *parent, const char *name, const QString &caption, bool checked,
                    QBoxLayout *into = nullptr)
{
    auto *box = Named(new QCheckBox(caption, parent), name);
    box->setChecked(checked);
    if (into)
        into->addWidget(box);
    return box;
}

QPushButton *SmallButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = Named(new QPushButton(caption, parent), name);
    button->setFixedSize(22, 19);
    return button;
}

QLabel *Note(QWidget *parent, const QString &text)
{
    auto *note = new QLabel(text, parent);
    note->setWordWrap(true);
    return note;
}

QGroupBox *Group(QWidget *page, const QString &title)
{
    auto *group = new QGroupBox(title, page);
    page->layout()->addWidget(group);
    return group;
}

QVBoxLayout *Column(QWidget *widget)
{
    auto *layout = new QVBoxLayout(widget);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    return layout;
}

QWidget *NewPage()
{
    auto *page = new QWidget;
    Column(page)->setContentsMargins(6, 6, 6, 6);
    return page;
}

void EndPage(QWidget *page)
{
    static_cast<QVBoxLayout *>(page->layout())->addStretch();
}

} // namespace

QWidget *TForm3::createScreenPage()
{
    QWidget *page = NewPage();

    QGroupBox *edit = Group(page, QStringLiteral("編集"));
    auto *editLayout = new QGridLayout(edit);
    editLayout->setContentsMargins(6, 2, 6, 4);
    editLayout->addWidget(new QLabel(QStringLiteral("フォント："), edit), 0, 0);
    ComboBox1 = Named(new QComboBox(edit), "ComboBox1");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    editLayout->addWidget(ComboBox1, 0, 1);
    auto *hint = new QLabel(QStringLiteral("MS ゴシックを推奨"), edit);
    QFont bold = hint->font();
    bold.setBold(true);
    hint->setFont(bold);
    // White as designed where the theme's ground is dark; on a light one white vanishes.
    QPalette hintPalette = hint->palette();
    hintPalette.setColor(QPalette::WindowText,
                         LegibleOn(Qt::white, hintPalette.color(QPalette::Active, QPalette::Window)));
    hint->setPalette(hintPalette);
    editLayout->addWidget(hint, 1, 1);
    CheckBox1 = CheckBox(edit, "CheckBox1", QStringLiteral("右端で折り返す"), true);
    CheckBox2 = CheckBox(edit, "CheckBox2", QStringLiteral("ルーラーを表示"), true);
    editLayout->addWidget(CheckBox1, 2, 0, 1, 2);
    editLayout->addWidget(CheckBox2, 3, 0, 1, 2);
    CheckBoxLineNumbers = CheckBox(edit, "CheckBoxLineNumbers", QStringLiteral("行番号を表示"), false);
    editLayout->addWidget(CheckBoxLineNumbers, 4, 0, 1, 2);
    editLayout->setColumnStretch(1, 1);

    QGroupBox *colours = Group(page, QStringLiteral("画面色"));
    auto *colourLayout = new QGridLayout(colours);
    colourLayout->setContentsMargins(6, 2, 6, 4);
    RadioButton1 = Named(new QRadioButton(QStringLiteral("標準の色設定"), colours), "RadioButton1");
    RadioButton1->setChecked(true);
    RadioButton2 = Named(new QRadioButton(QStringLiteral("ユーザ設定"), colours), "RadioButton2");
    colourLayout->addWidget(RadioButton1, 0, 0, 1, 4);
    colourLayout->addWidget(RadioButton2, 1, 0, 1, 4);
    Panel2 = Named(new ColourSwatch(colours), "Panel2");
    Panel2->setAccessibleName(QStringLiteral("文字色"));
    Panel2->setColor(clWhite);
    Button1 = SmallButton(colours, "Button1", QStringLiteral("▼"));
    Panel3 = Named(new ColourSwatch(colours), "Panel3");
    Panel3->setAccessibleName(QStringLiteral("背景色"));
    Panel3->setColor(clBlack);
    Button2 = SmallButton(colours, "Button2", QStringLiteral("▼"));
    colourLayout->addWidget(new QLabel(QStringLiteral("文字色："), colours), 2, 0);
    colourLayout->addWidget(Panel2, 2, 1);
    colourLayout->addWidget(Button1, 2, 2);
    colourLayout->addWidget(new QLabel(QStringLiteral("背景色："), colours), 3, 0);
    colourLayout->addWidget(Panel3, 3, 1);
    colourLayout->addWidget(Button2, 3, 2);
    colourLayout->setColumnStretch(3, 1);

    EndPage(page);
    return page;
}

QWidget *TForm3::createFunctionPage()
{
    QWidget *page = NewPage();

    auto *row = new QHBoxLayout;
    static_cast<QVBoxLayout *>(page->layout())->addLayout(row);
    auto *functions = new QGroupBox(QStringLiteral("機能"), page);
    QVBoxLayout *functionLayout = Column(functions);
    CheckBox10 = CheckBox(functions, "CheckBox10", QStringLiteral("キークリック音"), true, functionLayout);
    CheckBox11 = CheckBox(functions, "CheckBox11", QStringLiteral("オートインデント"), true, functionLayout);
    CheckBox17 = CheckBox(functions, "CheckBox17", QStringLiteral("上書き時確認"), false, functionLayout);
    row->addWidget(functions);

    auto *right = new QVBoxLayout;
    row->addLayout(right, 1);
    auto *extension = new QGroupBox(QStringLiteral("拡張子"), page);
    Column(extension);
    CheckBox13 = CheckBox(extension, "CheckBox13", QStringLiteral("HTMLファイルは「.htm」"), false);
    extension->layout()->addWidget(CheckBox13);
    auto *dateTime = new QGroupBox(QStringLiteral("日付と時刻"), page);
    Column(dateTime);
    Edit1 = Named(new QLineEdit(DialogOptions().dateTime, dateTime), "Edit1");
    QFont fixedPitch;
    fixedPitch.setFamilies(InstalledFamilies(QStringLiteral("ＭＳ ゴシック")));
    fixedPitch.setPixelSize(12);
    Edit1->setFont(fixedPitch);
    dateTime->layout()->addWidget(Edit1);
    right->addWidget(extension);
    right->addWidget(dateTime);

    QGroupBox *browser = Group(page, QStringLiteral("ブラウザ連携"));
    QVBoxLayout *browserLayout = Column(browser);
    CheckBox3 = CheckBox(browser, "CheckBox3", QStringLiteral("上書きを行わずテンポラリファイルを渡す。"),
                         false, browserLayout);
    CheckBox16 =
        CheckBox(browser, "CheckBox16", QStringLiteral("セカンドブラウザを使う"), false, browserLayout);
    auto *pathRow = new QHBoxLayout;
    Edit2 = Named(new QLineEdit(browser), "Edit2");
    Button3 = SmallButton(browser, "Button3", QStringLiteral("..."));
    pathRow->addWidget(Edit2);
    pathRow->addWidget(Button3);
    browserLayout->addLayout(pathRow);
    browserLayout->addWidget(
        Note(browser, QStringLiteral("※ OFF中でもShiftを押しながらBrowseボタンで機能します。")));

    EndPage(page);
    return page;
}

QWidget *TForm3::createAdvancedPage()
{
    QWidget *page = NewPage();

    QGroupBox *encoding = Group(page, QStringLiteral("エンコード設定"));
    QVBoxLayout *encodingLayout = Column(encoding);
    CheckBox14 =
        CheckBox(encoding, "CheckBox14", QStringLiteral("読み込み時にSJISに自動変換 (EUCが読めます)"), false,
                 encodingLayout);
    CheckBox15 = CheckBox(encoding, "CheckBox15", QStringLiteral("これらの設定をHTMLファイル以外にも適用"),
                          false, encodingLayout);
    RadioGroup2 = Named(new RadioGroup(QStringLiteral("保存時文字コード"),
                                       {QStringLiteral("SJIS  (Win&&Mac)"), QStringLiteral("JIS"),
                                        QStringLiteral("EUC     (Unix)")},
                                       encoding),
                        "RadioGroup2");
    RadioGroup1 = Named(new RadioGroup(QStringLiteral("保存時改行コード"),
                                       {QStringLiteral("CR+LF  (Win)"), QStringLiteral("CR       (Mac)"),
                                        QStringLiteral("LF       (Unix)")},
                                       encoding),
                        "RadioGroup1");
    RadioGroup2->setItemIndex(0);
    RadioGroup1->setItemIndex(0);
    auto *codes = new QHBoxLayout;
    codes->addWidget(RadioGroup2);
    codes->addWidget(RadioGroup1);
    encodingLayout->addLayout(codes);
    CheckBoxNewUtf8 = CheckBox(encoding, "CheckBoxNewUtf8",
                               QStringLiteral("新規作成する文書をUTF-8 (LF) にする"), false, encodingLayout);

    QGroupBox *colouring = Group(page, QStringLiteral("HTML着色"));
    QVBoxLayout *colouringLayout = Column(colouring);
    CheckBox4 = CheckBox(colouring, "CheckBox4", QStringLiteral("HTMLに着色する。"), false, colouringLayout);
    colouringLayout->addWidget(Note(colouring, QStringLiteral("※HTML着色は実験的に付けております。")));
    colouringLayout->addWidget(Note(colouring, QStringLiteral("未完成なので使用はお勧めしません(^^;")));

    EndPage(page);
    return page;
}

QWidget *TForm3::createAssociationPage()
{
    QWidget *page = NewPage();

    QGroupBox *shell = Group(page, QStringLiteral("関連付け＆ショートカット"));
    QVBoxLayout *shellLayout = Column(shell);
    CheckBox5 = CheckBox(shell, "CheckBox5", QStringLiteral("テキスト文書（ｔｘｔ）をQUMOEDITで開く"), false,
                         shellLayout);
    CheckBox6 =
        CheckBox(shell, "CheckBox6", QStringLiteral("HTMLの編集にQUMOEDITを使う"), false, shellLayout);
    CheckBox12 = CheckBox(shell, "CheckBox12", QStringLiteral("ソースの表示にQUMOEDITを使う (Firefox)"),
                          false, shellLayout);
    CheckBox7 = CheckBox(shell, "CheckBox7", QStringLiteral("スタートメニューに登録する"), true, shellLayout);
    CheckBox8 =
        CheckBox(shell, "CheckBox8", QStringLiteral("デスクトップにショートカットを作る"), true, shellLayout);
    CheckBox9 =
        CheckBox(shell, "CheckBox9", QStringLiteral("右クリックメニューにQUMOEDITを追加"), true, shellLayout);

    page->layout()->addWidget(Note(page, QStringLiteral("※ 「！」ボタンを押すことで後でも変更できます。")));
    page->layout()->addWidget(Note(page, QStringLiteral("アンインストールする前に全てオフにして下さい。")));

    EndPage(page);
    return page;
}
