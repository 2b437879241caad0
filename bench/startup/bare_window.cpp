// The start-up floor: a bare Qt window with a QPlainTextEdit holding the
// document given, read and decoded as UTF-8. bench_bare_window FILE
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPlainTextEdit editor;
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            editor.setPlainText(QString::fromUtf8(file.readAll()));
    }
    editor.resize(664, 550);
    editor.show();
    return QApplication::exec();
}
