#include "tform1.h"

#include "button_palette.h"
#include "document_files.h"
#include "editor_keys.h"
#include "editor_search.h"
#include "editor_settings.h"
#include "file_drops.h"
#include "folder_pane.h"
#include "folder_tree_view.h"
#include "font_substitutions.h"
#include "hint_options.h"
#include "icon_theme.h"
#include "program_dir.h"
#include "search_bar.h"
#include "shell_open.h"
#include "sound_player.h"
#include "startup_rules.h"
#include "status_bar.h"
#include "tag_colours.h"
#include "tform3.h"
#include "widget_accessibility.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTimer>

TForm1::TForm1(QWidget *parent) : QWidget(parent), sounds_(new SoundPlayer(this))
{
    InstallHintOptions();
    InstallWidgetAccessibility();
    InstallIconTheme();
    setObjectName(QStringLiteral("Form1"));
    QFont font;
    font.setFamilies(InstalledFamilies(QStringLiteral("ＭＳ Ｐゴシック")));
    font.setPixelSize(12);
    setFont(font);
    resize(664, 550);
    createRegions();
    createCommands();
    connectToolbar();
    createEditingBehaviour();
    search_ = std::make_unique<EditorSearch>(Panel10, RichEdit1, tagColours_);
    connect(search_.get(), &EditorSearch::failed, this, &TForm1::showFileError);
    connect(Panel10, &SearchBar::optionToggled, this, &TForm1::PlayClickSound);
    createDialogs();
    createRecovery();
    createHtmlCheck();

    auto *timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    connect(timer, &QTimer::timeout, this, &TForm1::Timer1Timer);
    timer->start(1000);

    document_.attach(RichEdit1->document());
    connect(new FileDrops(this, RichEdit1->viewport()), &FileDrops::dropped, this,
            &TForm1::HandleDroppedFiles);
    connect(RichEdit1, &QPlainTextEdit::cursorPositionChanged, this, &TForm1::PoChange);
    connect(RichEdit1, &QPlainTextEdit::blockCountChanged, this, &TForm1::PoChange);
    connect(Panel13, &FolderPane::OnClick, this, &TForm1::FVEx1Click);
    FormCreate();
    createPaletteHandlers();
    createColourHandlers();
}

// The search must let go of the editor before the editor goes.
TForm1::~TForm1()
{
    search_.reset();
}

void TForm1::setForm3(TForm3 *form3)
{
    Form3 = form3;
    if (form3 == nullptr)
        return;
    options_.set(form3->options());
    connect(form3, &TForm3::optionsChanged, this,
            [this](const DialogOptions &options) { options_.set(options); });
}

void TForm1::FormCreate()
{
    Panel3->resetChoices();
    Panel12->resetChoices();
}

void TForm1::ShowStatus()
{
    StatusBar1->setPath(document_.path(), !document_.holdsFile() && NamesFileToCreate(document_.path()));
    showDocumentCode();
    setWindowIconText(QFileInfo(document_.path()).fileName());
    setWindowTitle(QStringLiteral("QUMOEDIT [") + document_.path() + u']');
    RichEdit1->document()->setModified(false);
    RichEdit1->setFocus();
}

void TForm1::showDocumentCode()
{
    StatusBar1->setCode(FormatName(document_.format(), document_.mixedLineEnds()));
}

void TForm1::PoChange()
{
    StatusBar1->showCaret(*RichEdit1);
}

void TForm1::Timer1Timer()
{
    tagColours_->tick(options_.options().useAutoHtml);
    StatusBar1->setClock(QDateTime::currentDateTime());
}

QString TForm1::shippedFile(const QString &name) const
{
    return ShippedFilePath(ProgramDir, name);
}

void TForm1::PlayClickSound()
{
    sounds_->Play(shippedFile(QStringLiteral("click.wav")));
}

void TForm1::SSButton15Click()
{
    PlayClickSound();
    Panel13->toggle(document_.path());
}

void TForm1::FVEx1Click(QObject *, const QString &path)
{
    if (FolderPane::opensOnClick(path) && ConfirmSaveChanges())
        LoadDocument(path);
    Panel13->focusTree();
}

void TForm1::openSettingsDialog()
{
    if (Form3 != nullptr) {
        ::OpenSettingsDialog(*Form3, *this, *RichEdit1, *Panel2);
        // The options may write the document in another code now.
        showDocumentCode();
    }
}

void TForm1::SpeedButton21Click()
{
    openSettingsDialog();
}

void TForm1::SpeedButton22Click()
{
    OpenDocument(shippedFile(QStringLiteral("help/index.html")));
}

void TForm1::SpeedButton23Click()
{
    OpenUrl(QUrl::fromLocalFile(shippedFile(QStringLiteral("help/index.html"))).toString() +
            QStringLiteral("#tags"));
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    tagColours_->enableNearCaret();
    FormShow();
}

void TForm1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Asked from the event loop: a question inside the activation would
    // deactivate the window again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !firstShow_)
        QTimer::singleShot(0, this, &TForm1::checkDiskChanges);
}
