// The editor as the kill tests run it: a window keeping recovery copies that
// types or saves until it is killed, telling on standard output how far it got.
//   recovery_child type FOLDER PROGRAM_DIR
//   recovery_child save FOLDER PROGRAM_DIR DOCUMENT
#include "crash_recovery.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 4)
        return 2;
    TForm1 form;
    auto *editor = form.findChild<QPlainTextEdit *>(QStringLiteral("RichEdit1"));
    TForm3 form3(&form);
    form.setForm3(&form3);
    form.setProgramDir(arguments[3] + u'/');
    form.setCommandLine(arguments.mid(4));
    form.crashRecovery().enable(arguments[2]);
    form.crashRecovery().exitOnTerminationSignals();
    QSignalSpy started(&form, &TForm1::StartUpFinished);
    form.show();
    if (!started.wait(60000))
        return 3;
    if (arguments[1] == QLatin1String("save")) {
        editor->insertPlainText(QStringLiteral("edit"));
        std::printf("saving\n");
        std::fflush(stdout);
        form.SaveDocument(form.document().path);
        std::printf("saved\n");
        std::fflush(stdout);
    } else {
        for (int typed = 1;; ++typed) {
            QTest::keyClick(editor, Qt::Key_X);
            std::printf("typed %d\n", typed);
            std::fflush(stdout);
            QTest::qWait(20);
        }
    }
    return QApplication::exec();
}
