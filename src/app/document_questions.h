// The questions and file dialogs of opening and saving the document. Every
// question whose yes throws text away starts at no.
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>
#include <QStringView>

// "PATH への変更を保存しますか？": Yes, No or Cancel.
QMessageBox::StandardButton AskSaveChanges(QWidget *parent, const QString &path);
// Whether the user lets characters the code `charset` lacks, the first at `index`, be saved as '?'.
bool AgreeToLoseUnencodable(QWidget *parent, QStringView text, qsizetype index, const QString &charset);
// Whether a save may replace the existing file `path`; `everySave` for the
// question F4 asks on each save of the document's own file.
bool AgreeToReplace(QWidget *parent, const QString &path, bool changedByOther, bool everySave);
// Whether a page's charset declaration `declared` becomes `name`, the code it is now written in.
bool AgreeToUpdateCharset(QWidget *parent, const QString &declared, const QString &name);
// Whether to read `path` again after another program changed it.
bool AgreeToReload(QWidget *parent, const QString &path, bool modified);
// Says that a document that is no HTML cannot be shown in a browser.
void TellNotHtml(QWidget *parent, const QString &path);

// A file dialog of the program's own (never the desktop's), named `name`.
QFileDialog *MakeFileDialog(QWidget *parent, const char *name, const QString &title,
                            QFileDialog::AcceptMode mode);
// Starts `dialog` at the document's file, or in its folder.
void StartIn(QFileDialog *dialog, const QString &documentPath);
// The document filter numbered `index` from 1, the first for any other.
QString FilterAt(int index);
