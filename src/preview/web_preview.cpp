#include "web_preview.h"

#include "navigation_policy.h"
#include "page_scheme.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <memory>
#include <signal.h>

namespace {

// Finds the last line marker at or before the line, then the first thing
// after it that has a box, and scrolls that into the middle of the view
// along each direction it is out of view in (down the page, or leftwards in
// vertical writing).
const char ScrollScript[] = R"JS(
(function (line, prefix) {
  var marker = null;
  var comments = document.createTreeWalker(document, NodeFilter.SHOW_COMMENT);
  for (var n = comments.nextNode(); n; n = comments.nextNode()) {
    if (n.data.lastIndexOf(prefix, 0) !== 0) continue;
    if (+n.data.slice(prefix.length) > line) break;
    marker = n;
  }
  if (!marker) return false;
  var boxed = 'img,video,canvas,iframe,svg,input,textarea,select,button,hr,object,embed';
  var walker = document.createTreeWalker(document, NodeFilter.SHOW_TEXT | NodeFilter.SHOW_ELEMENT);
  walker.currentNode = marker;
  var rect = null;
  for (var i = 0, x = walker.nextNode(); x && !rect && i < 500; x = walker.nextNode(), ++i) {
    var r = null;
    if (x.nodeType === 3) {
      var at = x.data.search(/\S/);
      if (at < 0) continue;
      var range = document.createRange();
      range.setStart(x, at);
      range.setEnd(x, at + 1);
      r = range.getBoundingClientRect();
    } else if (x.matches(boxed)) {
      r = x.getBoundingClientRect();
    }
    if (r && (r.width || r.height)) rect = r;
  }
  if (!rect) return false;
  var dx = rect.left < 0 || rect.right > innerWidth ? rect.left + rect.width / 2 - innerWidth / 2 : 0;
  var dy = rect.top < 0 || rect.bottom > innerHeight ? rect.top + rect.height / 2 - innerHeight / 2 : 0;
  if (dx || dy) window.scrollBy(dx, dy);
  return true;
})(%1, '%2')
)JS";

// Replaces the nodes from one marker to another by the new part, when both
// markers are there under one parent and the page is read in the code the
// pane made it in; then renumbers the markers after it.
const char PatchScript[] = R"JS(
(function (p) {
  if (document.characterSet.toLowerCase() !== p.charset.toLowerCase()) return false;
  var start = null, end = null, after = [];
  var comments = document.createTreeWalker(document, NodeFilter.SHOW_COMMENT);
  for (var n = comments.nextNode(); n; n = comments.nextNode()) {
    if (n.data.lastIndexOf(p.prefix, 0) !== 0) continue;
    var line = +n.data.slice(p.prefix.length);
    if (line === p.from && !start) start = n;
    if (line === p.to && !end) end = n;
    if (line >= p.to) after.push(n);
  }
  if (!start || !end || start.parentNode !== end.parentNode) return false;
  var range = document.createRange();
  range.setStartBefore(start);
  range.setEndBefore(end);
  var part = range.createContextualFragment(p.html);
  range.deleteContents();
  range.insertNode(part);
  if (p.shift)
    for (var i = 0; i < after.length; ++i)
      after[i].data = p.prefix + (+after[i].data.slice(p.prefix.length) + p.shift);
  return true;
})(%1)
)JS";

} // namespace

WebPreview::WebPreview(QWidget *parent, PreviewEvents *events) : QWebEngineView(parent), events_(events)
{
    // Made after the view under the same parent, the profile goes after the
    // view's page, as the engine needs. Off the record: nothing on disk.
    auto *profile = new QWebEngineProfile(parent);
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    scheme_ = new PageSchemeHandler(profile);
    profile->installUrlSchemeHandler(PageScheme::Name, scheme_);
    page_ = new GuardedPage(
        profile, [this](const QUrl &url) { events_->linkClicked(url); }, this);
    QWebEngineSettings *settings = page_->settings();
    // Typing stays in the editor while the pane loads.
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    settings->setAttribute(QWebEngineSettings::ScrollAnimatorEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    setPage(page_);
    setFocusPolicy(Qt::ClickFocus);

    patience_.setSingleShot(true);
    connect(&patience_, &QTimer::timeout, this, &WebPreview::checkAnswering);
    connect(page_, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.url() != page_->pageUrl())
            return;
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
            loaded();
        } else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
            // A newer page replacing one still loading is no failure, nor
            // is a page whose process has ended: that was told already.
            constexpr int Aborted = -3;
            if (info.errorCode() == Aborted || ended_)
                return;
            loading_ = false;
            patience_.stop();
            events_->failed(QStringLiteral("ページを表示できません: %1 (%2)")
                                .arg(info.errorString(), QString::number(info.errorCode())));
        }
    });
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                terminated(int(status), exitCode);
            });
}

