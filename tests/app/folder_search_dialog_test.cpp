// The folder search window on a real tree: its fields reached by name and Tab,
// results listed and opened, and a replace that changes the window's own
// document in its editor as one undo step.
#include "cp932.h"
#include "folder_search_dialog.h"
#include "home_trash.h"
#include "modal_answers.h"
#include "test_files.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QPlainTextEdit editor;
    QString held; // the file the editor's document holds
    QStringList opened;
    std::unique_ptr<FolderSearchDialog> dialog;

    explicit Fixture(const QString &heldText = {})
    {
        editor.setPlainText(heldText);
        FolderSearchHost host;
        host.editor = &editor;
        host.documentFile = [this] { return held; };
        host.startFolder = [this] { return dir.path(); };
        host.codes = [] { return DocumentCodeOptions{}; };
        host.open = [this](const QString &path) {
            opened.append(path);
            editor.setPlainText(QString::fromUtf8(ReadFileBytes(path)));
            return true;
        };
        dialog = std::make_unique<FolderSearchDialog>(std::move(host), nullptr);
    }
    template <typename W> W *child(const char *name) { return dialog->findChild<W *>(QLatin1String(name)); }
    void search(const QString &text)
    {
        dialog->showForWindow();
        child<QLineEdit>("FolderSearchText")->setText(text);
        child<QPushButton>("FolderSearchStart")->click();
        EXPECT_TRUE(QTest::qWaitFor([this] { return child<QPushButton>("FolderSearchStart")->isEnabled(); }));
    }
    QString cell(int row, int column)
    {
        const QAbstractItemModel *model = child<QTreeView>("FolderSearchResults")->model();
        return model->data(model->index(row, column)).toString();
    }
};

TEST(FolderSearchDialog, EveryControlIsLabelledAndReachedWithTab)
{
    Fixture f;
    f.dialog->showForWindow();
    QApplication::setActiveWindow(f.dialog.get());
    QWidget *start = f.child<QLineEdit>("FolderSearchText");
    start->setFocus();
    QStringList reached;
    for (int i = 0; i < 40; ++i) {
        QWidget *focus = QApplication::focusWidget();
        if (focus == nullptr || (i > 0 && focus == start))
            break;
        reached.append(focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    const char *controls[] = {"FolderSearchText",       "FolderSearchReplacement", "FolderSearchFolder",
                              "FolderSearchBrowse",     "FolderSearchFiles",       "FolderSearchSubfolders",
                              "FolderSearchExpression", "FolderSearchMatchCase",   "FolderSearchWidth",
                              "FolderSearchKana",       "FolderSearchStart",       "FolderSearchResults"};
    const QList<QLabel *> labels = f.dialog->findChildren<QLabel *>();
    for (const char *name : controls) {
        QWidget *control = f.dialog->findChild<QWidget *>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(reached.contains(QLatin1String(name))) << name;
        const bool named =
            qobject_cast<QAbstractButton *>(control) != nullptr ||
            std::any_of(labels.begin(), labels.end(), [&](QLabel *l) { return l->buddy() == control; });
        EXPECT_TRUE(named) << name;
    }
}

TEST(FolderSearchDialog, EnterOpensTheMatchSelectedAndABadPatternIsToldBesideTheField)
{
    Fixture f;
    QDir(f.dir.path()).mkpath("sub");
    WriteFileBytes(f.dir.filePath("sub/b.txt"), "first\nsecond old\n");
    f.child<QCheckBox>("FolderSearchExpression")->setChecked(true);
    f.search(QStringLiteral("ol(d"));
    EXPECT_EQ(f.child<QLabel>("FolderSearchError")->text().left(14),
              QStringLiteral("正規表現の誤り (5文字目)"));
    EXPECT_EQ(f.child<QTreeView>("FolderSearchResults")->model()->rowCount(), 0);

    f.search(QStringLiteral("ol."));
    EXPECT_EQ(f.cell(0, 0), QStringLiteral("sub/b.txt"));
    EXPECT_EQ(f.cell(0, 1), QStringLiteral("2"));
    EXPECT_EQ(f.cell(0, 2), QStringLiteral("7"));
    EXPECT_EQ(f.cell(0, 3), QStringLiteral("second old"));
    EXPECT_TRUE(
        f.child<QLabel>("FolderSearchProgress")->text().startsWith(QStringLiteral("1 ファイルを検索")));
    auto *view = f.child<QTreeView>("FolderSearchResults");
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(f.opened, QStringList{f.dir.filePath("sub/b.txt")});
    EXPECT_EQ(f.editor.textCursor().selectedText(), QStringLiteral("old"));
}

TEST(FolderSearchDialog, ReplacesInTheFilesAndInTheWindowsOwnDocumentAsOneUndoStep)
{
    Fixture f(QStringLiteral("edited old"));
    f.held = f.dir.filePath("c.html");
    WriteFileBytes(f.held, "old\n");
    const QByteArray sjis = Cp932::Encode(QStringLiteral("<p>old 漢字</p>\r\n<p>keep</p>\r\n"));
    WriteFileBytes(f.dir.filePath("a.html"), sjis);
    WriteFileBytes(f.dir.filePath("b.txt"), "old old\n");
    f.search(QStringLiteral("old"));
    ASSERT_EQ(f.child<QTreeView>("FolderSearchResults")->model()->rowCount(), 4);
    EXPECT_EQ(f.cell(3, 3), QStringLiteral("edited old")); // as the window holds it

    f.child<QLineEdit>("FolderSearchReplacement")->setText(QStringLiteral("new"));
    ModalAnswers answers;
    answers.Then([](QWidget *preview) {
        auto *execute = preview->findChild<QPushButton *>(QStringLiteral("PreviewExecute"));
        ASSERT_TRUE(QTest::qWaitFor([execute] { return execute->isEnabled(); }));
        execute->click();
    });
    answers.ThenClick(QMessageBox::Ok);
    f.child<QPushButton>("FolderReplaceStart")->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return answers.allAnswered() && QApplication::activeModalWidget() == nullptr; }));
    ASSERT_EQ(answers.seen().size(), 2u);
    EXPECT_TRUE(answers.seen()[1].text.startsWith(QStringLiteral("2 ファイルの 3 か所を置換しました。")))
        << answers.seen()[1].text.toStdString();

    EXPECT_EQ(ReadFileBytes(f.dir.filePath("a.html")),
              Cp932::Encode(QStringLiteral("<p>new 漢字</p>\r\n<p>keep</p>\r\n")));
    EXPECT_EQ(ReadFileBytes(f.dir.filePath("b.txt")), "new new\n");
    EXPECT_EQ(ReadFileBytes(f.held), "old\n"); // the window's document is changed in the window
    EXPECT_EQ(f.editor.toPlainText(), QStringLiteral("edited new"));
    f.editor.undo();
    EXPECT_EQ(f.editor.toPlainText(), QStringLiteral("edited old"));
    EXPECT_EQ(ReadFileBytes(HomeTrashPath() + "/files/a.html"), sjis);
    EXPECT_FALSE(f.child<QPushButton>("FolderReplaceStart")->isEnabled()); // search again first
}

} // namespace
