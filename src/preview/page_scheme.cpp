#include "page_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace PageScheme {

void Register()
{
    if (!QWebEngineUrlScheme::schemeByName(Name).name().isEmpty())
        return;
    QWebEngineUrlScheme scheme(Name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Local like file: pages from the network cannot reach it, and its pages
    // may still show file: images a page names by their full address.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl FromFile(const QUrl &file)
{
    if (!file.isLocalFile())
        return file;
    QUrl url = file;
    url.setScheme(QString::fromLatin1(Name));
    url.setHost(QString());
    return url;
}

QUrl ToFile(const QUrl &url)
{
    if (url.scheme() != QLatin1String(Name))
        return url;
    QUrl file = QUrl::fromLocalFile(url.path());
    file.setQuery(url.query());
    file.setFragment(url.fragment());
    return file;
}

} // namespace PageScheme

void PageSchemeHandler::setPage(const QUrl &url, const QByteArray &bytes)
{
    pagePath_ = url.path();
    page_ = bytes;
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QString path = job->requestUrl().path();
    // The engine reads the device on its own thread until the job ends.
    if (path == pagePath_) {
        auto *page = new QBuffer(job);
        page->setData(page_);
        page->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html"), page);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto *file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    static const QMimeDatabase types;
    job->reply(types.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8(), file);
}
