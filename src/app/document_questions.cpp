#include "document_questions.h"

#include "cp932.h"
#include "document_filters.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>

QFileDialog *MakeFileDialog(QWidget *parent, const char *name, const QString &title,
                            QFileDialog::AcceptMode mode)
{
    auto *dialog = new QFileDialog(parent, title);
    dialog->setObjectName(QLatin1String(name));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    // The descriptions already name their patterns.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    // A completion list still open when a typed name is accepted would stay
    // on the screen after the dialog.
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog] {
        for (QCompleter *completer : dialog->findChildren<QCompleter *>())
            completer->popup()->hide();
    });
    return dialog;
}

void StartIn(QFileDialog *dialog, const QString &documentPath)
{
    const QFileInfo info(documentPath);
    if (info.isDir()) {
        dialog->setDirectory(info.absoluteFilePath());
        dialog->selectFile(QString());
        return;
    }
    dialog->setDirectory(info.absolutePath());
    dialog->selectFile(info.fileName());
}

QString FilterAt(int index)
{
    const QStringList filters = DocumentNameFilters();
    return filters.value(index - 1, filters.first());
}

QMessageBox::StandardButton AskSaveChanges(QWidget *parent, const QString &path)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("QUMOEDIT確認"),
                    path + QStringLiteral(" への変更を保存しますか？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("ConfirmSaveChanges"));
    return QMessageBox::StandardButton(box.exec());
}

bool AgreeToLoseUnencodable(QWidget *parent, QStringView text, qsizetype index, const QString &charset)
{
    const Cp932::Unencodable lost = Cp932::DescribeCharacterAt(text, index);
    const QString question =
        QStringLiteral("%1 行目の「%2」(U+%3) など%4で表せない文字は「?」として保存されます。\n"
                       "保存しますか？")
            .arg(lost.line)
            .arg(lost.character)
            .arg(QString::number(QStringView(lost.character).toUcs4().value(0), 16).toUpper(), 4, u'0')
            .arg(charset);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("UnencodableQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool AgreeToReplace(QWidget *parent, const QString &path, bool changedByOther, bool everySave)
{
    const QString question =
        changedByOther ? QStringLiteral("\nは他のプログラムによって変更されています。上書きしますか？")
                       : QStringLiteral("\nは存在します。上書きしますか？");
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), path + question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(changedByOther ? QStringLiteral("ChangedOnDiskQuestion")
                                     : QStringLiteral("OverwriteQuestion"));
    // Yes throws away what the file holds now; only the question F4 asks on
    // every save of the document's own file starts at yes.
    box.setDefaultButton(everySave && !changedByOther ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool AgreeToUpdateCharset(QWidget *parent, const QString &declared, const QString &name)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("QUMOEDIT"),
        QStringLiteral("このページは文字コードを %1 と宣言しています。\n%2 で保存するので、宣言を "
                       "%2 に書き換えますか？")
            .arg(declared, name),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("CharsetQuestion"));
    box.setTextFormat(Qt::PlainText);
    // A browser reads the page by its declaration: left as it is, it shows mojibake.
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool AgreeToReload(QWidget *parent, const QString &path, bool modified)
{
    QString question =
        path + QStringLiteral("\nは他のプログラムによって変更されました。\n読み込み直しますか？");
    if (modified)
        question += QStringLiteral("\n（編集中の変更は失われます）");
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("ReloadQuestion"));
    // Enter must not throw the user's edits away.
    box.setDefaultButton(modified ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void TellNotHtml(QWidget *parent, const QString &path)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("QUMOEDIT"),
                    QStringLiteral("%1\nはHTML文書ではないので、ブラウザで表示できません。\n"
                                   "表示するには、名前を付けて .html として保存してください。")
                        .arg(QDir::toNativeSeparators(path)),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("NotHtmlMessage"));
    box.exec();
}
