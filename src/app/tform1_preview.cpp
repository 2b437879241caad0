// The browse button: the document saved, then shown in a browser.
#include "document_codec.h"
#include "document_files.h"
#include "document_questions.h"
#include "shell_open.h"
#include "tag_colours.h"
#include "tform1.h"

#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>

void TForm1::ShineSpeedButton1Click()
{
    PlayClickSound();
    if (!FileExtension(DocumentPath).toLower().contains(QStringLiteral("htm"))) {
        TellNotHtml(this, DocumentPath);
        return;
    }
    const DialogOptions options = options_->options();
    const QString target = options.useTmp ? ProgramDir + QStringLiteral("tmp.html") : DocumentPath;
    // Written over the document's file, the page is saved as F4 saves it (a
    // file another program changed is not overwritten unasked), but without
    // the overwrite question: the preview shows what is being written.
    if (options.useTmp ? !SaveDocument(target) : !files_->saveInPlace(false))
        return;
    if (!options.useTmp)
        tagColours_->forgetChange();
    const bool second =
        options.secondBrowser || QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    // The path is the browser's one argument, never a shell's words.
    if (second && !StartProgram(options.secondBrowserPath, {target}))
        ShowFileError(
            QStringLiteral("2番目のブラウザ「%"
                           "1」を起動できません。\n設定の「機能設定」でブラウザのパスを確かめてください。")
                .arg(QDir::toNativeSeparators(options.secondBrowserPath)));
    else if (!second && !OpenDocument(target))
        ShowFileError(QStringLiteral("%1 "
                                     "を開くブラウザを起動できません。\nブラウザが入っているか、HTMLを開くア"
                                     "プリケーションの設定を確かめてください。")
                          .arg(QDir::toNativeSeparators(target)));
}
