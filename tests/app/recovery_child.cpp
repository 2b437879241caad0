// The editor as the kill tests run it: a window keeping recovery copies that
// types or saves until it is killed, telling on standard output how far it got.
//   recovery_child type PLACES PROGRAM_DIR [DOCUMENT]
//   recovery_child save PLACES PROGRAM_DIR DOCUMENT
// PLACES are the recovery folders, ':' between them. Each modal dialog is
// told ("modal NAME") and answered with its default button, but for the
// save question, which stays open. QUMO_TEST_FILE_LIMIT limits the size of
// the files the child writes (RLIMIT_FSIZE).
#include "crash_recovery.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

void Tell(const QByteArray &line)
{
    std::printf("%s\n", line.constData());
    std::fflush(stdout);
}

void AnswerModals(QTimer &timer)
{
    static QPointer<QWidget> last;
    QObject::connect(&timer, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last)
            return;
        last = modal;
        Tell("modal " + modal->objectName().toUtf8());
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box != nullptr && box->objectName() != QLatin1String("ConfirmSaveChanges") &&
            box->defaultButton() != nullptr)
            box->defaultButton()->click();
    });
    timer.start(10);
}

} // namespace

int main(int argc, char **argv)
{
    if (const QByteArray limit = qgetenv("QUMO_TEST_FILE_LIMIT"); !limit.isEmpty()) {
        const rlimit size{rlim_t(limit.toLongLong()), rlim_t(limit.toLongLong())};
        ::setrlimit(RLIMIT_FSIZE, &size);
    }
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 4)
        return 2;
    QTimer modals;
    AnswerModals(modals);
    TForm1 form;
    auto *editor = form.findChild<QPlainTextEdit *>(QStringLiteral("RichEdit1"));
    TForm3 form3(&form);
    form.setForm3(&form3);
    form.setProgramDir(arguments[3] + u'/');
    form.setCommandLine(arguments.mid(4));
    form.crashRecovery().enable(arguments[2].split(u':'));
    form.crashRecovery().exitOnTerminationSignals();
    QSignalSpy started(&form, &TForm1::StartUpFinished);
    form.show();
    if (!started.wait(60000))
        return 3;
    if (arguments[1] == QLatin1String("save")) {
        editor->insertPlainText(QStringLiteral("edit"));
        Tell("saving");
        form.SaveDocument(form.document().path());
        Tell("saved");
    } else {
        for (int typed = 1;; ++typed) {
            QTest::keyClick(editor, Qt::Key_X);
            Tell("typed " + QByteArray::number(typed));
            QTest::qWait(20);
        }
    }
    return QApplication::exec();
}
