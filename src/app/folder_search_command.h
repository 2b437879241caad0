// フォルダ内検索 in the main window: its dialog, made when first asked for,
// searching from the folder pane's folder and opening matches in the window.
#pragma once

class FolderPane;
class QAction;
class QPlainTextEdit;
class TForm1;

void AddFolderSearch(QAction *action, TForm1 *window, QPlainTextEdit *editor, FolderPane *pane);
