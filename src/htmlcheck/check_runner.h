// Runs CheckDocument on a thread of its own, so the window answers while a
// large page is checked.
#pragma once

#include "html_check.h"

#include <QObject>
#include <optional>

class QThread;

namespace HtmlCheck {

class CheckRunner : public QObject
{
    Q_OBJECT

public:
    explicit CheckRunner(QObject *parent = nullptr);
    // Waits for a check still running: tidy cannot be stopped.
    ~CheckRunner() override;

    // Checks `input`; a check asked for while one runs follows it, and only
    // the last one asked for is reported.
    void start(CheckInput input);
    bool running() const { return thread_ != nullptr; }

signals:
    void finished(const HtmlCheck::Report &report);

private:
    void launch(CheckInput input);
    void done();

    QThread *thread_ = nullptr;
    Report result_; // written by the thread, read once it has finished
    std::optional<CheckInput> next_;
};

} // namespace HtmlCheck
