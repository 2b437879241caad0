// Start-up, the window's settings read and written, recovery and files dropped on the window.
#include "button_palette.h"
#include "colour_panel.h"
#include "crash_recovery.h"
#include "document_codec.h"
#include "document_files.h"
#include "editing_area.h"
#include "editor_settings.h"
#include "folder_pane.h"
#include "preview_pane.h"
#include "program_dir.h"
#include "recently_used.h"
#include "search_bar.h"
#include "settings_read.h"
#include "settings_write.h"
#include "startup_rules.h"
#include "tag_colours.h"
#include "tform1.h"
#include "tform3.h"
#include "window_placement.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

void TForm1::FormShow()
{
    if (!firstShow_)
        return;
    firstShow_ = false;
    if (ProgramDir.isEmpty())
        ProgramDir = ProgramDirForThisProcess();
    // Neither folder usable: settings stay beside the program, where the
    // close reports that they cannot be written.
    if (ProgramDir.isEmpty())
        ProgramDir = QCoreApplication::applicationDirPath() + u'/';
    IniPath = ProgramDir + QStringLiteral("qumoedit.ini");
    readWindowSettings();

    if (Form3 != nullptr) {
        Form3->setIniPath(IniPath);
        Form3->setColorDialog([this] { return ColorDialog1.get(); });
        Form3->LoadSettingsIntoDialog();
        ApplyEditorSettings(options_.options(), *RichEdit1, *Panel2);
        Form3->showPage(TForm3::CopyrightPage);
    }
    // The program folder is known from the first show on, when the sets are listed first.
    for (ButtonPalette *palette :
         {static_cast<ButtonPalette *>(Panel3), static_cast<ButtonPalette *>(Panel12)}) {
        palette->setProgramDir(ProgramDir);
        palette->listSets();
        palette->loadSet();
    }
    Panel4->showMix();

    // The rest may open modal dialogs: it runs once the window is on screen.
    QTimer::singleShot(0, this, &TForm1::followCommandLine);
}

void TForm1::readWindowSettings()
{
    settingsFileExisted_ = QFileInfo::exists(IniPath);
    const QSize screen = this->screen() != nullptr ? this->screen()->availableSize() : QSize(1024, 768);
    const MainWindowSettings s = ReadMainWindowSettings(IniPath, screen);
    RestoreClientArea(this, QRect(s.x, s.y, s.width, s.height));
    if (s.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    Panel3->setVisible(s.htmlPanel);
    Panel12->setVisible(s.clipPanel);
    Panel4->setVisible(s.colorPanel);
    baseFontSize_ = s.msize;
    document_.setPath(s.pathName);
    Panel12->readSettings(s);
    Panel3->readSettings(s);
    recentFiles_ = s.recentFiles;
    Preview1->readSettings(s);
    Panel14->setTextSize(baseFontSize_);
    Panel10->setFixedHeight(32);
}

void TForm1::followCommandLine()
{
    // The first run's choices are kept at once: a run that ends without closing must not ask again.
    if (!settingsFileExisted_) {
        openSettingsDialog();
        writeSettings();
    }

    const StartRequest request = ParseCommandLine(commandLine_);
    const QString newDocument = StartUpDocumentPath(
        document_.path(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), QDir::homePath(),
        !Panel3->isHidden());
    switch (request.kind) {
    case StartRequest::NoDocument:
        document_.startNew(newDocument);
        break;
    case StartRequest::Setup:
        // The remembered folder: a save goes to save as, even once it is gone.
        if (!document_.path().isEmpty() && !document_.path().endsWith(u'/'))
            document_.setPath(document_.path() + u'/');
        if (Form3 != nullptr) {
            Form3->showPage(TForm3::AssociationPage);
            openSettingsDialog();
        }
        break;
    case StartRequest::Open:
        // A name for a file still to be made, in a folder that exists, is the new document's name.
        if (NamesFileToCreate(request.path)) {
            document_.startNew(request.path);
            break;
        }
        // A file that cannot be opened is not the document: a save must not
        // write over content the editor never held.
        if (!LoadDocument(request.path)) {
            document_.startNew(newDocument);
            break;
        }
        tagColours_->forgetChange();
        if (IsBrowserCachePath(document_.path())) {
            Panel3->hide();
            Panel4->hide();
            Panel12->hide();
            // A page from the browser's cache is coloured even when loading does not colour.
            if (!options_.options().useAutoHtml)
                ColourAllTags();
        }
        break;
    }

    // Loading coloured the tags already; a new document has none.
    ShowStatus();
    PoChange();
    crashRecovery_->offerCopies();
    setAcceptDrops(true);
    emit StartUpFinished();
}

void TForm1::noteRecent(const QString &path)
{
    recentFiles_ = WithRecentFile(recentFiles_, path);
    const QString mime = FileExtension(path).toLower().contains(QStringLiteral("htm"))
                             ? QStringLiteral("text/html")
                             : QStringLiteral("text/plain");
    // The desktop's list is a courtesy: a list that cannot be written is no reason to interrupt the author.
    AddRecentUse(RecentlyUsedPath(), {path, mime, QStringLiteral("QUMOEDIT"),
                                      QStringLiteral("'%1 %u'").arg(QCoreApplication::applicationFilePath()),
                                      QDateTime::currentDateTime()});
}

void TForm1::writeSettings()
{
    const QRect normal = ClientAreaToStore(this);
    const bool maximized = isMaximized();
    MainWindowSettings w;
    w.maximized = maximized;
    w.x = normal.x();
    w.y = normal.y();
    w.width = normal.width();
    w.height = normal.height();
    w.htmlPanel = !Panel3->isHidden();
    w.clipPanel = !Panel12->isHidden();
    w.colorPanel = !Panel4->isHidden();
    w.msize = baseFontSize_;
    Panel3->writeSettings(w);
    Panel12->writeSettings(w);
    w.recentFiles = recentFiles_;
    Preview1->writeSettings(w);
    const DialogOptions options = options_.options();
    if (!SaveSettingsAtClose(IniPath, w, document_.path(), options).done())
        ShowSettingsWriteFailure(this);
}

void TForm1::HandleDroppedFiles(const QStringList &paths, QPoint dropPoint)
{
    if (paths.isEmpty() || files_->loading())
        return;
    const QString path = paths.first();
    if (IsIgnoredDropType(path))
        return;
    if (!Panel13->isHidden() &&
        Panel13->geometry().contains(Panel13->parentWidget()->mapFrom(this, dropPoint)))
        return;
    activateWindow();
    raise();
    if (IsClipSetFile(path)) {
        Panel12->offerDroppedSet(path);
        return;
    }
    if (ConfirmSaveChanges())
        LoadDocument(path);
}

void TForm1::createRecovery()
{
    crashRecovery_ = new CrashRecovery(document_, RichEdit1, this);
    connect(crashRecovery_, &CrashRecovery::failed, this, &TForm1::showFileError);
    connect(crashRecovery_, &CrashRecovery::restored, this, &TForm1::showNewText);
}
