#include "folder_search_dialog.h"

#include "file_identity.h"
#include "folder_replace_preview.h"
#include "folder_search_editor.h"
#include "folder_search_results.h"
#include "folder_search_text.h"
#include "stored_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

template <typename Widget> Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Beside the main window, narrowed to the room the screen has there (not
// below a usable width), so that the editor stays in view; else where the
// window manager puts it.
void PlaceBeside(QWidget *dialog, const QWidget *window)
{
    const QScreen *screen = window->screen();
    if (screen == nullptr)
        return;
    const QRect free = screen->availableGeometry();
    const QRect main = window->frameGeometry();
    // The dialog has no frame before it is first shown: take the window's.
    const QSize frame = main.size() - window->geometry().size();
    constexpr int Gap = 4, UsableWidth = 560;
    const int height = std::min(dialog->height(), free.height() - frame.height());
    const int right = free.right() - main.right() - Gap - frame.width();
    const int left = main.left() - free.left() - Gap - frame.width();
    const int width = std::min(dialog->width(), std::max(right, left));
    if (width < UsableWidth)
        return;
    dialog->resize(width, height);
    const int x = right >= left ? main.right() + Gap : main.left() - Gap - frame.width() - width;
    const int y = std::clamp(main.top(), free.top(), free.bottom() - height - frame.height());
    // Before its first showing a window is placed by its inside, as the window's own lies in its frame.
    const QPoint inside = window->geometry().topLeft() - main.topLeft();
    dialog->move(QPoint(x, y) + inside);
}

} // namespace

FolderSearchDialog::FolderSearchDialog(FolderSearchHost host, QWidget *parent)
    : QDialog(parent), host_(std::move(host)), searchRun_(new FolderSearch::SearchRun(this)),
      replaceRun_(new FolderSearch::ReplaceRun(this)), results_(new FolderSearchResults(this))
{
    setObjectName(QStringLiteral("FolderSearchDialog"));
    setWindowTitle(QStringLiteral("フォルダ内検索"));
    build();
    connect(searchRun_, &FolderSearch::SearchRun::found, this, &FolderSearchDialog::found);
    connect(searchRun_, &FolderSearch::SearchRun::progressed, this, &FolderSearchDialog::progressed);
    connect(searchRun_, &FolderSearch::SearchRun::finished, this, &FolderSearchDialog::searched);
    connectReplace();
}

FolderSearchDialog::~FolderSearchDialog() = default;

