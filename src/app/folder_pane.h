// The folder pane (Panel13): the folder tree, showing files too. The pane
// starts hidden, so its tree is built when it is first shown.
#pragma once

#include <QWidget>

class TFolderTreeViewEx;

class FolderPane : public QWidget
{
    Q_OBJECT

public:
    // The pane's width beside the editor when it is shown.
    static constexpr int FirstWidth = 185;

    explicit FolderPane(QWidget *parent);

    // Whether a click on `path` in the tree opens it as a document.
    static bool opensOnClick(const QString &path);
    // Selects the document in the tree, or its folder while it has no file.
    void showDocument(const QString &documentPath);
    // Shows the pane beside the editor at the width it had when last hidden
    // (first FirstWidth), selecting the document, or hides it.
    void toggle(const QString &documentPath);
    // The tree's AutoUpDate, kept for the tree until it is built.
    void setAutoUpDate(bool value);

    // The path of the tree's current node; empty while the tree is not built or has none.
    QString currentPath() const;
    // Gives the keyboard focus to the tree, once it is built.
    void focusTree();

signals:
    // A node of the tree was clicked (the tree's OnClick).
    void OnClick(QObject *sender, const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    TFolderTreeViewEx *tree();
    int shownWidth_ = FirstWidth;
    // The tree; null until the pane is first shown.
    TFolderTreeViewEx *FVEx1 = nullptr;

    bool autoUpDate_ = true;
};
