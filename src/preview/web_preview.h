// The live preview's view: Chromium through Qt WebEngine, the page running in
// the engine's own process, so a page that loops or crashes leaves the
// window's thread alone; one that stops answering is ended and the pane says so.
#pragma once

#include "preview_engine.h"

#include <QTimer>
#include <QWebEngineView>

class GuardedPage;
class PageSchemeHandler;

class WebPreview : public QWebEngineView, public PreviewEngine
{
    Q_OBJECT

public:
    // How long a page may take to load before it is asked whether it still
    // answers, and how long it then has to answer.
    static constexpr int LoadPatienceMs = 4000;
    static constexpr int AnswerPatienceMs = 1500;

    WebPreview(QWidget *parent, PreviewEvents *events);
    ~WebPreview() override;

    QWidget *widget() override { return this; }
    void showPage(const PreviewPage &page) override;
    void patchPage(const PreviewPatch &patch, const PreviewPage &whole) override;
    void scrollToLine(int line) override;
    void evaluate(const QString &script, const std::function<void(const QVariant &)> &answer) override;

private:
    void loaded();
    void checkAnswering();
    void terminated(int status, int exitCode);

    PreviewEvents *events_;
    PageSchemeHandler *scheme_;
    GuardedPage *page_;
    QTimer patience_;
    bool loading_ = false;
    bool endedUnanswering_ = false;
    bool ended_ = false;  // the page's process ended since the last page was given
    int lineWanted_ = -1; // scrolled to once the page is loaded
};
