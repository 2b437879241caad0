#include "preview_pane.h"

#include "display_blocks.h"
#include "document.h"
#include "module_folders.h"
#include "preview_loader.h"
#include "settings_values.h"
#include "shell_open.h"

#include <QAction>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedLayout>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

PreviewPane::PreviewPane(QPlainTextEdit *editor, const Document *document, QWidget *parent)
    : QWidget(parent), editor_(editor), document_(document), engineFolders_(ModuleFolders())
{
    setObjectName(QStringLiteral("PreviewPane"));
    hide();
    show_ = new QAction(QStringLiteral("ライブプレビュー"), this);
    show_->setObjectName(QStringLiteral("LivePreview1"));
    show_->setCheckable(true);
    show_->setShortcut(Qt::Key_F6);
    vertical_ = new QAction(QStringLiteral("縦書き"), this);
    vertical_->setObjectName(QStringLiteral("Vertical1"));
    vertical_->setCheckable(true);

    auto *caption = new QLabel(QStringLiteral("ライブプレビュー"), this);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("PreviewNote"));
    auto *verticalButton = new QToolButton(this);
    verticalButton->setObjectName(QStringLiteral("PreviewVertical"));
    verticalButton->setDefaultAction(vertical_);
    auto *bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 2, 2);
    bar->addWidget(caption);
    bar->addWidget(note_, 1);
    bar->addWidget(verticalButton);

    message_ = new QLabel(QStringLiteral("ライブプレビューを準備しています…"), this);
    message_->setObjectName(QStringLiteral("PreviewMessage"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignCenter);
    message_->setMargin(12);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addLayout(bar);
    stack_ = new QStackedLayout;
    root->addLayout(stack_, 1);
    // Into a pane with its layout: a widget shown in one without it is sized
    // at once, and this one's wrapped words are laid out for nothing.
    stack_->addWidget(message_);

    pause_.setSingleShot(true);
    pause_.setInterval(RefreshDelayMs);
    connect(&pause_, &QTimer::timeout, this, &PreviewPane::refresh);
    // A key only restarts the pause: nothing is built while the user types.
    const auto follow = [this] {
        if (isVisible())
            pause_.start();
    };
    connect(editor->document(), &QTextDocument::contentsChange, this, follow);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, follow);
    connect(show_, &QAction::toggled, this, &PreviewPane::setShown);
    connect(vertical_, &QAction::toggled, this, &PreviewPane::refresh);
}

// The engine's view goes first: its page must go before its profile, and
// its events must not reach a pane half destroyed.
PreviewPane::~PreviewPane()
{
    if (engine_ != nullptr)
        delete engine_->widget();
}

void PreviewPane::addCommands(QMenu *popupMenu, const char *before, QWidget *window)
{
    QAction *at = popupMenu->findChild<QAction *>(QLatin1String(before), Qt::FindDirectChildrenOnly);
    if (at == nullptr || !popupMenu->actions().contains(at))
        at = nullptr;
    popupMenu->insertSeparator(at)->setObjectName(QStringLiteral("NPreview"));
    popupMenu->insertActions(at, {show_, vertical_});
    window->addAction(show_);
}

QString PreviewPane::message() const
{
    return stack_->currentWidget() == message_ ? message_->text() : QString();
}

void PreviewPane::readSettings(const MainWindowSettings &settings)
{
    shownWidth_ = settings.previewWidth;
    show_->setChecked(settings.previewShown);
}

void PreviewPane::writeSettings(MainWindowSettings &settings) const
{
    settings.previewShown = !isHidden();
    settings.previewWidth = !isHidden() && width() > 0 ? width() : shownWidth_;
}

void PreviewPane::setShown(bool shown)
{
    if (shown == !isHidden())
        return;
    // The width the user dragged it to comes back with it.
    if (!isHidden() && width() > 0)
        shownWidth_ = width();
    setVisible(shown);
    show_->setChecked(shown);
    if (!shown) {
        pause_.stop();
        return;
    }
    if (auto *splitter = qobject_cast<QSplitter *>(parentWidget());
        splitter != nullptr && splitter->count() == 2) {
        // Before the window is laid out, what the splitter gains goes to the text.
        const int room = splitter->width() - splitter->handleWidth();
        const int pane = shownWidth_ > 0 ? shownWidth_ : room / 2;
        splitter->setSizes({std::max(100, room - pane), pane});
    }
    pause_.start();
}

void PreviewPane::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Loaded once the window has painted what it shows.
    if (!engineTried_) {
        engineTried_ = true;
        QTimer::singleShot(0, this, &PreviewPane::startEngine);
    }
}

void PreviewPane::startEngine()
{
    const LoadedPreviewEngine loaded = LoadPreviewEngine(engineFolders_);
    if (loaded.factory == nullptr) {
        say(loaded.outcome.message);
        return;
    }
    engine_ = loaded.factory->create(this, this);
    stack_->addWidget(engine_->widget());
    refresh();
}

void PreviewPane::refresh()
{
    pause_.stop();
    if (engine_ == nullptr || isHidden())
        return;
    const QString raw = DisplayBlocks::RawText(*editor_->document());
    const QFontInfo font(editor_->font());
    const PreviewLook look{vertical_->isChecked(), font.family(), font.pointSizeF()};
    const DocumentFormat format = document_->format();
    const bool sameFrame =
        made_.valid && document_->path() == made_.path && format == made_.format && look == made_.look;
    if (!sameFrame || raw != made_.raw) {
        MadePreview made = MakePreviewPage(*document_, raw, look);
        // An edit of the text between two markers changes only that part of
        // the page: a large page is not laid out again on every pause.
        std::optional<PreviewPatch> patch;
        if (sameFrame && showing_)
            patch = PreviewCopy::PatchBetween(made_.copy, made.copy);
        if (patch && WrittenAsItStands(*document_, patch->html))
            engine_->patchPage(*patch, made.page);
        else
            engine_->showPage(made.page);
        made_ = {raw, document_->path(), format, look, std::move(made.copy), true};
    }
    engine_->scrollToLine(DisplayBlocks::LineNumber(editor_->textCursor().block()));
}

void PreviewPane::say(const QString &words)
{
    message_->setText(words);
    stack_->setCurrentWidget(message_);
}

void PreviewPane::linkClicked(const QUrl &url)
{
    // As the browse button does: the user's browser, never the pane.
    note_->setText(OpenUrl(url) ? QString()
                                : QStringLiteral("ブラウザを起動できません: %1").arg(url.toDisplayString()));
}

void PreviewPane::failed(const QString &why)
{
    // The same text is not loaded again: a page that hangs would hang again.
    showing_ = false;
    say(why);
}

void PreviewPane::shown()
{
    showing_ = true;
    if (engine_ != nullptr)
        stack_->setCurrentWidget(engine_->widget());
    emit refreshed();
}
