#include "tform3.h"

#include "shell_integration.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "colour_swatch.h"
#include "editor_fonts.h"
#include "font_substitutions.h"
#include "profile_file.h"
#include "radio_group.h"
#include "settings_read.h"
#include "shine_speed_button.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

TForm3::TForm3(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("Form3");
    setWindowTitle(QStringLiteral("About QUMOEDIT"));
    setModal(true);
    QFont formFont;
    formFont.setFamilies(InstalledFamilies(QStringLiteral("ＭＳ Ｐゴシック")));
    formFont.setPixelSize(12);
    setFont(formFont);
    setFixedSize(337, 315);

    OpenDialog1.setBuilder([this] {
        auto *dialog = new QFileDialog(this, QStringLiteral("セカンドブラウザの指定"));
        dialog->setObjectName("OpenDialog1");
        dialog->setFileMode(QFileDialog::ExistingFile);
        // Programs on Linux carry no ".exe"; any file may be the browser.
        dialog->setNameFilter(QStringLiteral("実行ファイル (*)"));
        return dialog;
    });
    pages_.setBuilder([this] { buildPages(); });
}

void TForm3::buildPages()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setFixedSize(337, 281);
    // Tabs at least 60 wide; wider where the font needs it.
    PageControl1->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { min-width: 52px; padding: 2px 4px; }"));
    PageControl1->addTab(createScreenPage(), QStringLiteral("画面設定"));
    PageControl1->addTab(createFunctionPage(), QStringLiteral("機能設定"));
    PageControl1->addTab(createAdvancedPage(), QStringLiteral("高度設定"));
    PageControl1->addTab(createAssociationPage(), QStringLiteral("関連付け"));
    PageControl1->addTab(createCopyrightPage(), QStringLiteral("著作権"));
    layout->addWidget(PageControl1);

    createOkButton();
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(PButton1);
    buttonRow->addStretch();
    layout->addLayout(buttonRow);

    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    connect(PButton1, &TShineSpeedButton::OnClick, this, &TForm3::PButton1Click);

    FormCreate();
    if (optionsHeld_)
        putOptions(options_);
    if (shellChoicesShown_)
        putShellChoices();
    PageControl1->setCurrentIndex(page_);
}

void TForm3::setVisible(bool visible)
{
    // Controls made after the dialog is shown would stay hidden.
    if (visible)
        pages_.build();
    QDialog::setVisible(visible);
}

void TForm3::showPage(Page page)
{
    page_ = page;
    if (pages_.built())
        PageControl1->setCurrentIndex(page);
}

void TForm3::createOkButton()
{
    PButton1 = new TShineSpeedButton(this);
    PButton1->setObjectName("PButton1");
    PButton1->setFixedSize(78, 24);
    PButton1->setCaption(QStringLiteral("OK"));
    QFont bold = font();
    bold.setBold(true);
    PButton1->setFont(bold);
    PButton1->Colors()->setColor(clBtnFace);
    PButton1->Colors()->setGradColor(clBtnShadow);
    PButton1->Colors()->setGradVertical(true);
    PButton1->Colors()->setGradation(true);
    PButton1->PressedColors()->setColor(clBtnShadow);
    PButton1->setActiveFontColor(clAqua);
    // The only button of the dialog: Enter and Space confirm it.
    PButton1->setFocusPolicy(Qt::StrongFocus);
}

void TForm3::FormCreate()
{
    const QStringList choices = EditorFontChoices(QFontDatabase::families());
    ComboBox1->addItems(choices);
    ComboBox1->setCurrentIndex(DefaultEditorFontIndex(choices));
}

void TForm3::LoadSettingsIntoDialog()
{
    ProfileFile ini(iniPath_);
    ini.load();
    // The date format's default is what the field holds.
    const QString dateTime = pages_.built() ? Edit1->text() : options_.dateTime;
    holdOptions(ReadDialogOptions(ini, dateTime));
    readShellIntegration();
    emit optionsChanged(options_);
}