void FolderSearchDialog::build()
{
    const auto field = [this](const char *name, const QString &caption, int row, QGridLayout *grid) {
        auto *edit = Named(new QLineEdit(this), name);
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    auto *fields = new QGridLayout;
    text_ = field("FolderSearchText", QStringLiteral("検索文字列(&S):"), 0, fields);
    replacement_ = field("FolderSearchReplacement", QStringLiteral("置換後(&R):"), 1, fields);
    folder_ = field("FolderSearchFolder", QStringLiteral("フォルダ(&D):"), 2, fields);
    auto *browse = Named(new QPushButton(QStringLiteral("参照(&B)..."), this), "FolderSearchBrowse");
    fields->addWidget(browse, 2, 2);
    files_ = field("FolderSearchFiles", QStringLiteral("ファイル(&L):"), 3, fields);
    files_->setText(FolderSearch::SearchRequest().files);
    error_ = Named(new QLabel(this), "FolderSearchError");
    error_->setStyleSheet(QStringLiteral("color: #c00000"));
    error_->setTextFormat(Qt::PlainText);
    error_->hide();
    fields->addWidget(error_, 4, 1, 1, 2);

    const auto check = [this](const char *name, const QString &caption, bool on) {
        auto *box = Named(new QCheckBox(caption, this), name);
        box->setChecked(on);
        return box;
    };
    subfolders_ = check("FolderSearchSubfolders", QStringLiteral("サブフォルダも検索(&U)"), true);
    expression_ = check("FolderSearchExpression", QStringLiteral("正規表現(&E)"), false);
    matchCase_ = check("FolderSearchMatchCase", QStringLiteral("Aa区別(&A)"), true);
    width_ = check("FolderSearchWidth", QStringLiteral("全角半角を区別しない(&W)"), false);
    kana_ = check("FolderSearchKana", QStringLiteral("ひらがなカタカナを区別しない(&K)"), false);
    auto *checks = new QHBoxLayout;
    for (QCheckBox *box : {subfolders_, expression_, matchCase_, width_, kana_})
        checks->addWidget(box);
    checks->addStretch();

    start_ = Named(new QPushButton(QStringLiteral("検索"), this), "FolderSearchStart");
    start_->setDefault(true);
    replace_ = Named(new QPushButton(QStringLiteral("置換(&P)..."), this), "FolderReplaceStart");
    replace_->setEnabled(false);
    replace_->setToolTip(QStringLiteral("検索した結果のファイルを置換します"));
    stop_ = Named(new QPushButton(QStringLiteral("中止(&T)"), this), "FolderSearchStop");
    stop_->setEnabled(false);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {start_, replace_, stop_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);

    progress_ = Named(new QLabel(this), "FolderSearchProgress");
    count_ = Named(new QLabel(this), "FolderSearchCount");
    auto *status = new QHBoxLayout;
    status->addWidget(progress_, 1);
    status->addWidget(count_);

    auto *resultsCaption = new QLabel(QStringLiteral("結果(&T):"), this);
    view_ = Named(new QTreeView(this), "FolderSearchResults");
    view_->setModel(results_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setItemDelegateForColumn(FolderSearchResults::Text, new MarkedTextDelegate(view_));
    view_->header()->resizeSection(FolderSearchResults::File, 200);
    view_->header()->resizeSection(FolderSearchResults::Line, 60);
    view_->header()->resizeSection(FolderSearchResults::Column, 50);
    view_->setToolTip(QStringLiteral("Enter かダブルクリックで開きます (Shift で新しいウィンドウ)"));
    view_->installEventFilter(this);
    resultsCaption->setBuddy(view_);
    skippedCaption_ = new QLabel(QStringLiteral("読まなかったもの(&N):"), this);
    skipped_ = Named(new QPlainTextEdit(this), "FolderSearchSkipped");
    skipped_->setReadOnly(true);
    skipped_->setMaximumHeight(90);
    skippedCaption_->setBuddy(skipped_);
    skippedCaption_->hide();
    skipped_->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(checks);
    layout->addLayout(buttons);
    layout->addLayout(status);
    layout->addWidget(resultsCaption);
    layout->addWidget(view_, 1);
    layout->addWidget(skippedCaption_);
    layout->addWidget(skipped_);
    resize(760, 520);

    connect(start_, &QPushButton::clicked, this, &FolderSearchDialog::search);
    connect(stop_, &QPushButton::clicked, this, &FolderSearchDialog::stop);
    connect(replace_, &QPushButton::clicked, this, &FolderSearchDialog::replace);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getExistingDirectory(this, QStringLiteral("検索するフォルダ"), folder_->text());
        if (!chosen.isEmpty())
            folder_->setText(QDir::toNativeSeparators(chosen));
    });
    connect(view_, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        openRow(index, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    // Results stop being those of the fields once a field changes: no replace over them.
    for (QLineEdit *edit : {text_, folder_, files_})
        connect(edit, &QLineEdit::textEdited, this, &FolderSearchDialog::forgetSearch);
    for (QCheckBox *box : {subfolders_, expression_, matchCase_, width_, kana_})
        connect(box, &QCheckBox::toggled, this, &FolderSearchDialog::forgetSearch);
    connect(text_, &QLineEdit::textChanged, this, &FolderSearchDialog::checkPattern);
    connect(expression_, &QCheckBox::toggled, this, &FolderSearchDialog::checkPattern);
}

void FolderSearchDialog::showForWindow()
{
    if (!searchRun_->running() && !writing_)
        folder_->setText(QDir::toNativeSeparators(host_.startFolder()));
    const QString selected = host_.editor->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator) && selected.size() <= 200)
        text_->setText(selected);
    show();
    raise();
    activateWindow();
    if (firstShow_) {
        firstShow_ = false;
        PlaceBeside(this, host_.editor->window());
    }
    text_->setFocus();
    text_->selectAll();
}

TextTools::SearchOptions FolderSearchDialog::options() const
{
    TextTools::SearchOptions o;
    o.matchCase = matchCase_->isChecked();
    o.regularExpression = expression_->isChecked();
    o.ignoreWidth = width_->isChecked();
    o.ignoreKana = kana_->isChecked();
    return o;
}

void FolderSearchDialog::showError(const QString &text)
{
    error_->setText(text);
    error_->setVisible(!text.isEmpty());
}

bool FolderSearchDialog::checkPattern()
{
    const TextTools::SearchPattern pattern = TextTools::SearchPattern::forReplacing(text_->text(), options());
    showError(pattern.errorText());
    text_->setStyleSheet(pattern.errorText().isEmpty() ? QString() : QStringLiteral("background: #ffd0d0"));
    return pattern.isValid();
}

