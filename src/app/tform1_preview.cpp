// The browse button: the document saved, then shown in a browser.
#include "document_codec.h"
#include "tform1.h"

#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QUrl>

void TForm1::ShineSpeedButton1Click()
{
    if (!FileExtension(DocumentPath).toLower().contains(QStringLiteral("htm")))
        return;
    PlayClickSound();
    const DialogOptions options = options_->options();
    const QString target = options.useTmp ? ProgramDir + QStringLiteral("tmp.html") : DocumentPath;
    if (!options.useTmp)
        TextChanged = false;
    // No overwrite question: the preview shows what is being written.
    if (!SaveDocument(target))
        return;
    if (!options.useTmp)
        RichEdit1->document()->setModified(false);
    const bool second =
        options.secondBrowser || QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    // The path is the browser's one argument, never a shell's words.
    if (second && !QProcess::startDetached(options.secondBrowserPath, {target}))
        ShowFileError(
            QStringLiteral("2番目のブラウザ「%"
                           "1」を起動できません。\n設定の「機能設定」でブラウザのパスを確かめてください。")
                .arg(QDir::toNativeSeparators(options.secondBrowserPath)));
    else if (!second && !QDesktopServices::openUrl(QUrl::fromLocalFile(target)))
        ShowFileError(QStringLiteral("%1 "
                                     "を開くブラウザを起動できません。\nブラウザが入っているか、HTMLを開くア"
                                     "プリケーションの設定を確かめてください。")
                          .arg(QDir::toNativeSeparators(target)));
}