void TForm3::showOptions(const DialogOptions &o)
{
    holdOptions(o);
    emit optionsChanged(options_);
}

void TForm3::holdOptions(const DialogOptions &o)
{
    // Held as the controls would hold it: a true UserColor wins over DefaultColor,
    // and a code without a button selects none, which reads back as the first.
    options_ = o;
    options_.defaultColor = o.defaultColor && !o.userColor;
    for (int *code : {&options_.charCode, &options_.retCode})
        if (*code < 0 || *code >= CodeChoiceCount)
            *code = 0;
    optionsHeld_ = true;
    if (pages_.built())
        putOptions(o);
}

void TForm3::putOptions(const DialogOptions &o)
{
    ComboBox1->setCurrentText(o.editFont);
    CheckBox1->setChecked(o.returnRight);
    CheckBox2->setChecked(o.ruler);
    CheckBoxLineNumbers->setChecked(o.lineNumbers);
    // Set one after the other as two independent switches: a true UserColor
    // wins, and with both false neither button is selected.
    RadioButton1->setAutoExclusive(false);
    RadioButton2->setAutoExclusive(false);
    RadioButton1->setChecked(o.defaultColor && !o.userColor);
    RadioButton2->setChecked(o.userColor);
    RadioButton1->setAutoExclusive(true);
    RadioButton2->setAutoExclusive(true);
    Panel2->setColor(o.fontColor);
    Panel3->setColor(o.backColor);
    CheckBox3->setChecked(o.useTmp);
    CheckBox4->setChecked(o.useAutoHtml);

    CheckBox10->setChecked(o.keySound);
    CheckBox11->setChecked(o.autoIndent);
    CheckBox13->setChecked(o.saveAsHtm);
    Edit1->setText(o.dateTime);
    CheckBox17->setChecked(o.overwriteMes);
    CheckBox16->setChecked(o.secondBrowser);
    Edit2->setText(o.secondBrowserPath);

    CheckBox14->setChecked(o.autoDecode);
    CheckBox15->setChecked(o.decodeAll);
    RadioGroup2->setItemIndex(o.charCode);
    RadioGroup1->setItemIndex(o.retCode);
    CheckBoxNewUtf8->setChecked(o.newUtf8);
}

DialogOptions TForm3::shownOptions() const
{
    DialogOptions o;
    o.editFont = ComboBox1->currentText();
    o.returnRight = CheckBox1->isChecked();
    o.ruler = CheckBox2->isChecked();
    o.lineNumbers = CheckBoxLineNumbers->isChecked();
    o.defaultColor = RadioButton1->isChecked();
    o.userColor = RadioButton2->isChecked();
    o.fontColor = Panel2->Color();
    o.backColor = Panel3->Color();
    o.useTmp = CheckBox3->isChecked();
    o.useAutoHtml = CheckBox4->isChecked();
    o.preTxtProg = options_.preTxtProg;
    o.preHtmProg = options_.preHtmProg;
    o.keySound = CheckBox10->isChecked();
    o.autoIndent = CheckBox11->isChecked();
    o.saveAsHtm = CheckBox13->isChecked();
    o.dateTime = Edit1->text();
    o.overwriteMes = CheckBox17->isChecked();
    o.secondBrowser = CheckBox16->isChecked();
    o.secondBrowserPath = Edit2->text();
    o.autoDecode = CheckBox14->isChecked();
    o.decodeAll = CheckBox15->isChecked();
    // Both groups always have a choice once read; keep the default otherwise.
    o.charCode = std::max(0, RadioGroup2->itemIndex());
    o.retCode = std::max(0, RadioGroup1->itemIndex());
    o.newUtf8 = CheckBoxNewUtf8->isChecked();
    return o;
}

