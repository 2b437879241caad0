// The pane's pages come from memory under a scheme of their own, at the path
// of the document's file; any other path of the scheme is that file on disk.
// A page's relative references (images, style sheets, scripts) then resolve
// beside the document, as they do when a browser opens the saved file,
// however large the page is.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

namespace PageScheme {

inline constexpr char Name[] = "qumo-preview";

// Makes the scheme known to the engine; before the engine's first object.
void Register();
// The scheme's URL of a local file's URL, and the file's URL of one of the
// scheme's; other URLs are returned as they are.
QUrl FromFile(const QUrl &file);
QUrl ToFile(const QUrl &url);

} // namespace PageScheme

class PageSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    // What the scheme serves at `url`'s path from now on.
    void setPage(const QUrl &url, const QByteArray &bytes);
    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    QString pagePath_;
    QByteArray page_;
};
