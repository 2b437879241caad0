#include "navigation_policy.h"

#include "page_scheme.h"

namespace NavigationPolicy {

Choice Choose(const QUrl &url, QWebEnginePage::NavigationType type, bool mainFrame, const QUrl &page)
{
    const bool clicked = type == QWebEnginePage::NavigationTypeLinkClicked;
    // Frames of the page load what they name; a click in one leaves the pane too.
    if (!mainFrame)
        return clicked ? Choice::ToBrowser : Choice::Follow;
    const bool samePage = url.adjusted(QUrl::RemoveFragment) == page.adjusted(QUrl::RemoveFragment);
    if (clicked)
        return samePage && url.hasFragment() ? Choice::Follow : Choice::ToBrowser;
    // The pane's own loads; a script or a form that would go elsewhere is held.
    return samePage && type != QWebEnginePage::NavigationTypeFormSubmitted ? Choice::Follow : Choice::Refuse;
}

} // namespace NavigationPolicy

namespace {

// Catches the first address of a window a link opens and gives it to the browser.
class WindowCatcher : public QWebEnginePage
{
public:
    WindowCatcher(QWebEngineProfile *profile, GuardedPage::LinkHandler toBrowser, QObject *parent)
        : QWebEnginePage(profile, parent), toBrowser_(std::move(toBrowser))
    {
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        toBrowser_(PageScheme::ToFile(url));
        deleteLater();
        return false;
    }

private:
    GuardedPage::LinkHandler toBrowser_;
};

} // namespace

GuardedPage::GuardedPage(QWebEngineProfile *profile, LinkHandler toBrowser, QObject *parent)
    : QWebEnginePage(profile, parent), toBrowser_(std::move(toBrowser))
{
}

bool GuardedPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    switch (NavigationPolicy::Choose(url, type, isMainFrame, pageUrl_)) {
    case NavigationPolicy::Choice::Follow:
        return true;
    case NavigationPolicy::Choice::ToBrowser:
        toBrowser_(PageScheme::ToFile(url));
        return false;
    case NavigationPolicy::Choice::Refuse:
        return false;
    }
    return false;
}

QWebEnginePage *GuardedPage::createWindow(WebWindowType)
{
    return new WindowCatcher(profile(), toBrowser_, this);
}
