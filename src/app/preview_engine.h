// The live preview's browser engine, in a module of its own (src/preview)
// that the pane loads when it is first shown, so that start-up and typing
// without the pane never load a browser engine. Only this header is shared.
#pragma once

#include "outcome.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QtPlugin>
#include <functional>

class QWidget;

// What the engine shows: the pane's own copy of the document.
struct PreviewPage
{
    QByteArray bytes;  // an HTML page, in the code it names or else in `charset`
    QUrl document;     // the document's file: relative references resolve beside it
    QString charset;   // what a page that names no code is read as
    bool text = false; // a text document the pane has made into a page
};

// A change of the shown page that needs no reload: the part from the marker
// of line `from` up to the marker of (old) line `to` becomes `html`, which
// holds the markers of its lines, and the markers from `to` on are
// renumbered by `shift`.
struct PreviewPatch
{
    int from = 0;
    int to = 0;
    int shift = 0;
    QString html;
};

// What the engine tells the pane; called on the window's thread.
class PreviewEvents
{
public:
    virtual ~PreviewEvents() = default;
    // The user clicked a link in the page: it is for the user's browser.
    virtual void linkClicked(const QUrl &url) = 0;
    // The page could not be shown, in words for the user.
    virtual void failed(const QString &why) = 0;
    // The page last given to showPage() is loaded.
    virtual void shown() = 0;
};

class PreviewEngine
{
public:
    virtual ~PreviewEngine() = default;
    // The view, a child of the parent it was made with.
    virtual QWidget *widget() = 0;
    // Replaces the page; the scroll position stays where it was.
    virtual void showPage(const PreviewPage &page) = 0;
    // Changes the shown page by `patch` where the page still is as the pane
    // made it and read in `whole`'s code, else shows `whole`.
    virtual void patchPage(const PreviewPatch &patch, const PreviewPage &whole) = 0;
    // Brings the part of the page that starts at `line` (from 0) of the
    // document into view, when it is out of view, through the line markers
    // the pane put into its copy.
    virtual void scrollToLine(int line) = 0;
    // Runs `script` in the page; `answer` gets its value unless the page
    // never answers.
    virtual void evaluate(const QString &script, const std::function<void(const QVariant &)> &answer) = 0;
};

// The module's root object.
class PreviewEngineFactory
{
public:
    virtual ~PreviewEngineFactory() = default;
    // Whether the engine's own files are there; a failure says what is missing.
    virtual Outcome ready() const = 0;
    // An engine whose widget `parent` holds, telling `events`, which outlives it.
    virtual PreviewEngine *create(QWidget *parent, PreviewEvents *events) = 0;
};

// The marker the pane puts at the start of a line of its copy, as an HTML
// comment's text: "qumo-line:" and the line's number.
inline constexpr char PreviewLineMarker[] = "qumo-line:";

#define QUMO_PREVIEW_ENGINE_IID "io.github.qumoedit.PreviewEngineFactory/1"
Q_DECLARE_INTERFACE(PreviewEngineFactory, QUMO_PREVIEW_ENGINE_IID)
