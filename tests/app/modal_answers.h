// Answers to the modal dialogs a test's commands open, given before the
// command runs.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

// Types `name` into a file dialog's name field as a user does, then presses its accept button. The
// field has the focus: the dialog leaves a focused field alone when the folder's listing arrives late
// and selects the document's own file, which would otherwise replace a name typed at once.
inline void AcceptFileName(QFileDialog *dialog, const QString &name)
{
    auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QApplication::setActiveWindow(dialog);
    field->setFocus();
    field->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

// Chooses the dialog's filter numbered `filter` from 1, then accepts `name`.
inline void AcceptFileNameWithFilter(QFileDialog *dialog, const QString &name, int filter)
{
    dialog->selectNameFilter(dialog->nameFilters()[filter - 1]);
    // The dialog renames the file for a new filter: let it finish first.
    QCoreApplication::processEvents();
    AcceptFileName(dialog, name);
}

// Rows of the save dialog's code and line-end boxes.
enum SaveCodeRow { Sjis, Jis, Euc, Utf8, Utf8Bom, Utf16Le, Utf16Be };
enum SaveLineEndRow { CrLf, Cr, Lf, KeepMixed };

// Chooses the code and line end in the save dialog's boxes, then accepts `name`.
inline void AcceptSaveAs(QFileDialog *dialog, const QString &name, SaveCodeRow code, SaveLineEndRow lineEnd)
{
    dialog->findChild<QComboBox *>(QStringLiteral("SaveCodeBox"))->setCurrentIndex(code);
    dialog->findChild<QComboBox *>(QStringLiteral("SaveLineEndBox"))->setCurrentIndex(lineEnd);
    AcceptFileName(dialog, name);
}

// Answers modal dialogs in the order they open, one answer each; remembers
// what each one was.
class ModalAnswers : public QObject
{
public:
    struct Seen
    {
        QString objectName;
        QString title;
        QString text; // message boxes only
        QWidget *widget;
    };

    ModalAnswers()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalAnswers::poll);
        timer_.start();
    }

    void Then(std::function<void(QWidget *)> answer) { answers_.push_back(std::move(answer)); }
    // Clicks the message box button `which`.
    void ThenClick(QMessageBox::StandardButton which)
    {
        Then([which](QWidget *w) { static_cast<QMessageBox *>(w)->button(which)->click(); });
    }
    // Presses the message box's default button, as Enter does; `pressed`
    // gets which it was.
    void ThenDefault(QMessageBox::StandardButton *pressed)
    {
        Then([pressed](QWidget *w) {
            auto *box = static_cast<QMessageBox *>(w);
            QPushButton *button = box->defaultButton();
            *pressed = button == nullptr ? QMessageBox::NoButton : box->standardButton(button);
            if (button != nullptr)
                button->click();
            else
                box->done(QDialog::Rejected); // no default: fail, do not hang
        });
    }
    void ThenClose()
    {
        Then([](QWidget *w) { static_cast<QDialog *>(w)->done(QDialog::Rejected); });
    }

    const std::vector<Seen> &seen() const { return seen_; }
    void Reset()
    {
        answers_.clear();
        seen_.clear();
        last_ = nullptr;
    }
    bool allAnswered() const { return answers_.empty(); }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last_)
            return;
        last_ = modal;
        Seen seen{modal->objectName(), modal->windowTitle(), {}, modal};
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            seen.text = box->text();
        seen_.push_back(seen);
        if (answers_.empty()) {
            // Unexpected: dismissed so that a failing test does not hang.
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->done(QDialog::Rejected);
            last_ = nullptr;
            return;
        }
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        answer(modal);
        // A dialog may be shown again later (the settings dialog is).
        if (last_ != nullptr && !last_->isVisible())
            last_ = nullptr;
    }

    QTimer timer_;
    QPointer<QWidget> last_;
    std::deque<std::function<void(QWidget *)>> answers_;
    std::vector<Seen> seen_;
};
