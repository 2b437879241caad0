#include "tform1.h"

#include "display_blocks.h"
#include "document_loader.h"
#include "editor_keys.h"
#include "editor_settings.h"
#include "editor_units.h"
#include "folder_tree_view.h"
#include "hint_options.h"
#include "icon_theme.h"
#include "long_lines.h"
#include "program_dir.h"
#include "save_format_choice.h"
#include "search_replace.h"
#include "shell_open.h"
#include "shine_speed_button.h"
#include "startup_rules.h"
#include "status_bar.h"
#include "tag_colours.h"
#include "tform3.h"
#include "widget_accessibility.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QSplitter>
#include <QTextBlock>
#include <QTimer>

TForm1::TForm1(QWidget *parent) : QWidget(parent), sounds_(new SoundPlayer(this))
{
    InstallHintOptions();
    InstallWidgetAccessibility();
    InstallIconTheme();
    setObjectName(QStringLiteral("Form1"));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    setFont(font);
    resize(664, 550);
    CreateRegions();
    CreateActions();
    CreateToolbar();
    CreatePopupMenu();
    CreateEditingBehaviour();
    CreateSearchBar();
    CreateDialogs();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();

    document_.attach(RichEdit1->document());
    document_.setReader(ReadDocumentAside);
    document_.setPause([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    new LongLineWrap(RichEdit1);
    RichEdit1->viewport()->installEventFilter(this);
    connect(RichEdit1, &QPlainTextEdit::cursorPositionChanged, this, &TForm1::PoChange);
    connect(RichEdit1, &QPlainTextEdit::blockCountChanged, this, &TForm1::PoChange);
    connect(Panel13, &FolderPane::OnClick, this, &TForm1::FVEx1Click);
    FormCreate();
    CreatePaletteHandlers();
    CreateColourHandlers();
}

// The search must let go of the editor before the editor goes.
TForm1::~TForm1()
{
    search_.reset();
}

void TForm1::setForm3(TForm3 *form3)
{
    Form3 = form3;
    options_ = form3 != nullptr ? static_cast<const EditorOptions *>(form3) : &defaultOptions_;
    document_.setOptions(options_);
    editorKeys_->setOptions(options_);
}

void TForm1::FormCreate()
{
    PButtons = Panel3->buttons();
    CButtons = Panel12->buttons();
    Panel3->ComboBox3->setCurrentIndex(0);
    Panel12->ComboBox4->setCurrentIndex(0);
    Panel3->ComboBox5->setCurrentIndex(0);
}

QString TForm1::StatusPanelText(int index) const
{
    return StatusBar1->text(StatusBar::Panel(index));
}

void TForm1::ShowStatus()
{
    StatusBar1->setPath(DocumentPath);
    ShowDocumentCode();
    setWindowIconText(QFileInfo(DocumentPath).fileName());
    setWindowTitle(QStringLiteral("QUMOEDIT [") + DocumentPath + u']');
    RichEdit1->document()->setModified(false);
    RichEdit1->setFocus();
}

void TForm1::ShowDocumentCode()
{
    StatusBar1->setCode(FormatName(document_.format(), document_.mixedLineEnds()));
}

void TForm1::PoChange()
{
    const QTextCursor cursor = RichEdit1->textCursor();
    const QTextDocument &text = *RichEdit1->document();
    // Lines and columns of the text as stored, whatever its display blocks.
    const qsizetype column = lineColumns_.before(text, cursor.position());
    StatusBar1->setCaretPosition(DisplayBlocks::LineNumber(cursor.block()) + 1,
                                 DisplayBlocks::LineCount(text), column);
}

void TForm1::Timer1Timer()
{
    tagColours_->tick(options_->options().useAutoHtml);
    StatusBar1->setClock(QDateTime::currentDateTime());
}

QString TForm1::ShippedFile(const QString &name) const
{
    return ShippedFilePath(ProgramDir, name);
}

void TForm1::PlayClickSound()
{
    sounds_->Play(ShippedFile(QStringLiteral("click.wav")));
}

void TForm1::UpdateInfoLine()
{
    Panel11->setVisible(!Panel3->isHidden() || !Panel12->isHidden());
}

void TForm1::SSButton15Click()
{
    PlayClickSound();
    // The splitter's handle shows and hides with the pane.
    Panel13->setVisible(Panel13->isHidden());
    if (Panel13->isHidden())
        return;
    const int total = Splitter1->width() - Splitter1->handleWidth();
    Splitter1->setSizes({185, std::max(0, total - 185)});

    Panel13->ShowDocument(DocumentPath);
}

void TForm1::FVEx1Click(QObject *, const QString &path)
{
    if (FolderPane::OpensOnClick(path) && ConfirmSaveChanges())
        LoadDocument(path);
    if (Panel13->FVEx1 != nullptr)
        Panel13->FVEx1->setFocus();
}

void TForm1::SetTagPaletteVisible(bool visible)
{
    Panel3->setVisible(visible);
    UpdateInfoLine();
}

void TForm1::SetClipPaletteVisible(bool visible)
{
    Panel12->setVisible(visible);
    UpdateInfoLine();
}

void TForm1::OpenSettingsDialog()
{
    if (Form3 != nullptr) {
        ::OpenSettingsDialog(*Form3, *this, *RichEdit1, *Panel2);
        // The options may write the document in another code now.
        ShowDocumentCode();
    }
}

void TForm1::SpeedButton21Click()
{
    OpenSettingsDialog();
}

void TForm1::SpeedButton22Click()
{
    OpenDocument(ShippedFile(QStringLiteral("help/index.html")));
}

void TForm1::SpeedButton23Click()
{
    OpenUrl(QUrl::fromLocalFile(ShippedFile(QStringLiteral("help/index.html"))).toString() +
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
        QTimer::singleShot(0, this, &TForm1::CheckDiskChanges);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing waits for a document being read: its questions concern the text being replaced.
    if (loading_ || !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

bool TForm1::FormCloseQuery()
{
    return endingSession_ || ConfirmSaveChanges();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

namespace {

QStringList LocalFiles(const QMimeData *mime)
{
    QStringList paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

void TForm1::HandleDropLater(const QStringList &paths, QPoint dropPoint)
{
    // Questions inside the drop event would hold the file manager's drag
    // until they are answered.
    QTimer::singleShot(0, this, [this, paths, dropPoint] { HandleDroppedFiles(paths, dropPoint); });
}

void TForm1::dropEvent(QDropEvent *event)
{
    event->acceptProposedAction();
    HandleDropLater(LocalFiles(event->mimeData()), event->position().toPoint());
}

bool TForm1::EditorDragEvent(QEvent *event)
{
    // Files dropped on the editor open as documents instead of being pasted
    // as their paths.
    if (!acceptDrops())
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (LocalFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = LocalFiles(drop->mimeData());
        if (paths.isEmpty())
            return false;
        drop->acceptProposedAction();
        HandleDropLater(paths, RichEdit1->viewport()->mapTo(this, drop->position().toPoint()));
        return true;
    }
    default:
        return false;
    }
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == RichEdit1->viewport() && EditorDragEvent(event))
        return true;
    if (CaptionClicked(watched, event)) {
        ColourAllTags();
        return true;
    }
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            OpenDocument(ShippedFile(QStringLiteral("readme.txt")));
        return mouse->button() == Qt::RightButton;
    }
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Image1->rect().contains(mouse->position().toPoint()))
            SpeedButton21Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