void TForm3::chooseColour(ColourSwatch *swatch)
{
    if (!colorDialog_)
        colorDialog_ = colorDialogOf_ ? colorDialogOf_() : new QColorDialog(this);
    if (colorDialog_->exec() == QDialog::Accepted)
        swatch->setColor(ColorFromQColor(colorDialog_->selectedColor()));
}

void TForm3::Button1Click()
{
    chooseColour(Panel2);
}

void TForm3::Button2Click()
{
    chooseColour(Panel3);
}

void TForm3::Button3Click()
{
    if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty())
        Edit2->setText(OpenDialog1->selectedFiles().constFirst());
}

void TForm3::PButton1Click()
{
    accept();
}

void TForm3::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        PButton1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm3::readShellIntegration()
{
    showShellChoices(ShellIntegration::ReadChoices(
        ShellIntegration::UserPlaces(), QCoreApplication::applicationFilePath(), &options_.preTxtProg));
    // Firefox is the browser here that takes an external source viewer.
    firefoxFound_ = !ShellIntegration::FirefoxUserJs(ShellIntegration::UserPlaces().home).isEmpty();
    if (pages_.built())
        putShellChoices();
}

void TForm3::showShellChoices(const ShellIntegration::Choices &c)
{
    shownChoices_ = c;
    shellChoicesShown_ = true;
    if (pages_.built())
        putShellChoices();
}

void TForm3::putShellChoices()
{
    const ShellIntegration::Choices &c = shownChoices_;
    CheckBox12->setEnabled(firefoxFound_);
    CheckBox12->setToolTip(
        firefoxFound_ ? QString() : QStringLiteral("Firefoxのプロファイルが見つからないため使えません"));
    CheckBox5->setChecked(c.text);
    CheckBox6->setChecked(c.html);
    CheckBox7->setChecked(c.menu);
    CheckBox8->setChecked(c.desktop);
    CheckBox9->setChecked(c.openWith);
    CheckBox12->setChecked(c.viewSource);
}

void TForm3::UpdateShellIntegration()
{
    ShellIntegration::Choices c;
    c.text = CheckBox5->isChecked();
    c.html = CheckBox6->isChecked();
    c.menu = CheckBox7->isChecked();
    c.desktop = CheckBox8->isChecked();
    c.openWith = CheckBox9->isChecked();
    c.viewSource = CheckBox12->isChecked();
    // Unchanged boxes touch no association and say nothing; the shortcuts still follow them, so a
    // ticked one deleted meanwhile comes back.
    const bool changed = c.text != shownChoices_.text || c.html != shownChoices_.html ||
                         c.viewSource != shownChoices_.viewSource;
    const ShellIntegration::Places places = ShellIntegration::UserPlaces();
    const QString program = QCoreApplication::applicationFilePath();
    const ShellIntegration::Applied applied =
        ShellIntegration::Apply(places, program, c, changed, options_.preTxtProg);
    if (!applied.outcome.done())
        showShellMessage(applied.outcome.message +
                         QStringLiteral("\nよって関連付けの設定は反映されません。"));
    // The boxes say what the desktop holds now, whatever was asked.
    showShellChoices(ShellIntegration::ReadChoices(places, program));
    if (applied.pointedHere)
        showShellMessage(QStringLiteral("関連付けの設定が変更されました\nQUMOEDITを削除するときは必ず\n"
                                        "事前に「関連付け」の項の全てのチェックを外して下さい"));
}

void TForm3::showShellMessage(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ShellIntegrationMessage"));
    box.exec();
}

void TForm3::done(int result)
{
    UpdateShellIntegration();
    options_ = shownOptions();
    emit optionsChanged(options_);
    QDialog::done(result);
}

void TForm3::showEvent(QShowEvent *event)
{
    drawAboutIcon();
    QDialog::showEvent(event);
    FormShow();
}

void TForm3::FormShow()
{
    // The first showing reads the file again; later ones keep the user's edits.
    if (!firstShowPending_)
        return;
    firstShowPending_ = false;
    LoadSettingsIntoDialog();
}