void FolderSearchDialog::search()
{
    if (text_->text().isEmpty() || !checkPattern()) {
        text_->setFocus();
        return;
    }
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(folder_->text().trimmed()));
    if (!QFileInfo(folder).isDir()) {
        showError(QStringLiteral("フォルダ「%1」がありません。").arg(folder));
        folder_->setFocus();
        return;
    }
    FolderSearch::SearchRequest request;
    request.folder = QFileInfo(folder).absoluteFilePath();
    request.files = files_->text();
    request.subfolders = subfolders_->isChecked();
    request.text = text_->text();
    request.options = options();
    request.codes = host_.codes();
    if (const QString held = host_.documentFile(); !held.isEmpty()) {
        request.heldFile = FileIdentity::Of(held);
        request.heldText = TextTools::StoredText(*host_.editor->document());
    }
    results_->clear(request.folder);
    matches_ = 0;
    skipped_->clear();
    skipped_->hide();
    skippedCaption_->hide();
    showCount();
    progress_->setText(FilesProgress(0, 0, false));
    searched_ = request;
    replace_->setEnabled(false);
    setRunning(true);
    searchRun_->start(request);
}

void FolderSearchDialog::stop()
{
    searchRun_->stop();
    replaceRun_->stop();
}

void FolderSearchDialog::setRunning(bool running)
{
    stop_->setEnabled(running);
    start_->setEnabled(!running);
}

void FolderSearchDialog::found(quint64 run, const QList<FolderSearch::FileMatches> &files)
{
    if (run != searchRun_->current())
        return;
    const bool first = results_->rowCount() == 0;
    results_->append(files);
    for (const FolderSearch::FileMatches &file : files)
        matches_ += file.count;
    showCount();
    if (first && results_->rowCount() > 0)
        view_->setCurrentIndex(results_->index(0, 0));
}

void FolderSearchDialog::progressed(quint64 run, const FolderSearch::SearchProgress &progress)
{
    if (run == searchRun_->current())
        progress_->setText(FilesProgress(progress.searched, progress.listed, progress.listingDone));
}

void FolderSearchDialog::showCount()
{
    count_->setText(QStringLiteral("%1 件").arg(Counted(matches_)));
}

void FolderSearchDialog::searched(quint64 run, const FolderSearch::SearchSummary &summary)
{
    if (run != searchRun_->current())
        return;
    setRunning(false);
    QString text =
        QStringLiteral("%1 ファイルを検索し、%2 ファイルに %3 件")
            .arg(Counted(summary.searched), Counted(summary.matchedFiles), Counted(summary.matches));
    if (summary.rows < summary.matches)
        text += QStringLiteral("（初めの %1 件を表示）").arg(Counted(summary.rows));
    if (summary.stopped)
        text += QStringLiteral("。中止しました");
    if (!summary.skipped.isEmpty())
        text += QStringLiteral("。読まなかったもの %1 件").arg(Counted(summary.skipped.size()));
    progress_->setText(text);
    if (!summary.skipped.isEmpty()) {
        skipped_->setPlainText(SkippedText(summary.skipped, searched_ ? searched_->folder : QString()));
        skippedCaption_->show();
        skipped_->show();
    }
    // A stopped search did not see every file: a replace over it would miss some.
    if (summary.stopped)
        searched_.reset();
    replace_->setEnabled(searched_ && summary.matchedFiles > 0);
}

void FolderSearchDialog::forgetSearch()
{
    if (searchRun_->running() || writing_)
        return;
    searched_.reset();
    replace_->setEnabled(false);
}

bool FolderSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Enter opens the match instead of pressing the default button.
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            openRow(view_->currentIndex(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FolderSearchDialog::openRow(const QModelIndex &index, bool newWindow)
{
    const FolderSearchResults::Match match = results_->match(index.row());
    if (match.path.isEmpty())
        return;
    if (newWindow) {
        if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {match.path}))
            QMessageBox::warning(this, windowTitle(), QStringLiteral("新しいウィンドウを開けませんでした。"));
        return;
    }
    if (!host_.open(match.path))
        return;
    FolderSearchEditor::SelectInLine(host_.editor, match.line, match.offset, match.length);
    QWidget *window = host_.editor->window();
    window->raise();
    window->activateWindow();
    host_.editor->setFocus();
}

void FolderSearchDialog::closeEvent(QCloseEvent *event)
{
    // A write in progress finishes the file it is at; the search just stops.
    stop();
    QDialog::closeEvent(event);
}
