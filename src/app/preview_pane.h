// The live preview pane beside the editor (F6, 「ライブプレビュー」): the
// document rendered by a browser engine, refreshed a moment after the last
// key, following the caret, in vertical writing on request (「縦書き」).
// The engine is loaded when the pane is first shown; until then the pane
// costs nothing, and when the engine is missing or fails the pane says so.
#pragma once

#include "document_format.h"
#include "preview_engine.h"
#include "preview_source.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

class Document;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStackedLayout;
struct MainWindowSettings;

class PreviewPane : public QWidget, private PreviewEvents
{
    Q_OBJECT

public:
    // The pause after the last key or caret move before the preview follows.
    static constexpr int RefreshDelayMs = 300;

    // Shows `document`, whose text `editor` holds; starts hidden.
    PreviewPane(QPlainTextEdit *editor, const Document *document, QWidget *parent);
    ~PreviewPane() override;

    // Puts 「ライブプレビュー」 (F6, anywhere in `window`) and 「縦書き」 into
    // `popupMenu` before its entry `before`, at its end when it has none.
    void addCommands(QMenu *popupMenu, const char *before, QWidget *window);
    QAction *showAction() const { return show_; }
    QAction *verticalAction() const { return vertical_; }

    // Where the engine's module is looked for (the program's module folders).
    void setEngineFolders(const QStringList &folders) { engineFolders_ = folders; }
    // The engine once loaded; null before and when it could not be.
    PreviewEngine *engine() const { return engine_; }
    // What the pane says instead of the page; empty while it shows the page.
    QString message() const;

    void readSettings(const MainWindowSettings &settings);
    void writeSettings(MainWindowSettings &settings) const;

signals:
    // A page the pane made is loaded (and scrolled to the caret).
    void refreshed();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Shown beside the editor at the width it had, or hidden.
    void setShown(bool shown);
    void startEngine();
    void refresh();
    void say(const QString &words);
    void linkClicked(const QUrl &url) override;
    void failed(const QString &why) override;
    void shown() override;

    QPlainTextEdit *editor_;
    const Document *document_;
    QAction *show_;
    QAction *vertical_;
    QLabel *note_;
    QLabel *message_;
    QStackedLayout *stack_;
    QTimer pause_;
    QStringList engineFolders_;
    PreviewEngine *engine_ = nullptr;
    bool engineTried_ = false;
    int shownWidth_ = 0; // 0 until first shown: half the room
    // What the last page was made of; the highlighter's colours also count
    // as changes of the text, so the text itself is compared.
    struct Made
    {
        QString raw;
        QString path;
        DocumentFormat format;
        PreviewLook look;
        PreviewCopy::MarkedCopy copy;
        bool valid = false;
    } made_;
    bool showing_ = false; // the engine shows the last page made
};
