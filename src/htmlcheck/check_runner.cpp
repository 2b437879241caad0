#include "check_runner.h"

#include "tidy_structure.h"

#include <QThread>

namespace HtmlCheck {

CheckRunner::CheckRunner(QObject *parent) : QObject(parent) {}

CheckRunner::~CheckRunner()
{
    if (thread_ != nullptr)
        thread_->wait();
}

void CheckRunner::start(CheckInput input)
{
    if (thread_ != nullptr)
        next_ = std::move(input);
    else
        launch(std::move(input));
}

void CheckRunner::launch(CheckInput input)
{
    thread_ = QThread::create([this, input = std::move(input)] { result_ = CheckDocument(input); });
    thread_->setParent(this);
    thread_->setStackSize(TidyStackBytes);
    connect(thread_, &QThread::finished, this, &CheckRunner::done);
    thread_->start();
    if (!thread_->isRunning() && !thread_->isFinished()) {
        // No thread with that much stack: the check is not run at all.
        delete thread_;
        thread_ = nullptr;
        next_.reset();
        Report failed;
        failed.structure =
            Outcome::failed(QStringLiteral("チェックを始められませんでした（スレッドを作れません）"));
        failed.findings.append({1, 1, Severity::Error, failed.structure.message});
        emit finished(failed);
    }
}

void CheckRunner::done()
{
    thread_->deleteLater();
    thread_ = nullptr;
    if (next_) {
        CheckInput input = std::move(*next_);
        next_.reset();
        launch(std::move(input));
        return;
    }
    emit finished(result_);
}

} // namespace HtmlCheck