WebPreview::~WebPreview()
{
    patience_.stop();
    // The page is the view's child; its events would reach a pane being destroyed.
    page_->disconnect(this);
}

void WebPreview::showPage(const PreviewPage &page)
{
    const QUrl url = PageScheme::FromFile(page.document);
    scheme_->setPage(url, page.bytes);
    page_->setPageUrl(url);
    page_->settings()->setDefaultTextEncoding(page.charset);
    endedUnanswering_ = false;
    ended_ = false;
    loading_ = true;
    // The same address again is a reload, which keeps the scroll position.
    page_->load(url);
    // Pages given while one hangs do not put off ending it.
    if (!patience_.isActive())
        patience_.start(LoadPatienceMs);
}

void WebPreview::patchPage(const PreviewPatch &patch, const PreviewPage &whole)
{
    const QUrl url = PageScheme::FromFile(whole.document);
    if (loading_ || url != page_->pageUrl()) {
        showPage(whole);
        return;
    }
    // A reload later shows the same page.
    scheme_->setPage(url, whole.bytes);
    loading_ = true;
    if (!patience_.isActive())
        patience_.start(LoadPatienceMs);
    const QJsonObject arguments{{"from", patch.from},       {"to", patch.to},
                                {"shift", patch.shift},     {"html", patch.html},
                                {"charset", whole.charset}, {"prefix", QLatin1String(PreviewLineMarker)}};
    const QString script =
        QString::fromLatin1(PatchScript)
            .arg(QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)));
    QPointer<WebPreview> self(this);
    page_->runJavaScript(script, [self, whole](const QVariant &patched) {
        if (self == nullptr)
            return;
        if (patched.toBool())
            self->loaded();
        else
            self->showPage(whole);
    });
}

void WebPreview::loaded()
{
    loading_ = false;
    patience_.stop();
    events_->shown();
    if (lineWanted_ >= 0)
        scrollToLine(std::exchange(lineWanted_, -1));
}

void WebPreview::scrollToLine(int line)
{
    if (loading_) {
        lineWanted_ = line;
        return;
    }
    page_->runJavaScript(QString::fromLatin1(ScrollScript).arg(line).arg(QLatin1String(PreviewLineMarker)));
}

void WebPreview::evaluate(const QString &script, const std::function<void(const QVariant &)> &answer)
{
    page_->runJavaScript(script, answer);
}

void WebPreview::checkAnswering()
{
    // A page still fetching what it names answers; one whose script never
    // ends does not, and blocks every later page until its process ends.
    auto answered = std::make_shared<bool>(false);
    page_->runJavaScript(QStringLiteral("0"), [answered](const QVariant &) { *answered = true; });
    QTimer::singleShot(AnswerPatienceMs, this, [this, answered] {
        if (*answered) {
            if (loading_)
                patience_.start(LoadPatienceMs);
            return;
        }
        const qint64 process = page_->renderProcessPid();
        if (process <= 0)
            return;
        endedUnanswering_ = true;
        ::kill(pid_t(process), SIGKILL);
    });
}

void WebPreview::terminated(int status, int exitCode)
{
    loading_ = false;
    patience_.stop();
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    ended_ = true;
    if (std::exchange(endedUnanswering_, false)) {
        events_->failed(QStringLiteral("ページのスクリプトが応答しないため、表示を止めました。"
                                       "文書を直すと、もう一度表示します。"));
        return;
    }
    const QString how = status == QWebEnginePage::CrashedTerminationStatus
                            ? QStringLiteral("異常終了")
                            : QStringLiteral("強制終了 (終了コード %1)").arg(exitCode);
    events_->failed(
        QStringLiteral("プレビューの表示プロセスが%1しました。文書を直すと、もう一度表示します。").arg(how));
}
