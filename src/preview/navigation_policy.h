// The pane shows only the pane's own page: a link the user clicks is for the
// user's browser, and nothing else leads the pane away from the page.
#pragma once

#include <QUrl>
#include <QWebEnginePage>
#include <functional>

namespace NavigationPolicy {

enum class Choice { Follow, ToBrowser, Refuse };

// What becomes of a navigation to `url` of `type` while the pane shows `page`.
Choice Choose(const QUrl &url, QWebEnginePage::NavigationType type, bool mainFrame, const QUrl &page);

} // namespace NavigationPolicy

// A page that keeps to that policy and tells `toBrowser` about the links,
// given as file: URLs where they name the document's files.
class GuardedPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using LinkHandler = std::function<void(const QUrl &)>;

    GuardedPage(QWebEngineProfile *profile, LinkHandler toBrowser, QObject *parent);

    // The page the pane is showing, in the pane's scheme.
    void setPageUrl(const QUrl &url) { pageUrl_ = url; }
    const QUrl &pageUrl() const { return pageUrl_; }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    // A link that opens a window of its own goes to the browser too.
    QWebEnginePage *createWindow(WebWindowType type) override;
    // The page's console messages are the page's own business.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }

private:
    LinkHandler toBrowser_;
    QUrl pageUrl_;
};
